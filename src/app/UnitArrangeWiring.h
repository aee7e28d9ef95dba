// Installs the arrangement bars, the property-panel commands, the
// coordinate dialog and the nudge window into the main window, next to the
// editing controller: the bars go beside the tool buttons on a row of
// their own, "解答モード" and "名前欄" into the answer and name-field bars with
// the name-field file buttons, "プロパティ" into the menu "表示", "FormMove"
// into the test menu, and the presses and clicks of the on-page buttons
// "b" and "r" to their commands. Called once by InstallEditing.
#pragma once

#include <QToolButton>

class TForm1;
struct EditingParts;

void InstallArrangement(TForm1 &form, EditingParts &parts);

// The name-field bar's file buttons. Open replaces the worksheet's name
// field by a file's, as one undoable command; afterwards (also after a
// cancel) the selection is empty. Save writes the name-field objects.
void SpeedButton9Click(TForm1 &form);
void SpeedButton10Click(TForm1 &form);
