// The interface of the editor's tools. The editing controller turns every
// mouse position on a page into page units once, with the zoom, and hands
// the event to the current tool; a tool never sees pixels. The controller
// activates a tool when it becomes current and deactivates it when another
// takes its place; a tool that loses its place gives up whatever it was
// creating. Each tool keeps its own state private and changes rows only
// through commands on the document's undo stack.
#pragma once

#include "editing/tools/UnitEditContext.h"

#include <QString>
#include <Qt>

// A mouse position on a page, in page units.
struct PageEvent {
    int page = 0;
    int x = 0;
    int y = 0;
};

class EditTool
{
public:
    explicit EditTool(EditContext &ctl) : mCtl(ctl) {}
    virtual ~EditTool() = default;
    EditTool(const EditTool &) = delete;
    EditTool &operator=(const EditTool &) = delete;

    // The tool mode as the worksheet's settings store it: "0" select,
    // "1" text, "2" line, "3" box, "4" picture, "5" math problem.
    virtual QString toolSyu() const = 0;

    virtual void activate() {}
    virtual void deactivate() {}
    virtual void press(const PageEvent &ev) = 0;
    virtual void move(const PageEvent &ev) = 0;
    virtual void release(const PageEvent &ev) = 0;
    // Opens the selected text or math problem for editing, whatever the tool.
    virtual void doubleClick(const PageEvent &ev);
    // True when the tool used the key.
    virtual bool key(int key, Qt::KeyboardModifiers mods);

protected:
    EditContext &mCtl;
};
