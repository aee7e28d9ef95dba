#include "editing/tools/UnitEditTool.h"
#include "editing/UnitSelect.h"

void EditTool::doubleClick(const PageEvent &)
{
    mCtl.EditSelection();
}

bool EditTool::key(int, Qt::KeyboardModifiers)
{
    return false;
}
