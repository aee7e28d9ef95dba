#include "editing/tools/UnitEditTool.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"

void EditTool::doubleClick(const PageEvent &)
{
    mCtl.EditSelection();
}

bool EditTool::key(int, Qt::KeyboardModifiers)
{
    return false;
}
