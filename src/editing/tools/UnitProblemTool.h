// The math problem tool: a press on an empty spot opens the expression tool
// for a new problem there; a press that picks an object hides it. The
// expression tool writes the row itself. Leaving the tool gives up a new
// problem that waits in the expression tool.
#pragma once

#include "editing/tools/UnitCreationTool.h"

class ProblemTool : public CreationTool
{
public:
    using CreationTool::CreationTool;

    QString toolSyu() const override { return QStringLiteral("5"); }
    void deactivate() override;

protected:
    void create(const PageEvent &ev, int hit) override;
};
