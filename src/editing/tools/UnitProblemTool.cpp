#include "editing/tools/UnitProblemTool.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"
#include "math/UnitSiki.h"

void ProblemTool::create(const PageEvent &ev, int)
{
    TFormSiki *siki = mCtl.sikiForm();
    if (!mCtl.selection().isEmpty()) {
        if (siki)
            siki->hide();
        return;
    }
    beginPending(ev, QStringLiteral("5"));
    if (siki)
        siki->OpenNew(ev.page, ev.x, ev.y);
}

void ProblemTool::deactivate()
{
    // Only a new problem is given up; one being rewritten stays open.
    const RAData &n = mCtl.document().NewData;
    if (n.Syu != u"5" || n.ID >= 0)
        return;
    if (mCtl.sikiForm())
        mCtl.sikiForm()->hide();
    mCtl.endCreation(n.Page);
}
