// The keyboard and the clipboard of the editing controller: delete, arrow
// moves merged into one command per run of presses, Escape, select all,
// copy, cut, paste and duplicate. Every change is a command.
#include "editing/UnitClipboard.h"
#include "editing/UnitMoji.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUndoStack>

namespace
{

// Pasted and duplicated objects land this far from where they were.
constexpr int PasteOffset = 10;

} // namespace

QVector<int> TEditController::selectedRows() const
{
    return mSelection.rows(mDoc.AData.size());
}

bool TEditController::KeyPress(int key, Qt::KeyboardModifiers mods)
{
    if (mTool->key(key, mods))
        return true;
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (mSelection.isEmpty())
            return false;
        DataSakujo1();
        return true;
    case Qt::Key_Escape:
        EscapeKey();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (mSelection.isEmpty())
            return false;
        const int step = (mods & Qt::ShiftModifier) ? 10 : 1;
        const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
        const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
        NudgeSelection(dx, dy);
        return true;
    }
    default:
        return false;
    }
}

void TEditController::EscapeKey()
{
    const bool creating = lineMode() || boxMode() || !mDoc.NewData.Syu.isEmpty() ||
                          mView.Creation.MarkerOn || (mMoji && !mMoji->isHidden());
    if (creating) {
        CancelInput();
        mHost.redraw();
        return;
    }
    clearSelection();
}

void TEditController::NudgeSelection(int dx, int dy)
{
    QUndoStack &stack = mDoc.undoStack();
    // A run of presses is one command, until anything else is done.
    if (mNudgeRun == 0 || stack.index() != mNudgeIndex)
        mNudgeRun = mDoc.newMergeRun();
    mDoc.runEdit(
        QStringLiteral("移動"),
        [&] {
            for (int a : selectedRows()) {
                RAData &row = mDoc.AData[a];
                if (!IsHittableKind(row.Syu) || row.Lock != 0)
                    continue;
                row.X1 += dx;
                row.Y1 += dy;
                if (row.Syu == u"1" || row.Syu == u"2") {
                    row.X2 += dx;
                    row.Y2 += dy;
                }
            }
        },
        RMerge{MergeKind::Nudge, mNudgeRun});
    mNudgeIndex = stack.index();
    refreshSelectionMarks();
    fillProValues();
}

void TEditController::SelectAllOnPage()
{
    const int page = mPointerPage;
    QVector<int> rows;
    for (int i = 0; i < mDoc.AData.size(); ++i)
        if (mDoc.AData[i].Page == page)
            rows.append(i);
    selectRows(rows);
}

void TEditController::CopySelection()
{
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    auto *data = new QMimeData;
    data->setData(ObjectsMimeType, PackRows(mDoc, rows));
    // Other programs get the texts of the copied objects.
    QStringList texts;
    for (int a : rows)
        if (mDoc.AData[a].Syu == u"1")
            texts.append(
                QString(mDoc.AData[a].Siki).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (!texts.isEmpty())
        data->setText(texts.join(QLatin1Char('\n')));
    QApplication::clipboard()->setMimeData(data);
}

void TEditController::CutSelection()
{
    if (mSelection.isEmpty())
        return;
    CopySelection();
    const QVector<int> rows = selectedRows();
    clearSelection();
    mDoc.runEdit(QStringLiteral("切り取り"), [&] { mDoc.DeleteRows(rows); });
}

void TEditController::DuplicateSelection()
{
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const QByteArray bytes = PackRows(mDoc, rows);
    const int page = mDoc.AData[rows.first()].Page;
    QVector<int> added;
    mDoc.runEdit(QStringLiteral("複製"),
                 [&] { added = UnpackRows(mDoc, bytes, page, PasteOffset); });
    selectRows(added);
}

void TEditController::PasteClipboard()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    const int page = std::max(0, mView.ActivePage);
    QVector<int> added;
    if (data->hasFormat(ObjectsMimeType)) {
        const QByteArray bytes = data->data(ObjectsMimeType);
        mDoc.runEdit(QStringLiteral("貼り付け"),
                     [&] { added = UnpackRows(mDoc, bytes, page, PasteOffset); });
    } else if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (image.isNull())
            return;
        mDoc.runEdit(QStringLiteral("貼り付け"), [&] {
            mDoc.BMData.append(image);
            RAData &n = mDoc.NewData;
            n.Page = page;
            n.X1 = n.Y1 = PasteOffset;
            added.append(SetPicture());
        });
    } else if (data->hasText() && !data->text().isEmpty()) {
        int fs = 0;
        if (!ReadIntegerBox(mPanels.MemoFS->text(), fs)) {
            ShowError(NotIntegerMessage(mPanels.MemoFS->text()));
            return;
        }
        QString text = data->text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        mDoc.runEdit(QStringLiteral("貼り付け"), [&] {
            RAData &n = mDoc.NewData;
            n.ID = -1;
            n.Page = page;
            n.X1 = n.Y1 = PasteOffset;
            writeText(text, fs);
            added.append(mDoc.AData.size() - 1);
        });
        emptyNewData(0);
    }
    selectRows(added);
}
