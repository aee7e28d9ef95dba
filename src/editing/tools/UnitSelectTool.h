// The selection tool: a press picks the topmost object under the pointer
// (with "複数" it joins the selection, otherwise it replaces it), a drag
// moves the unlocked selected objects as one command, merged while the
// mouse is down, and the corner handles resize the selection the same way.
// The creation tools hand their presses to it first, so an object under the
// pointer is picked and dragged whatever tool is current. It changes rows
// only through commands; the marks over the pages belong to the editing
// controller, which it asks to place them.
#pragma once

#include "editing/UnitHitTest.h"
#include "editing/tools/UnitEditTool.h"

class SelectTool : public EditTool
{
public:
    using EditTool::EditTool;

    QString toolSyu() const override { return QStringLiteral("0"); }
    void press(const PageEvent &ev) override;
    void move(const PageEvent &ev) override;
    void release(const PageEvent &ev) override;

    // The part of a press that every tool shares: the object under the
    // pointer becomes (or joins) the selection and a drag may follow.
    // Returns the row hit, -1 when none. Picking a text makes the text tool
    // current.
    int pick(const PageEvent &ev);
    // True between a press that hit an object and its release.
    bool dragging() const { return mMouseDown.B; }

    // A corner handle: pressed with the selection frame as it stands, then
    // the mouse's travel since the press in page units, then released.
    void handlePress(Handle h, const PageRect &frame);
    void handleMove(int travelX, int travelY);
    void handleRelease();
    bool resizing() const { return mResizing; }
    Handle handle() const { return mHandle; }

private:
    void dragTo(const PageEvent &ev);

    RMouseDown mMouseDown; // page units of the press that hit an object
    int mMoveRun = 0;      // merge run of the drag in progress
    bool mResizing = false;
    Handle mHandle = Handle::BottomRight;
    PageRect mFrameAtPress;
    int mResizeRun = 0; // merge run of the handle drag in progress
};
