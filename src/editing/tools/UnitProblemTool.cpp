#include "editing/tools/UnitProblemTool.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"
#include "math/UnitSiki.h"

void ProblemTool::create(const PageEvent &ev, int)
{
    if (!mCtl.selection().isEmpty()) {
        mCtl.closeProblemInput();
        return;
    }
    beginPending(ev, QStringLiteral("5"));
    mCtl.openProblemInput(ev.page, ev.x, ev.y);
}

void ProblemTool::deactivate()
{
    // Only a new problem is given up; one being rewritten stays open.
    const RAData &n = mCtl.document().NewData;
    if (n.Syu != u"5" || n.ID >= 0)
        return;
    mCtl.closeProblemInput();
    mCtl.endCreation(n.Page);
}
