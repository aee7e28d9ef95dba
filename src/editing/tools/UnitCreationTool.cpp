#include "editing/tools/UnitCreationTool.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"
#include "editing/tools/UnitSelectTool.h"

SelectTool &CreationTool::selectTool() const
{
    return mCtl.selectTool();
}

bool CreationTool::isCurrent() const
{
    return mCtl.currentTool() == this;
}

void CreationTool::beginPending(const PageEvent &ev, const QString &syu, int id)
{
    RAData &n = mCtl.document().NewData;
    n.ID = id;
    n.Syu = syu;
    n.Page = ev.page;
    n.X1 = ev.x;
    n.Y1 = ev.y;
    n.Siki.clear();
    mCtl.showMarker(ev.page, ev.x, ev.y);
    mCtl.syncCreation();
}

void CreationTool::press(const PageEvent &ev)
{
    const int hit = selectTool().pick(ev);
    if (isCurrent())
        create(ev, hit);
}

void CreationTool::move(const PageEvent &ev)
{
    if (selectTool().dragging()) {
        selectTool().move(ev);
        return;
    }
    // The hover frame is an overlay: the page images stay as they are.
    mCtl.hover(ev);
}

void CreationTool::release(const PageEvent &ev)
{
    selectTool().release(ev);
}
