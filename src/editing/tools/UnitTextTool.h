// The text tool: a press on an empty spot opens the text window for a new
// text there, with a marker on the page; "OK" of the window writes it (the
// editing controller's MojiKettei). Leaving the tool gives up a new text
// that waits in the window.
#pragma once

#include "editing/tools/UnitCreationTool.h"

class TextTool : public CreationTool
{
public:
    using CreationTool::CreationTool;

    QString toolSyu() const override { return QStringLiteral("1"); }
    void deactivate() override;

protected:
    void create(const PageEvent &ev, int hit) override;
};
