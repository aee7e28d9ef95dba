// The common ground of the tools that place new objects (text, line, box,
// picture, math problem): a press first goes to the selection tool, so an
// object under the pointer is picked and can be dragged as with "選択";
// only then does the tool decide whether to create. Moves and releases of
// such a drag go to the selection tool as well.
#pragma once

#include "editing/tools/UnitEditTool.h"

class SelectTool;

class CreationTool : public EditTool
{
public:
    using EditTool::EditTool;

    void press(const PageEvent &ev) override;
    void move(const PageEvent &ev) override;
    void release(const PageEvent &ev) override;

protected:
    // The press after the selection tool picked what lies under it (hit is
    // the row picked, -1 when none). Not called when the pick made another
    // tool current.
    virtual void create(const PageEvent &ev, int hit) = 0;
    SelectTool &selectTool() const;
    bool isCurrent() const;
    // The object waiting to be made: its kind, page and press point (and
    // the ID of a row that does not exist yet, -1 for none), with the
    // marker shown at the press point.
    void beginPending(const PageEvent &ev, const QString &syu, int id = -1);
};
