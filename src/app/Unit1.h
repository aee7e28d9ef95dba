// The main window TForm1: menus, tool bars, the page area and the status
// bar, wired to the document and the layers below. The document, paper,
// file and drawing logic live in their own classes; this window holds them
// and the parts start-up builds around it, and connects its controls to
// them.
#pragma once

#include "app/UnitFileCommands.h"
#include "app/UnitFormParts.h"
#include "document/UnitData.h"
#include "document/UnitPaperSet.h"
#include "platform/UnitFolders.h"
#include "render/UnitView.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>

class QLockFile;
class QAction;
class QLineEdit;
class QToolBar;
class QToolButton;
class TPageArea;
class TViewControls;
class TPageButtons;
class TRandomBar;
class TBunruiBar;
class TFormAbout;
class TFormHelp;
class TSheetCommands;
class TRecovery;
class Renderer;
class FileCommands;
class FileDialogs;
class PrintDialogs;
class PrinterService;
struct RChange;

// The editor's settings with their start values.
struct TEditorSettings {
    Fixed4 GamenBai = Fixed4::fromInt(1);
    QString FontName = QStringLiteral("ＭＳ Ｐゴシック");
    QString FontSize = QStringLiteral("11");
    QString LineWidth = QStringLiteral("1");
    QString BoxWidth = QStringLiteral("1");
    QString ToolSyu = QStringLiteral("0");
    bool KaiOn = false;  // answer display
    bool NameOn = false; // name-field display
    TColor AnswerColor = 255;
    TColor KotaeColor = 0xD0C0C0;
    TColor TextColor = 0;
    bool TextBackOn = false;
    TColor LineColor = 0;
    TColor BoxLineColor = 0;
    bool BoxFillOn = false;
    TColor LabelMColor = 15912593;
};

// The status-bar link: underlined while the pointer is over it.
class TLinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TLinkLabel(const QString &text, QWidget *parent = nullptr);
signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
};

