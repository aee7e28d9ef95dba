#include "editing/tools/UnitProblemTool.h"
#include "editing/UnitSelect.h"
#include "math/UnitSiki.h"

void ProblemTool::create(const PageEvent &ev, int)
{
    TFormSiki *siki = mCtl.mSiki;
    if (!mCtl.mSelection.isEmpty()) {
        if (siki)
            siki->hide();
        return;
    }
    beginPending(ev, QStringLiteral("5"));
    if (siki)
        siki->OpenNew(ev.page, ev.x, ev.y);
    mCtl.mHost.redraw();
}

void ProblemTool::deactivate()
{
    // Only a new problem is given up; one being rewritten stays open.
    const RAData &n = mCtl.mDoc.NewData;
    if (n.Syu != u"5" || n.ID >= 0)
        return;
    if (mCtl.mSiki)
        mCtl.mSiki->hide();
    mCtl.endCreation(n.Page);
}
