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
    TFormMoji *moji = mCtl.formMoji();
    moji->StartForm();
    moji->show();
    moji->raise();
    moji->MemoMoji->setFocus();
}

void TextTool::deactivate()
{
    // Only a new text is given up; a text being rewritten keeps its window.
    const RAData &n = mCtl.document().NewData;
    if (n.Syu != u"1" || n.ID >= 0)
        return;
    if (mCtl.formMoji())
        mCtl.formMoji()->hide();
    if (mCtl.TextPreview())
        mCtl.TextPreview()->hide();
    mCtl.endCreation(n.Page);
}
