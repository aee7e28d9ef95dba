#include "editing/tools/UnitPictureTool.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"

void PictureTool::create(const PageEvent &ev, int)
{
    if (!mCtl.selection().isEmpty())
        return;
    beginPending(ev, QStringLiteral("4"), mCtl.document().GetId());

    const QString name = mCtl.pictureDialogs().getOpenPictureName();
    if (!name.isEmpty()) {
        mCtl.OpenPicture(name);
        mCtl.syncCreation();
    } else {
        mCtl.endCreation(0);
    }
}
