#include "editing/tools/UnitTextTool.h"
#include "editing/UnitMoji.h"
#include "editing/UnitSelect.h"

void TextTool::create(const PageEvent &ev, int)
{
    if (!mCtl.mSelection.isEmpty())
        return;
    beginPending(ev, QStringLiteral("1"));
    TFormMoji *moji = mCtl.mMoji;
    moji->StartForm();
    moji->show();
    moji->raise();
    moji->MemoMoji->setFocus();
    mCtl.mHost.redraw();
}

void TextTool::deactivate()
{
    // Only a new text is given up; a text being rewritten keeps its window.
    const RAData &n = mCtl.mDoc.NewData;
    if (n.Syu != u"1" || n.ID >= 0)
        return;
    if (mCtl.mMoji)
        mCtl.mMoji->hide();
    if (mCtl.mPreview)
        mCtl.mPreview->hide();
    mCtl.endCreation(n.Page);
}
