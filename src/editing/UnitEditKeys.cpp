// The keyboard and the clipboard of the editing controller: delete, arrow
// moves merged into one command per run of presses, Escape, select all,
// copy, cut, paste and duplicate. Every change is a command.
#include "document/UnitFile.h"
#include "document/UnitRowCommands.h"
#include "editing/UnitClipboard.h"
#include "editing/UnitMoji.h"
#include "editing/UnitObjectCommands.h"
#include "editing/UnitPicture.h"
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

QVector<int> TEditController::addObjects(const QString &name, const RNewObjects &objects)
{
    const int first = mDoc.AData.size();
    QVector<int> added;
    if (mDoc.push(std::make_unique<AddObjectsCommand>(mDoc, name, objects)))
        for (int k = 0; k < objects.rows.size(); ++k)
            added.append(first + k);
    return added;
}

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
    mDoc.push(std::make_unique<NudgeObjectsCommand>(mDoc, selectedRows(), dx, dy, mNudgeRun));
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
    mDoc.push(std::make_unique<RemoveObjectsCommand>(mDoc, QStringLiteral("切り取り"), rows));
}

void TEditController::DuplicateSelection()
{
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const QByteArray bytes = PackRows(mDoc, rows);
    const int page = mDoc.AData[rows.first()].Page;
    selectRows(addObjects(QStringLiteral("複製"), UnpackObjects(bytes, page, PasteOffset)));
}

void TEditController::PasteClipboard()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    const int page = std::max(0, mView.ActivePage);
    QVector<int> added;
    if (data->hasFormat(ObjectsMimeType)) {
        const QByteArray payload = data->data(ObjectsMimeType);
        if (payload.size() > MaxObjectsPayloadSize) {
            ShowError(ObjectsPayloadTooLargeText);
            return;
        }
        added = addObjects(QStringLiteral("貼り付け"), UnpackObjects(payload, page, PasteOffset));
    } else if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (image.isNull())
            return;
        if (!PictureSizeAllowed(image.size())) {
            ShowError(PictureTooLargeText);
            return;
        }
        RAData &n = mDoc.NewData;
        n.Page = page;
        n.X1 = n.Y1 = PasteOffset;
        added.append(SetPicture(image, QStringLiteral("貼り付け")));
    } else if (data->hasText() && !data->text().isEmpty()) {
        int fs = 0;
        if (!ReadIntegerBox(mPanels.MemoFS->text(), fs)) {
            ShowError(NotIntegerMessage(mPanels.MemoFS->text()));
            return;
        }
        QString text = data->text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        RAData &n = mDoc.NewData;
        n.ID = -1;
        n.Page = page;
        n.X1 = n.Y1 = PasteOffset;
        added =
            addObjects(QStringLiteral("貼り付け"), RNewObjects{{textRow(text, fs, RAData{})}, {}});
        emptyNewData(0);
    }
    selectRows(added);
}
