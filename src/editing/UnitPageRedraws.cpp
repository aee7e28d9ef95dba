#include "editing/UnitPageRedraws.h"
#include "document/UnitData.h"
#include "editing/UnitEditHost.h"

PageRedraws::PageRedraws(Document &doc, EditHost &host, QObject *parent)
    : QObject(parent), mHost(host)
{
    connect(&doc.events(), &DocumentEvents::changed, this, &PageRedraws::changed);
    connect(&doc.events(), &DocumentEvents::liveRunEnded, this, &PageRedraws::flush);
}

void PageRedraws::changed(const RChange &change)
{
    mPending.unite(change.pages);
    mPendingAll = mPendingAll || change.allPages;
    if (!change.live)
        flush();
}

void PageRedraws::flush()
{
    if (mPendingAll)
        mHost.redraw();
    else if (!mPending.isEmpty())
        mHost.redrawPages(mPending);
    mPending.clear();
    mPendingAll = false;
}
