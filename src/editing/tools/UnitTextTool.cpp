#include "editing/tools/UnitTextTool.h"
#include "editing/UnitMoji.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"

void TextTool::create(const PageEvent &ev, int)
{
    if (!mCtl.selection().isEmpty())
        return;
    beginPending(ev, QStringLiteral("1"));
    mCtl.openTextInput();
}

void TextTool::deactivate()
{
    // Only a new text is given up; a text being rewritten keeps its window.
    const RAData &n = mCtl.document().NewData;
    if (n.Syu != u"1" || n.ID >= 0)
        return;
    mCtl.closeTextInput();
    mCtl.endCreation(n.Page);
}
