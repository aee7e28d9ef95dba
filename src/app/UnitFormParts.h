// The parts of the main window that start-up builds around it: the
// editing (controller, panels, tool bars, arrangement), the navigator and
// cloud windows. TForm1 keeps them as members; the Install functions of the
// wiring units build them once, in the order StartEditor gives.
#pragma once

class EditHost;
class PageRedraws;
class TEditController;
class TEditPanels;
class TFormSiki;
class TArrangeBars;
class TArrangeCommands;
class TPanelCommands;
class TFormPro;
class TFormMove;
class TFormNavi;
class TFormProxy;
class TFormCloud;
class TFormCloudDownload;
class TFormCloudUpload;
class TInternet;
class QToolBar;
class QAction;
class QMenu;
class QToolButton;

struct EditingParts {
    EditHost *host = nullptr; // the window as the controller sees it
    PageRedraws *redraws = nullptr; // the page images following the document
    TEditController *controller = nullptr;
    TEditPanels *panels = nullptr;
    TFormSiki *siki = nullptr;
    QToolBar *toolBar = nullptr;  // "ツール": the tool buttons
    QToolBar *panelBar = nullptr; // "プロパティ": the four tool panels
    QMenu *editMenu = nullptr;    // "編集"
    QMenu *pageMenu = nullptr;    // the pages' context menu
    QAction *setAction = nullptr; // "この問題をまとめて配置…"
    QMenu *nameHeaderMenu = nullptr; // "名前欄を追加": "1行", "点数の丸つき"
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
    QToolButton *NameHeaderButton = nullptr; // "名前欄を追加": a click pops up nameHeaderMenu
};

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
