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
    setShapePS();
    if (!mFrameValid)
        return;
    TResizeHandle *handle = mHandles[int(h) - 1];
    mPsPage = mHandlePage;
    mPsPress = panelPos;
    mPsStart = handle ? handle->pos() : QPoint();
    mSelectTool->handlePress(h, mFrame);
    if (mShapePS)
        mShapePS->show();
    if (mShapeMS)
        mShapeMS->hide();
}

void TEditController::HandleMouseMove(QPoint panelPos)
{
    if (!resizing() || mSelection.isEmpty())
        return;
    const QPoint travel = panelPos - mPsPress;
    mSelectTool->handleMove(toPage(travel.x()), toPage(travel.y()));
    // The other handles stay away while the drag lasts; the one in the
    // mouse's hand follows it so that the drag is not lost.
    const QPoint reached = mPsStart + travel;
    for (int i = 0; i < 4; ++i) {
        if (!mHandles[i])
            continue;
        if (i == int(mSelectTool->handle()) - 1) {
            mHandles[i]->black()->move(reached - QPoint(1, 1));
            mHandles[i]->move(reached);
        } else {
            mHandles[i]->setShown(false);
        }
    }
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
