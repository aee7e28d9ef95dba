// Installs the print navigator and the cloud exchange into the main window:
// the tool button "ナビ", the hidden menus "クラウド" (item "Upload") and
// "設定" (item "プロキシサーバ"), the HTTP client with the proxy settings, and
// the navigator and cloud windows, all owned by the form. The windows reach
// the editor through one host object that opens files by name, empties the
// worksheet, switches answer display, prints and regenerates. Called once at
// start-up, after the editing is installed.
#pragma once

#include <QString>

#include "app/UnitFormParts.h"

class TForm1;

// The sample library of the running program: SampleFolderFor its folder.
QString SampleFolder();
// The sample library for a program in `programFolder`: "Navi" beside it (the
// build folder), else the installed copy in the data folder next to the
// program's folder (TAVENOR_SAMPLES_FROM_BIN, "../share/tavenor-print/Navi"
// for a program in bin). When neither exists, the folder beside the program,
// which the navigator then shows as empty.
QString SampleFolderFor(const QString &programFolder);

// `sampleFolder` empty: SampleFolder(). The parts are kept by the form
// (TForm1::library()); a second call returns them.
LibraryParts InstallLibrary(TForm1 &form, const QString &sampleFolder = QString());

// "ナビ": the unsaved-changes question, then the navigator from its start
// page, modal. False when the question was cancelled.
bool NaviButtonClick(TForm1 &form);
// At start-up: true when the navigator is due (its option is on and no file
// was named on the command line).
bool NaviDueAtStart(TForm1 &form, bool fileNamed);
