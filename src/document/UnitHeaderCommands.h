// The undoable changes of two worksheet-wide values that the file keeps in
// its header: the colour in which answers are drawn while answer display is
// on, and the paper (size code, orientation, width and height). The main
// window builds these after the answer-colour menu and after the page
// set-up dialog; the view follows the document's changed signal (the
// colour swatch shows the document's colour, the pages take the paper's
// size). Both touch every page. A change to the value the worksheet already
// holds pushes nothing.
#pragma once

#include "document/UnitCommands.h"

class ChangeAnswerColorCommand : public DocumentCommand
{
public:
    ChangeAnswerColorCommand(Document &doc, TColor after);

protected:
    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;

private:
    TColor mBefore = 0;
    TColor mAfter = 0;
};

// The paper counts as changed when what the worksheet lays out and saves
// differs: the size code, the orientation, the width and height texts or
// the millimetres behind them. The printer's name and margins only travel
// along with such a change, since they say nothing about the sheet itself.
bool SameSheetPaper(const RPaperData &a, const RPaperData &b);

class ChangePaperCommand : public DocumentCommand
{
public:
    ChangePaperCommand(Document &doc, const RPaperData &after);

protected:
    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;

private:
    RPaperData mBefore;
    RPaperData mAfter;
};
