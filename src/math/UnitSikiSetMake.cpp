// The expression tool's part of "まとめて配置": drawing the problems of a set
// through the page's own generator and writer, and the dialog's runs.
#include "document/UnitRowCommands.h"
#include "math/UnitSiki.h"
#include "math/UnitSikiSetDialog.h"
#include "math/UnitSikiSetRun.h"

bool TFormSiki::MakeProblemSet(const RAData &style, int count, QVector<RAData> &rows,
                               QString &message)
{
    rows.clear();
    const int page = CurrentPage();
    if (page < PageYoko || page > PageBunsyo || count < 1)
        return false;
    ClearRandomLog();
    for (int i = 0; i < count; ++i) {
        MakeRandom();
        QString kotae, why;
        if (RandomWarning() || checkPage(page, kotae, why) != InputOk) {
            message = QStringLiteral("この設定では、ちがう問題を%1問作れませんでした（%2問まで）。"
                                     "範囲や条件を見直してください。")
                          .arg(count)
                          .arg(i);
            rows.clear();
            return false;
        }
        RAData row = style;
        row.Syu = QStringLiteral("5");
        row.Siki1 = page;
        writePage(row, page, kotae);
        row.Rand = 1;
        rows.append(row);
    }
    return true;
}

QString TFormSiki::PlaceSet(const RAData &style, int page, const RSetOptions &options)
{
    const int gap = SetUnitsFromMm(options.gapMm);
    const QRect area = SetAreaRect(mDoc, page, options.area, gap);
    if (area.isEmpty())
        return QStringLiteral("この範囲には問題が入りません。");
    QVector<RAData> problems;
    QString message;
    if (!MakeProblemSet(style, std::clamp(options.count, 1, SetMaxCount), problems, message))
        return message;
    const RSetLayout layout = LayoutSet(problems, options, page, area, measurer());
    if (!layout.fits)
        return layout.message;
    RNewObjects added;
    added.rows = layout.rows;
    mDoc.push(std::make_unique<AddObjectsCommand>(mDoc, QStringLiteral("まとめて配置"), added));
    return {};
}

TFormSikiSet *TFormSiki::OpenSetDialog()
{
    const int page = CurrentPage();
    if (page < PageYoko || page > PageBunsyo)
        return nullptr;
    RAData style;
    beginRow(style, page);
    return openSetDialog(style, mDoc.NewData.Page, false);
}

TFormSikiSet *TFormSiki::OpenSetDialogForRow(int rowIndex)
{
    const RAData pending = mDoc.NewData;
    if (rowIndex < 0 || rowIndex >= mDoc.AData.size() || !LoadRow(rowIndex)) {
        mDoc.NewData = pending;
        return nullptr;
    }
    const RAData style = mDoc.AData[rowIndex];
    TFormSikiSet *dialog = openSetDialog(style, style.Page, true);
    mSetRun->pending = pending;
    return dialog;
}

TFormSikiSet *TFormSiki::openSetDialog(const RAData &style, int page, bool fromRow)
{
    if (!mSetRun)
        mSetRun = std::make_unique<SetRun>(*this);
    mSetRun->style = style;
    mSetRun->page = page;
    mSetRun->fromRow = fromRow;
    if (!mSetDialog) {
        // A window of its own above the tool and the editor.
        mSetDialog = new TFormSikiSet(*mSetRun, parentWidget() ? parentWidget() : this);
        mSetDialog->setWindowModality(Qt::ApplicationModal);
        connect(mSetDialog, &QDialog::rejected, this, [this] { endSetRun(false); });
    }
    mSetDialog->LabelMessage->clear();
    mSetDialog->show();
    mSetDialog->raise();
    mSetDialog->activateWindow();
    return mSetDialog;
}

void TFormSiki::endSetRun(bool placed)
{
    if (!mSetRun)
        return;
    const int last = mDoc.AData.size() - 1;
    QVector<int> rows;
    for (int i = mSetRun->firstRow; placed && i <= last; ++i)
        rows.append(i);
    if (mSetRun->fromRow) {
        // The row was only read: the pending object is what it was.
        mDoc.NewData = mSetRun->pending;
        mSetRun->fromRow = false;
        if (placed) {
            emit redrawRequested(last);
            emit setPlaced(rows);
        }
        return;
    }
    // From a page of the tool: the set takes the place of the one problem
    // "決定" would have written, and the tool closes.
    if (placed) {
        finishRow(last);
        emit setPlaced(rows);
    }
}
