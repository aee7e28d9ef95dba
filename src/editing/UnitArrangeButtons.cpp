#include "editing/UnitArrangeButtons.h"
#include "document/UnitRowCommands.h"
#include "editing/UnitArrangeBars.h"
#include "editing/UnitEditHost.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitSelect.h"
#include "editing/UnitSelectionCommands.h"
#include "editing/UnitToggle.h"
#include "render/UnitMetrics.h"

TArrangeCommands::TArrangeCommands(Document &doc, Metrics &metrics, EditHost &host,
                                   TEditController &ctl, TEditPanels &panels, QObject *parent)
    : QObject(parent), mDoc(doc), mMetrics(metrics), mHost(host), mCtl(ctl), mPanels(panels)
{
    ConnectToggle(mPanels.SpeedButtonLock, this, [this](bool) { SpeedButtonLockClick(); });
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

bool TArrangeCommands::run(std::unique_ptr<SelectionRuleCommand> command)
{
    if (!command->applies())
        return false;
    const QVector<RMouseSelect> sel = command->selection();
    const bool pushed = mDoc.push(std::move(command));
    mCtl.selection().setEntries(sel);
    if (sel.isEmpty())
        mCtl.clearSelection();
    else
        mCtl.refreshSelectionMarks();
    return pushed;
}

void TArrangeCommands::SpeedButtonLClick()
{
    run(std::make_unique<AlignObjectsCommand>(mDoc, selected(), AlignKind::Left));
}

void TArrangeCommands::SpeedButtonCClick()
{
    run(std::make_unique<AlignObjectsCommand>(mDoc, selected(), AlignKind::Center));
}

void TArrangeCommands::SpeedButtonRClick()
{
    run(std::make_unique<AlignObjectsCommand>(mDoc, selected(), AlignKind::Right));
}

void TArrangeCommands::SpeedButton5Click()
{
    run(std::make_unique<SpaceObjectsCommand>(mDoc, selected(), SpacingKind::Equal));
}

void TArrangeCommands::SpeedButton6Click()
{
    run(std::make_unique<SpaceObjectsCommand>(mDoc, selected(), SpacingKind::PackUp));
}

void TArrangeCommands::SpeedButton3Click()
{
    run(std::make_unique<SpaceObjectsCommand>(mDoc, selected(), SpacingKind::Gap,
                                              SpacingFromText(spacingText())));
}

void TArrangeCommands::SpeedButton19Click()
{
    run(std::make_unique<RestackObjectCommand>(mDoc, selected(), true));
}

void TArrangeCommands::SpeedButton18Click()
{
    run(std::make_unique<RestackObjectCommand>(mDoc, selected(), false));
}

void TArrangeCommands::SpeedButtonLockClick()
{
    run(std::make_unique<LockObjectsCommand>(mDoc, mMetrics, selected(),
                                             mPanels.SpeedButtonLock->isChecked()));
}

void TArrangeCommands::DataSakujo1()
{
    if (mCtl.selection().isEmpty())
        return;
    const QVector<int> rows = SelectedRows(mDoc.AData, selected());
    mCtl.clearSelection();
    mDoc.push(std::make_unique<RemoveObjectsCommand>(mDoc, QStringLiteral("削除"), rows));
}

void TArrangeCommands::Setlayer1()
{
    run(std::make_unique<SetObjectModeCommand>(mDoc, mMetrics, selected(), ObjectMode::Standard));
}

void TArrangeCommands::SpeedButton8Click()
{
    run(std::make_unique<SetObjectModeCommand>(mDoc, mMetrics, selected(), ObjectMode::Answer));
}

void TArrangeCommands::SpeedButton4Click()
{
    run(std::make_unique<SetObjectModeCommand>(mDoc, mMetrics, selected(), ObjectMode::NameField));
}

QVector<RMouseSelect> TArrangeCommands::selected() const
{
    return mCtl.selection().entries();
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
