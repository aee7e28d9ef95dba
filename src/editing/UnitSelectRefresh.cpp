// The selection after the rows or the view changed: entries that name no
// row any more go, and the marks are placed again at the current zoom.
#include "editing/UnitSelect.h"

void TEditController::refreshSelectionMarks()
{
    // Rows may have gone: keep only entries that still name a row.
    mSelection.dropMissing(mDoc.AData.size());
    if (mSelection.isEmpty()) {
        clearSelection();
        return;
    }
    mSelection.refresh(mDoc.AData, true);
    mMarks.placeAll();
}

void TEditController::ViewChanged()
{
    mMarks.hideHover();
    if (!mSelection.isEmpty())
        refreshSelectionMarks();
    if (mPreview && !mPreview->isHidden())
        updateTextPreview(mDoc.NewData.Siki);
    mCreationMarks.refresh();
}

void TEditController::clearSelection()
{
    mSelection.clear();
    mMarks.hideAll();
    fillProValues();
}
