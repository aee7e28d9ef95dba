// Installs the interactive editing into the main window: the editing
// controller, the tool bar with the tool buttons, the bar of the four tool
// panels, the text window and the expression tool, the "編集" menu with
// undo and redo, and the connections of the page area's mouse signals and
// of the test menu's button objects.
// Everything it creates is owned by the form. Called once at start-up,
// after the pages exist; it never edits the document itself.
#pragma once

class TForm1;
class TEditController;
class TEditPanels;
class TFormSiki;
class QToolBar;
class QAction;
class QMenu;
class QToolButton;
class TArrangeBars;
class TArrangeCommands;
class TPanelCommands;
class TFormPro;
class TFormMove;

struct EditingParts {
    TEditController *controller = nullptr;
    TEditPanels *panels = nullptr;
    TFormSiki *siki = nullptr;
    QToolBar *toolBar = nullptr;  // "ツール": the tool buttons
    QToolBar *panelBar = nullptr; // "プロパティ": the four tool panels
    QMenu *editMenu = nullptr;    // "編集"
    QAction *undoAction = nullptr; // "元に戻す: <command>"
    QAction *redoAction = nullptr; // "やり直し: <command>"
    // Arrangement and property panels (InstallArrangement).
    TArrangeBars *bars = nullptr;
    TArrangeCommands *arrange = nullptr;
    TPanelCommands *panelCommands = nullptr;
    TFormPro *pro = nullptr;
    TFormMove *move = nullptr;
    QToolButton *SpeedButton8 = nullptr;  // "解答モード"
    QToolButton *SpeedButton4 = nullptr;  // "名前欄"
    QToolButton *SpeedButton9 = nullptr;  // name field: open
    QToolButton *SpeedButton10 = nullptr; // name field: save
};

// `siki` is the expression tool to use; when null one is created for the
// form. Calling it a second time returns the parts of the first call.
EditingParts InstallEditing(TForm1 &form, TFormSiki *siki = nullptr);

// The parts installed on this form (all null before InstallEditing).
EditingParts EditingOf(TForm1 &form);
