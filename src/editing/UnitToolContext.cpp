// The parts of the editing controller the tools reach through their
// context: the panels' style read as a value, the display toggles and the
// size box.
#include "editing/UnitSelect.h"

PanelStyle TEditController::panelStyle() const
{
    PanelStyle s;
    s.lineWidth = mPanels.MemoLineSize->text();
    s.lineColor = mPanels.PanelColorLine->color();
    s.boxWidth = mPanels.MemoBoxSize->text();
    s.boxColor = mPanels.PanelColorBox->color();
    s.boxFill = mPanels.PanelColorBoxFull->color();
    s.boxFillTransparent = mPanels.PanelColorBoxFull->transparentShown();
    s.aspectUnlocked = mPanels.aspectUnlocked();
    return s;
}

bool TEditController::nameDisplayOn() const
{
    return mHost.nameDisplayOn();
}

bool TEditController::answerDisplayOn() const
{
    return mHost.answerDisplayOn();
}

void TEditController::showFontSize(int size)
{
    mPanels.MemoFS->setText(QString::number(size));
}
