// The parts of the editing controller the tools reach through their
// context: the panels' style read as a value and the input windows.
#include "editing/UnitSelect.h"
#include "editing/UnitMoji.h"
#include "math/UnitSiki.h"

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
    s.multiSelect = multiSelect();
    s.nameDisplay = mHost.nameDisplayOn();
    s.answerDisplay = mHost.answerDisplayOn();
    s.bandColor = highlightColor();
    return s;
}

SikiMainSettings TEditController::sikiSettings() const
{
    SikiMainSettings s;
    s.fontName = mPanels.MemoFontName->text();
    int fs = 0;
    // An unreadable size box falls back to the start value.
    s.fontSize = ReadIntegerBox(mPanels.MemoFS->text(), fs) ? fs : 11;
    s.kotaeDisplay = mHost.answerDisplayOn();
    return s;
}

void TEditController::openTextInput()
{
    mMoji->StartForm();
    mMoji->show();
    mMoji->raise();
    mMoji->MemoMoji->setFocus();
}

void TEditController::closeTextInput()
{
    if (mMoji)
        mMoji->hide();
}

void TEditController::openProblemInput(int page, int x, int y)
{
    if (mSiki)
        mSiki->OpenNew(page, x, y);
}

void TEditController::closeProblemInput()
{
    if (mSiki)
        mSiki->hide();
}
