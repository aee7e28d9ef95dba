#include "editing/tools/UnitPictureTool.h"
#include "editing/UnitSelect.h"

void PictureTool::create(const PageEvent &ev, int)
{
    if (!mCtl.mSelection.isEmpty())
        return;
    Document &doc = mCtl.mDoc;
    RAData &n = doc.NewData;
    n.ID = doc.GetId();
    n.Syu = QStringLiteral("4");
    n.Page = ev.page;
    n.X1 = ev.x;
    n.Y1 = ev.y;
    n.Siki.clear();
    mCtl.showMarker(ev.page, ev.x, ev.y);
    mCtl.syncCreation();
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
