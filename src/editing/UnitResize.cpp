// The corner handles of the editing controller: their presses, moves and
// releases arrive in pixels of the page panel; the controller turns the
// mouse's travel into page units and hands it to the selection tool, which
// resizes as one command per handle drag, and keeps the handle in the
// mouse's hand.
#include "editing/UnitSelect.h"
#include "editing/tools/UnitSelectTool.h"

void TEditController::HandleMouseDown(Handle h, QPoint panelPos)
{
    if (mSelection.isEmpty())
        return;
    mMarks.setShapePS();
    if (!mMarks.frameValid())
        return;
    TResizeHandle *handle = mMarks.PanelPS(int(h));
    mPsPage = mMarks.handlePage();
    mPsPress = panelPos;
    mPsStart = handle ? handle->pos() : QPoint();
    mSelectTool->handlePress(h, mMarks.frame());
    mMarks.showFrame();
    mMarks.hideHover();
}

void TEditController::HandleMouseMove(QPoint panelPos)
{
    if (!resizing() || mSelection.isEmpty())
        return;
    const QPoint travel = panelPos - mPsPress;
    mSelectTool->handleMove(toPage(travel.x()), toPage(travel.y()));
    // The other handles stay away while the drag lasts; the one in the
    // mouse's hand follows it so that the drag is not lost.
    mMarks.followHandle(mSelectTool->handle(), mPsStart + travel);
}

void TEditController::HandleMouseUp(QPoint panelPos)
{
    if (!resizing())
        return;
    // The release point is where the corner ends, also when no move
    // reported it.
    HandleMouseMove(panelPos);
    mSelectTool->handleRelease();
}
