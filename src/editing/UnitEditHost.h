// What the editing controller needs from the main window: the zoom, the two
// display toggles, the page panels that carry the overlays, the cursor of
// the pages, a parent for dialogs, the full redraw and the redraw of some
// pages. The main window
// implements it over its own widgets; tests implement it over plain widgets
// and a renderer of their own. The interface only reads and redraws; it
// never edits the document.
#pragma once

#include "platform/UnitNumText.h"

#include <QCursor>
#include <QSet>

class QWidget;

class EditHost
{
public:
    virtual ~EditHost() = default;
    // The view zoom GamenBai (page units to image pixels).
    virtual Fixed4 gamenBai() const = 0;
    virtual bool answerDisplayOn() const = 0;
    virtual bool nameDisplayOn() const = 0;
    // The panel that shows page `page`; null when there is none.
    virtual QWidget *pagePanel(int page) const = 0;
    // Repaints every page from the document (SrcImageP) and shows it.
    virtual void redraw() = 0;
    // Repaints only these pages and shows them; the pixels must be what a
    // full redraw gives. Hosts that cannot do better redraw every page.
    virtual void redrawPages(const QSet<int> &pages)
    {
        Q_UNUSED(pages);
        redraw();
    }
    // Scrolls so that this rectangle (pixels of page `page`'s panel) is in
    // view; hosts without a scrolled view do nothing.
    virtual void showArea(int page, const QRect &pixels)
    {
        Q_UNUSED(page);
        Q_UNUSED(pixels);
    }
    // Gives every page image this cursor.
    virtual void setPageCursor(Qt::CursorShape shape) = 0;
    // Parent of the editor's windows and dialogs.
    virtual QWidget *dialogParent() const = 0;
};
