// Start-up of the editor: "--version" and "--help" (answered without a
// window), application object with its icon, Qt's Japanese translations,
// fonts, working folders, the instance marker, the windows in their fixed
// order, the optional file argument, the offer of worksheets left unsaved by
// editors that ended without a clean exit, then the main loop. No exception leaves
// the main loop or the start-up: each ends in the general error message.
#pragma once

#include <QString>
#include <functional>

class QCoreApplication;
class QTranslator;
class TForm1;

int RunTavenorPrint(int argc, char **argv);

// Runs `work`; an exception ends it with the general error message box.
// False when it ended so.
bool RunGuarded(const std::function<void()> &work);

// Loads Qt's own Japanese texts (qtbase_ja from Qt's translations folder),
// so that the standard dialogs and message-box buttons speak Japanese.
// Returns the installed translator (owned by the application), null when
// the translation files are not installed.
QTranslator *InstallQtTranslations(QCoreApplication &app);

// Initialises the main window and its editing for the file named on the
// command line (empty: none). A file that cannot be opened leaves the
// editor running on an empty worksheet.
void StartEditor(TForm1 &form, const QString &argumentFile);
