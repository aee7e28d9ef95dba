// The picture tool: a press on an empty spot asks for a picture file and
// places the picture with its top-left corner there, the picture and its
// row as one command. A refused file leaves the worksheet as it was.
#pragma once

#include "editing/tools/UnitCreationTool.h"

class PictureTool : public CreationTool
{
public:
    using CreationTool::CreationTool;

    QString toolSyu() const override { return QStringLiteral("4"); }

protected:
    void create(const PageEvent &ev, int hit) override;
};
