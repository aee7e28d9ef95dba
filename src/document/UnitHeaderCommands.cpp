#include "document/UnitHeaderCommands.h"

namespace
{
// The colour and the paper show on every page (the answers, the page size).
RChange everyPage()
{
    RChange c;
    c.allPages = true;
    return c;
}
} // namespace

ChangeAnswerColorCommand::ChangeAnswerColorCommand(Document &doc, TColor after)
    : DocumentCommand(doc, QStringLiteral("解答の色")), mBefore(doc.AnswerColor), mAfter(after)
{
}

bool ChangeAnswerColorCommand::firstApply()
{
    mBefore = mDoc.AnswerColor;
    if (mBefore == mAfter)
        return false;
    mDoc.AnswerColor = mAfter;
    return true;
}

void ChangeAnswerColorCommand::reapply()
{
    mDoc.AnswerColor = mAfter;
}

void ChangeAnswerColorCommand::revert()
{
    mDoc.AnswerColor = mBefore;
}

RChange ChangeAnswerColorCommand::changeFor(bool) const
{
    return everyPage();
}

bool SameSheetPaper(const RPaperData &a, const RPaperData &b)
{
    return a.PaperSizeCode == b.PaperSizeCode && a.Orientation == b.Orientation &&
           a.Width == b.Width && a.Height == b.Height && a.PaperW == b.PaperW &&
           a.PaperH == b.PaperH;
}

ChangePaperCommand::ChangePaperCommand(Document &doc, const RPaperData &after)
    : DocumentCommand(doc, QStringLiteral("用紙設定")), mBefore(doc.Paper), mAfter(after)
{
}

bool ChangePaperCommand::firstApply()
{
    mBefore = mDoc.Paper;
    if (SameSheetPaper(mBefore, mAfter))
        return false;
    mDoc.Paper = mAfter;
    return true;
}

void ChangePaperCommand::reapply()
{
    mDoc.Paper = mAfter;
}

void ChangePaperCommand::revert()
{
    mDoc.Paper = mBefore;
}

RChange ChangePaperCommand::changeFor(bool) const
{
    return everyPage();
}
