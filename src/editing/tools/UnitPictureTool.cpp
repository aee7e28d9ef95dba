#include "editing/tools/UnitPictureTool.h"
#include "editing/UnitSelect.h"

void PictureTool::create(const PageEvent &ev, int)
{
    if (!mCtl.mSelection.isEmpty())
        return;
    beginPending(ev, QStringLiteral("4"), mCtl.mDoc.GetId());
    mCtl.mHost.redraw();

    const QString name = mCtl.pictureDialogs().getOpenPictureName();
    if (!name.isEmpty()) {
        mCtl.OpenPicture(name);
    } else {
        mCtl.emptyNewData(0);
        mCtl.hideMarker();
    }
    mCtl.syncCreation();
    mCtl.mHost.redraw();
}