class TForm1 : public QMainWindow, public WorksheetHost
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Start-up: defaults, folders, instance marker, the first page, and the
    // file named on the command line (empty: none): a worksheet is opened, a
    // name-field file (".prn") is read into the new worksheet's name field.
    void SyokiForm(const QString &argumentFile);

    Document &doc() { return mDoc; }
    PageSet &pages() { return mPages; }
    PaperSet &paperSet() { return mPaperSet; }
    const WorkingFolders &folders() const { return mFolders; }
    TEditorSettings &settings() { return mSettings; }
    TPageArea *pageArea() const { return mPageArea; }
    TLinkLabel *statusLink() const { return mStatusLink; }


    // Dialog state of the open and save dialogs.
    QString OpenDialogFolder;
    QString SaveDialogFolder;
    QString SaveDialogFileName;

    TViewControls *viewControls() const { return mView; }
    Renderer &renderer() { return *mRenderer; }
    ViewState &viewState() { return mViewState; }
    FileCommands &fileCommands() { return *mFiles; }
    TPageButtons *pageButtons() const { return mPageButtons; }

    // The parts start-up builds around the window (StartEditor, in this
    // order): the editing, the bar "ランダム", the bar of the worksheet's
    // grade and subject, the navigator and cloud windows. Empty until built;
    // each is set once by its Install function.
    const EditingParts &editing() const { return mEditing; }
    TRandomBar *randomBar() const { return mRandomBar; }
    TBunruiBar *bunruiBar() const { return mBunruiBar; }
    const LibraryParts &library() const { return mLibrary; }
    void setEditing(const EditingParts &parts) { mEditing = parts; }
    void setRandomBar(TRandomBar *bar) { mRandomBar = bar; }
    void setBunruiBar(TBunruiBar *bar) { mBunruiBar = bar; }
    void setLibrary(const LibraryParts &parts) { mLibrary = parts; }
    // The recovery copy of the unsaved worksheet, built last (InstallRecovery).
    TRecovery *recovery() const { return mRecovery.get(); }
    void setRecovery(std::unique_ptr<TRecovery> recovery);
    // Replaces the file dialogs (tests script them).
    void setFileDialogs(FileDialogs *dialogs);
    FileDialogs &fileDialogs() { return *mDialogs; }
    // "PDFで保存…" and "クラス分作成…".
    TSheetCommands *sheetCommands() const { return mSheets; }
    // Replaces the print and page set-up dialogs (null: the system's).
    void setPrintDialogs(PrintDialogs *dialogs);
    QLineEdit *zoomBox() const { return mZoomBox; }

    // Commands.
    void NewFileCommand();                    // "新規作成"
    void PaperSetupCommand();                 // "用紙設定": OK pushes the change of paper
    void StartNewWorksheet();                 // NewFile, then one page of the printer's paper
    void Redraw();                            // repaints every page and the page area
    void RedrawPages(const QSet<int> &pages); // repaints only these pages
    void LayoutPages();                       // sizes the page images at the zoom and places them
    bool AskSave();                           // the unsaved-changes question
    // The answer-colour menu's choice, as an undoable change of the worksheet
    // (nothing when the worksheet has that colour already).
    void ChangeAnswerColor(TColor color);
    // After every do, undo and redo: the colour swatch shows the document's
    // colour and the pages take the size of the document's paper.
    void FollowDocument(const RChange &change);
    // Reads the zoom box ("100" = 100 %), sets GamenBai to four decimals,
    // sizes every page from its own paper at that zoom and redraws.
    void SetGamenBai();
    void ZoomBy(int steps); // Ctrl + wheel: ten percent a step
    // "印刷": the print dialog, then one renderer pass per page of the range.
    void PrinterOut();
    // After the print dialog: the worksheet's paper on the chosen printer,
    // its state checked, then the run. "印刷を開始できませんでした。" when the
    // printer refuses the job or it cannot start; true when printed.
    bool PrintChosenRange(int fromPage, int toPage);
    // The print run itself for a chosen range (one-based, inclusive), with
    // the scale and offsets of the current printer and paper.
    bool PrintRange(int fromPage, int toPage);
    // Puts the worksheet's paper size and orientation on the printer.
    void ApplyWorksheetPaper(PrinterService &printer);
    // "JPEG保存": page 0 as last drawn on screen, as JPEG data.
    void SaveJPG();
    // Gives the keys back to the page view: the window becomes the active
    // one and the page area takes the focus, so that Ctrl+Z and the other
    // keys reach the editor after a dialog without a click on the page.
    // Runs after every dialog the window opens (save, open, print, colour,
    // coordinates, messages).
    void TakeKeysBack();
    // After a worksheet was read: its paper applied and the pages resized.
    void ApplyLoadedPaper();
    // "使い方": the guide in its own window beside the editor.
    void ShowGuide();
    // "バージョン情報": the about box, modal; Escape closes it.
    void ShowAbout();

    // What the file commands ask of the window (WorksheetHost).
    bool askSaveChanges() override { return AskSave(); }
    void startNewWorksheet() override { StartNewWorksheet(); }
    void worksheetRead() override { ApplyLoadedPaper(); }
    void nameFieldRead() override;
    int pageCount() const override { return mPages.count(); }
    // Copies the view switches, colour and zoom into the renderer's state.
    void SyncViewState();

    QAction *ActionNew = nullptr;
    QAction *ActionPaper = nullptr;
    QAction *ActionQuit = nullptr;
    QAction *ActionOpen = nullptr;
    QAction *ActionSave = nullptr; // "上書き保存"
    QAction *ActionSaveAs = nullptr;
    QAction *ActionPrint = nullptr;
    QAction *ActionJpeg = nullptr;
    QMenu *MenuFile = nullptr;
    QMenu *MenuView = nullptr;
    QMenu *MenuTest = nullptr;
    QMenu *MenuHelp = nullptr;
    QAction *ActionGuide = nullptr; // "使い方"
    QAction *ActionAbout = nullptr; // "バージョン情報"
    TFormHelp *FormHelp = nullptr;
    TFormAbout *FormAbout = nullptr;
    QToolBar *FileToolBar = nullptr;
    QToolBar *ViewToolBar = nullptr;
    QToolButton *ToolButtonOpen = nullptr;
    QToolButton *ToolButtonSave = nullptr;
    QToolButton *ToolButtonPrint = nullptr;

signals:
    // A new or opened worksheet replaced the previous one.
    void worksheetReplaced();
    // The zoom changed: the pages are laid out and drawn at the new zoom
    // (the selection marks follow it).
    void zoomChanged();
    // The page images were repainted from the document (all of them, or
    // those of a command).
    void pagesRedrawn();

protected:
    void closeEvent(QCloseEvent *e) override;
    // Watches for modal dialogs closing (TakeKeysBack).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildHelpMenu();
    void buildStatusBar();

    Document mDoc;
    PageSet mPages;
    PaperSet mPaperSet;
    WorkingFolders mFolders;
    TEditorSettings mSettings;
    std::unique_ptr<QLockFile> mInstance;
    TPageArea *mPageArea = nullptr;
    TLinkLabel *mStatusLink = nullptr;
    // The window that was active when a modal dialog opened.
    QPointer<QWidget> mBeforeDialog;
    void ReturnFromDialog();
    TViewControls *mView = nullptr;
    TPageButtons *mPageButtons = nullptr;
    ViewState mViewState;
    std::unique_ptr<Renderer> mRenderer;
    std::unique_ptr<FileDialogs> mOwnDialogs;
    FileDialogs *mDialogs = nullptr;
    std::unique_ptr<PrintDialogs> mOwnPrintDialogs;
    PrintDialogs *mPrintDialogs = nullptr;
    std::unique_ptr<FileCommands> mFiles;
    QLineEdit *mZoomBox = nullptr;
    EditingParts mEditing;
    TRandomBar *mRandomBar = nullptr;
    TBunruiBar *mBunruiBar = nullptr;
    LibraryParts mLibrary;
    TSheetCommands *mSheets = nullptr;
    // Gone before the document it follows.
    std::unique_ptr<TRecovery> mRecovery;
};
