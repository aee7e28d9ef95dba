// Installs the interactive editing into the main window: the editing
// controller, the tool bar with the tool buttons, the bar of the four tool
// panels, the text window and the expression tool, the "編集" menu with
// undo and redo, and the connections of the page area's mouse signals and
// of the test menu's button objects.
// Everything it creates is owned by the form and kept in its editing parts. Called once at start-up,
// after the pages exist; it never edits the document itself.
#pragma once

#include "app/UnitFormParts.h"

class TForm1;

// `siki` is the expression tool to use; when null one is created for the
// form. The parts are kept by the form (TForm1::editing()); calling it a
// second time returns them.
EditingParts InstallEditing(TForm1 &form, TFormSiki *siki = nullptr);
