#include "editing/UnitArrangeCommands.h"
#include "editing/UnitArrangeBars.h"
#include "editing/UnitEditHost.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitRowsEdit.h"
#include "editing/UnitSelect.h"
#include "render/UnitMetrics.h"

TArrangeCommands::TArrangeCommands(Document &doc, Metrics &metrics, EditHost &host,
                                   TEditController &ctl, TEditPanels &panels, QObject *parent)
    : QObject(parent), mDoc(doc), mMetrics(metrics), mHost(host), mCtl(ctl), mPanels(panels)
{
    connect(mPanels.SpeedButtonLock, &QToolButton::clicked, this,
            &TArrangeCommands::SpeedButtonLockClick);
    for (QToolButton *b :
         {mPanels.SpeedButton1, mPanels.SpeedButton2, mPanels.SpeedButton22, mPanels.SpeedButton23})
        connect(b, &QToolButton::clicked, this, &TArrangeCommands::Setlayer1);
}

void TArrangeCommands::connectBars(TArrangeBars *bars)
{
    mBars = bars;
    connect(bars->SpeedButtonL, &QToolButton::clicked, this, &TArrangeCommands::SpeedButtonLClick);
    connect(bars->SpeedButtonC, &QToolButton::clicked, this, &TArrangeCommands::SpeedButtonCClick);
    connect(bars->SpeedButtonR, &QToolButton::clicked, this, &TArrangeCommands::SpeedButtonRClick);
    connect(bars->SpeedButton5, &QToolButton::clicked, this, &TArrangeCommands::SpeedButton5Click);
    connect(bars->SpeedButton6, &QToolButton::clicked, this, &TArrangeCommands::SpeedButton6Click);
    connect(bars->SpeedButton3, &QToolButton::clicked, this, &TArrangeCommands::SpeedButton3Click);
    connect(bars, &TArrangeBars::spacingEntered, this, &TArrangeCommands::SpeedButton3Click);
    connect(bars->SpeedButton19, &QToolButton::clicked, this,
            &TArrangeCommands::SpeedButton19Click);
    connect(bars->SpeedButton18, &QToolButton::clicked, this,
            &TArrangeCommands::SpeedButton18Click);
    connect(bars->SpeedButton12, &QToolButton::clicked, this, &TArrangeCommands::DataSakujo1);
    // The arrangement bar lives exactly while "複数" is down.
    connect(mPanels.SpeedButtonS, &QToolButton::toggled, bars, &TArrangeBars::setSentakuShown);
    bars->setSentakuShown(mPanels.SpeedButtonS->isChecked());
}

QString TArrangeCommands::spacingText() const
{
    return mBars ? mBars->MemoSentaku->text() : QStringLiteral("0");
}

bool TArrangeCommands::run(const QString &text, const Rule &rule, bool fit)
{
    QVector<RMouseSelect> sel = mCtl.selection().entries();
    bool acted = false;
    const bool pushed = RunRowsEdit(mDoc, text, [&] {
        acted = rule(mDoc.AData, sel);
        if (acted && fit)
            mMetrics.FitToContent(mDoc.AData, SelectedRows(mDoc.AData, sel));
    });
    if (!acted)
        return false;
    mCtl.selection().setEntries(sel);
    if (!HasUndoStack<Document>)
        mHost.redraw();
    if (sel.isEmpty())
        mCtl.clearSelection();
    else
        mCtl.refreshSelectionMarks();
    return pushed;
}

void TArrangeCommands::SpeedButtonLClick()
{
    run(
        QStringLiteral("左揃え"),
        [](auto &rows, auto &sel) { return AlignRows(rows, sel, AlignKind::Left); }, false);
}

void TArrangeCommands::SpeedButtonCClick()
{
    run(
        QStringLiteral("中揃え"),
        [](auto &rows, auto &sel) { return AlignRows(rows, sel, AlignKind::Center); }, false);
}

void TArrangeCommands::SpeedButtonRClick()
{
    run(
        QStringLiteral("右揃え"),
        [](auto &rows, auto &sel) { return AlignRows(rows, sel, AlignKind::Right); }, false);
}

void TArrangeCommands::SpeedButton5Click()
{
    run(
        QStringLiteral("等間隔"), [](auto &rows, auto &sel) { return SpaceEqually(rows, sel); },
        false);
}

void TArrangeCommands::SpeedButton6Click()
{
    run(
        QStringLiteral("上に詰める"), [](auto &rows, auto &sel) { return PackUp(rows, sel); },
        false);
}

void TArrangeCommands::SpeedButton3Click()
{
    const int64_t gap = SpacingFromText(spacingText());
    run(
        QStringLiteral("間隔を指定する"),
        [gap](auto &rows, auto &sel) { return SpaceBy(rows, sel, gap); }, false);
}

void TArrangeCommands::SpeedButton19Click()
{
    run(
        QStringLiteral("前面へ移動"), [](auto &rows, auto &sel) { return BringToFront(rows, sel); },
        false);
}

void TArrangeCommands::SpeedButton18Click()
{
    run(
        QStringLiteral("背面へ移動"), [](auto &rows, auto &sel) { return SendToBack(rows, sel); },
        false);
}

void TArrangeCommands::SpeedButtonLockClick()
{
    const bool down = mPanels.SpeedButtonLock->isChecked();
    run(
        QStringLiteral("ロック"),
        [down](auto &rows, auto &sel) { return SetLockRows(rows, sel, down); }, true);
}

void TArrangeCommands::DataSakujo1()
{
    if (mCtl.selection().isEmpty())
        return;
    run(
        QStringLiteral("削除"), [](auto &rows, auto &sel) { return DeleteRows(rows, sel); }, false);
    mCtl.clearSelection();
}

void TArrangeCommands::Setlayer1()
{
    run(
        QStringLiteral("標準モード"),
        [](auto &rows, auto &sel) { return SetModeRows(rows, sel, ObjectMode::Standard); }, true);
}

void TArrangeCommands::SpeedButton8Click()
{
    run(
        QStringLiteral("解答モード"),
        [](auto &rows, auto &sel) { return SetModeRows(rows, sel, ObjectMode::Answer); }, true);
}

void TArrangeCommands::SpeedButton4Click()
{
    run(
        QStringLiteral("名前欄"),
        [](auto &rows, auto &sel) { return SetModeRows(rows, sel, ObjectMode::NameField); }, true);
}

int TArrangeCommands::PageButtonPressed(const QString &syu)
{
    int row = -1;
    for (int i = mDoc.AData.size() - 1; i >= 0; --i)
        if (mDoc.AData[i].Syu == syu) {
            row = i;
            break;
        }
    if (row < 0)
        return -1;
    mCtl.clearSelection();
    RMouseSelect e;
    e.ANo = row;
    mCtl.selection().append(e);
    mCtl.refreshSelectionMarks();
    const RAData &r = mDoc.AData[row];
    emit pageButtonSelected(r.X1, r.Y1, r.X2, r.Y2, r.Width, r.Height);
    return row;
}
