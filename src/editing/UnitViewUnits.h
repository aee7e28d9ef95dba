// The view's unit conversion: page units to pixels of the page image at the
// current zoom and back, and the panel that shows a page. It reads the zoom
// from the window each time, so it is right after every zoom change.
#pragma once

#include "editing/UnitEditHost.h"

#include <algorithm>
#include <cstdint>

class ViewUnits
{
public:
    explicit ViewUnits(const EditHost &host) : mHost(host) {}

    // Page units of a distance in pixels.
    int toPage(int pixels) const
    {
        const int64_t raw = mHost.gamenBai().raw;
        if (raw <= 0)
            return pixels;
        return int(int64_t(pixels) * 10000 / raw);
    }
    // Pixels of a page position, kept within what a widget can be placed at.
    int toScreen(int64_t pageUnits) const
    {
        const int64_t v = mHost.gamenBai().scaleTrunc(pageUnits);
        return int(std::clamp<int64_t>(v, -(1 << 24), 1 << 24));
    }
    // The panel that shows page `page`; null when there is none.
    QWidget *panelOf(int page) const { return mHost.pagePanel(page); }

private:
    const EditHost &mHost;
};
