// Installs the print navigator and the cloud exchange into the main window:
// the tool button "ナビ", the hidden menus "クラウド" (item "Upload") and
// "設定" (item "プロキシサーバ"), the HTTP client with the proxy settings, and
// the navigator and cloud windows, all owned by the form. The windows reach
// the editor through one host object that opens files by name, empties the
// worksheet, switches answer display, prints and regenerates. Called once at
// start-up, after the editing is installed.
#pragma once

#include <QString>

class TForm1;
class TFormNavi;
class TFormProxy;
class TFormCloud;
class TFormCloudDownload;
class TFormCloudUpload;
class TInternet;
class QMenu;
class QToolButton;

struct LibraryParts {
    TFormNavi *navi = nullptr;
    TInternet *internet = nullptr;
    TFormProxy *proxy = nullptr;
    TFormCloudDownload *download = nullptr;
    TFormCloudUpload *upload = nullptr;
    TFormCloud *cloud = nullptr;
    QToolButton *naviButton = nullptr; // "ナビ"
    QMenu *cloudMenu = nullptr;        // "クラウド", hidden
    QMenu *settingsMenu = nullptr;     // "設定", hidden
};

// The sample library beside the program: its folder + "/Navi".
QString SampleFolder();

// `sampleFolder` empty: SampleFolder(). A second call returns the parts of
// the first.
LibraryParts InstallLibrary(TForm1 &form, const QString &sampleFolder = QString());
LibraryParts LibraryOf(TForm1 &form);

// "ナビ": the unsaved-changes question, then the navigator from its start
// page, modal. False when the question was cancelled.
bool NaviButtonClick(TForm1 &form);
// At start-up: true when the navigator is due (its option is on and no file
// was named on the command line).
bool NaviDueAtStart(TForm1 &form, bool fileNamed);
