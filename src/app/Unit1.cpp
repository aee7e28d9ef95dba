#include "app/Unit1.h"
#include "app/UnitAbout.h"
#include "app/UnitDocumentCycle.h"
#include "app/UnitFileCommands.h"
#include "app/UnitHelp.h"
#include "app/UnitPageButtons.h"
#include "app/UnitPageView.h"
#include "app/UnitPrint.h"
#include "app/UnitRecovery.h"
#include "app/UnitSheetCommands.h"
#include "app/UnitViewControls.h"
#include "document/UnitHeaderCommands.h"
#include "editing/UnitSelect.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"
#include "platform/UnitProduct.h"
#include "render/UnitCanvas.h"
#include "render/UnitDrawSiki.h"
#include "render/UnitRender.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWidgetAction>

TLinkLabel::TLinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::enterEvent(QEnterEvent *)
{
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void TLinkLabel::leaveEvent(QEvent *)
{
    QFont f = font();
    f.setUnderline(false);
    setFont(f);
}

void TLinkLabel::mousePressEvent(QMouseEvent *)
{
    emit clicked();
}

TForm1::TForm1(QWidget *parent) : QMainWindow(parent), mPaperSet(mDoc, mPages)
{
    setWindowTitle(Product::DisplayName);
    mPageArea = new TPageArea(this);
    setCentralWidget(mPageArea);
    mView = new TViewControls(this);
    connect(mView, &TViewControls::changed, this, &TForm1::Redraw);
    connect(mView, &TViewControls::answerColorChosen, this, &TForm1::ChangeAnswerColor);
    // Connected before the editing controller's redraw, so the pages have
    // their new size when it draws them.
    connect(&mDoc.events(), &DocumentEvents::changed, this, &TForm1::FollowDocument);
    connect(mPageArea, &TPageArea::zoomWheel, this, &TForm1::ZoomBy);
    mPageButtons = new TPageButtons(mPageArea, this);
    connect(mPageButtons->SpeedButtonN1, &QToolButton::clicked, mView,
            &TViewControls::OnPageAnswerSwitch);
    mRenderer = std::make_unique<Renderer>(mDoc, mPages.ImageP, mViewState);
    mRenderer->setButtonHost(mPageButtons);

    mOwnDialogs = std::make_unique<WidgetFileDialogs>(this);
    mDialogs = mOwnDialogs.get();
    mOwnPrintDialogs = std::make_unique<WidgetPrintDialogs>();
    mPrintDialogs = mOwnPrintDialogs.get();
    mFiles = std::make_unique<FileCommands>(mDoc, *mDialogs, QString(), this);
    buildMenus();
    buildHelpMenu();
    mSheets = new TSheetCommands(*this);
    // Each of these may show a dialog; the keys come back to the page after
    // it, also when the platform's own dialog gave no sign of closing.
    connect(ActionOpen, &QAction::triggered, this, [this] {
        mFiles->Open();
        TakeKeysBack();
    });
    connect(ActionSaveAs, &QAction::triggered, this, [this] {
        mFiles->Save();
        TakeKeysBack();
    });
    connect(ActionSave, &QAction::triggered, this, [this] {
        mFiles->SaveOver();
        TakeKeysBack();
    });
    connect(ActionPrint, &QAction::triggered, this, [this] {
        PrinterOut();
        TakeKeysBack();
    });
    connect(ActionJpeg, &QAction::triggered, this, [this] {
        SaveJPG();
        TakeKeysBack();
    });
    // Dialogs opened from elsewhere (colours, messages, the name field's
    // files) are seen closing by the application-wide filter.
    qApp->installEventFilter(this);
    buildStatusBar();
    resize(1000, 760);
}

TForm1::~TForm1() = default;

void TForm1::TakeKeysBack()
{
    if (!isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return;
    activateWindow();
    mPageArea->setFocus(Qt::OtherFocusReason);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w != this && w->isWindow() && w->isModal()) {
            if (type == QEvent::Show) {
                // The window the dialog was opened over gets the keys back.
                // A dialog that follows another (the question before a
                // save, then the save dialog) keeps the first one's.
                QWidget *active = QApplication::activeWindow();
                if (active && !active->isModal())
                    mBeforeDialog = active;
            } else {
                // After the dialog has gone and whatever closed it has
                // finished.
                QTimer::singleShot(0, this, &TForm1::ReturnFromDialog);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::ReturnFromDialog()
{
    if (QApplication::activeModalWidget())
        return;
    QWidget *before = mBeforeDialog;
    mBeforeDialog = nullptr;
    if (!before || before == this) {
        TakeKeysBack();
    } else if (before->isVisible()) {
        // A dialog of another window of the editor (the expression tool,
        // the text window): that window takes its keys back.
        before->activateWindow();
    }
}

void TForm1::buildMenus()
{
    MenuFile = menuBar()->addMenu(QStringLiteral("ファイル"));
    ActionNew = MenuFile->addAction(QStringLiteral("新規作成"), this, [this] {
        NewFileCommand();
        TakeKeysBack();
    });
    ActionOpen = MenuFile->addAction(QStringLiteral("開く"));
    ActionSave = MenuFile->addAction(QStringLiteral("上書き保存"));
    ActionSaveAs = MenuFile->addAction(QStringLiteral("名前をつけて保存"));
    ActionNew->setShortcut(QKeySequence::New);
    ActionOpen->setShortcut(QKeySequence::Open);
    ActionSave->setShortcut(QKeySequence::Save);
    ActionSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    MenuFile->addSeparator();
    ActionPaper = MenuFile->addAction(QStringLiteral("用紙設定"), this, [this] {
        PaperSetupCommand();
        TakeKeysBack();
    });
    ActionPrint = MenuFile->addAction(QStringLiteral("印刷"));
    ActionPrint->setShortcut(QKeySequence::Print);
    ActionJpeg = MenuFile->addAction(QStringLiteral("JPEG保存"));
    MenuFile->addSeparator();
    ActionQuit = MenuFile->addAction(QStringLiteral("終了"), this, &QWidget::close);

    MenuView = menuBar()->addMenu(QStringLiteral("表示"));
    auto *zoomWidget = new QWidget(this);
    auto *zoomRow = new QHBoxLayout(zoomWidget);
    zoomRow->setContentsMargins(24, 2, 8, 2);
    zoomRow->addWidget(new QLabel(QStringLiteral("倍率"), zoomWidget));
    mZoomBox = new QLineEdit(QStringLiteral("100"), zoomWidget);
    mZoomBox->setFixedWidth(60);
    mZoomBox->setAlignment(Qt::AlignRight);
    zoomRow->addWidget(mZoomBox);
    zoomRow->addWidget(new QLabel(QStringLiteral("%"), zoomWidget));
    auto *zoomAction = new QWidgetAction(this);
    zoomAction->setDefaultWidget(zoomWidget);
    MenuView->addAction(zoomAction);
    connect(mZoomBox, &QLineEdit::returnPressed, this, &TForm1::SetGamenBai);
    QAction *zoomIn = MenuView->addAction(QStringLiteral("拡大"), this, [this] { ZoomBy(1); });
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction *zoomOut = MenuView->addAction(QStringLiteral("縮小"), this, [this] { ZoomBy(-1); });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction *zoom100 = MenuView->addAction(QStringLiteral("100%"), this, [this] {
        mZoomBox->setText(QStringLiteral("100"));
        SetGamenBai();
    });
    zoom100->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    MenuTest = menuBar()->addMenu(QStringLiteral("テスト"));

    FileToolBar = addToolBar(QStringLiteral("ファイル"));
    FileToolBar->setMovable(false);
    auto addButton = [&](const QString &text, QAction *action) {
        auto *b = new QToolButton(FileToolBar);
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(b, &QToolButton::clicked, action, &QAction::trigger);
        FileToolBar->addWidget(b);
        return b;
    };
    ToolButtonOpen = addButton(QStringLiteral("開く"), ActionOpen);
    ToolButtonSave = addButton(QStringLiteral("保存"), ActionSaveAs);
    ToolButtonPrint = addButton(QStringLiteral("印刷"), ActionPrint);

    ViewToolBar = addToolBar(QStringLiteral("表示"));
    ViewToolBar->setMovable(false);
    ViewToolBar->addWidget(mView->KaiBar);
    ViewToolBar->addSeparator();
    ViewToolBar->addWidget(mView->NameBar);
}

void TForm1::buildHelpMenu()
{
    MenuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    ActionGuide = MenuHelp->addAction(QStringLiteral("使い方"), this, &TForm1::ShowGuide);
    ActionGuide->setShortcut(QKeySequence::HelpContents);
    MenuHelp->addSeparator();
    ActionAbout = MenuHelp->addAction(QStringLiteral("バージョン情報"), this, &TForm1::ShowAbout);
    FormHelp = new TFormHelp(this);
    FormAbout = new TFormAbout(this);
    connect(FormAbout, &TFormAbout::openUrlRequested, this,
            [](const QUrl &url) { QDesktopServices::openUrl(url); });
}

void TForm1::ShowGuide()
{
    FormHelp->StartForm();
    FormHelp->show();
    FormHelp->raise();
    FormHelp->activateWindow();
}

void TForm1::ShowAbout()
{
    FormAbout->StartForm();
    // Modal without a nested loop: the keys come back to the page when it
    // closes, as after every modal window.
    FormAbout->open();
}

void TForm1::buildStatusBar()
{
    mStatusLink = new TLinkLabel(QStringLiteral("タヴェナー WEBサイトを開く"), this);
    mStatusLink->setFixedWidth(220);
    statusBar()->addWidget(mStatusLink);
    connect(mStatusLink, &TLinkLabel::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(Product::WebSite)); });
}

void TForm1::SyokiForm(const QString &argumentFile)
{
    mSettings = TEditorSettings{};
    mPaperSet.PaperBai = PaperBaiForDpi(96);
    mPageArea->PageKugiri = 5;
    mFolders = CheckDir();
    mInstance = CheckWKidou();
    mDoc.AnswerColor = mSettings.AnswerColor;
    mFiles->UserPrintFolder = mFolders.UserPrintFolder;
    StartNewWorksheet();
    OpenDialogFolder = mFolders.UserPrintFolder;
    SaveDialogFolder = mFolders.UserPrintFolder;
    mFiles->OpenDialog.initialFolder = mFolders.UserPrintFolder;
    mFiles->SaveDialog.initialFolder = mFolders.UserPrintFolder;
    mFiles->NameFieldOpenDialog.initialFolder = mFolders.UserPrintFolder;
    mFiles->NameFieldSaveDialog.initialFolder = mFolders.UserPrintFolder;
    if (!argumentFile.isEmpty() && QFileInfo::exists(argumentFile)) {
        if (argumentFile.endsWith(QStringLiteral(".prn"), Qt::CaseInsensitive)) {
            // A name-field file (the desktop opens them with the editor too):
            // the new worksheet takes its name field, as "名前欄を開く" does.
            mFiles->NameFieldLoad(argumentFile);
        } else if (mFiles->FileLoad(argumentFile)) {
            // The save dialog opens in the file's own folder with its name,
            // also for a path relative to the folder the editor started in.
            QString path = argumentFile;
            path.replace(QLatin1Char('\\'), QLatin1Char('/'));
            const QFileInfo info(path);
            SaveDialogFolder = info.absolutePath();
            SaveDialogFileName = info.fileName();
            mFiles->SaveDialog.initialFolder = SaveDialogFolder;
            mFiles->SaveDialog.fileName = SaveDialogFileName;
            mFiles->SaveOverFileName = info.absoluteFilePath();
        }
    }
}

void TForm1::StartNewWorksheet()
{
    // The selection's frames and handles leave the pages before they go,
    // and the input windows close without writing: their pending object goes.
    if (TEditController *editing = mEditing.controller) {
        editing->clearSelection();
        editing->CancelInput();
    }
    NewFile(mDoc, mPages, mFolders);
    if (mFiles)
        mFiles->ForgetFile();
    mPaperSet.GetPaperSize(Printers());
    mPaperSet.NewPage(mDoc.Paper.PaperH, mDoc.Paper.PaperW);
    mDoc.AData.clear();
    // The printer's paper is part of the new worksheet's first state: its
    // history starts after it, with nothing unsaved.
    mDoc.resetHistory();
    mView->SetAnswerColorSilently(mDoc.AnswerColor);
    mPageArea->setPages(mPages);
    LayoutPages();
    Redraw();
    emit worksheetReplaced();
}

void TForm1::nameFieldRead()
{
    if (TEditController *editing = mEditing.controller)
        editing->clearSelection();
}

bool TForm1::AskSave()
{
    // "はい" saves a worksheet with a file of its own in place, and asks for
    // a name only when it has none.
    return AskSaveChanges(mDoc, [this] { return mFiles->SaveOver(); });
}

void TForm1::NewFileCommand()
{
    if (!AskSave())
        return;
    StartNewWorksheet();
}

void TForm1::PaperSetupCommand()
{
    PrinterService &ps = Printers();
    // The dialog starts from the worksheet's paper; Cancel leaves the
    // worksheet and its pages as they were.
    ApplyWorksheetPaper(ps);
    if (!mPrintDialogs->pageSetup(ps.printer(), this))
        return;
    ps.syncFromPrinter();
    // The pages take the new size when the document announces the change.
    mDoc.push(std::make_unique<ChangePaperCommand>(mDoc, ReadPrinterPaper(ps)));
}

void TForm1::ChangeAnswerColor(TColor color)
{
    // The swatch and the pages follow when the document announces it.
    mDoc.push(std::make_unique<ChangeAnswerColorCommand>(mDoc, color));
}

void TForm1::FollowDocument(const RChange &change)
{
    if (mView->answerColor() != mDoc.AnswerColor)
        mView->SetAnswerColorSilently(mDoc.AnswerColor);
    // Rows keep their page coordinates: objects beyond a smaller page stay
    // where they are, as after the page set-up of an open worksheet.
    if (mPaperSet.PagesFollowPaper())
        LayoutPages();
    // With the editor installed the pages follow the document by
    // themselves (PageRedraws); the bare window redraws itself.
    if (change.allPages && !mEditing.redraws)
        Redraw();
}

void TForm1::ApplyWorksheetPaper(PrinterService &printer)
{
    int64_t code = 9;
    try {
        code = TextToInt64(mDoc.Paper.PaperSizeCode);
    } catch (const NumTextError &) {
        code = 9;
    }
    printer.setPaperSizeCode(int(std::clamp<int64_t>(code, 0, 1000)));
    printer.setOrientation(mDoc.Paper.Orientation == QLatin1String("1") ? 1 : 2);
}

void TForm1::SetGamenBai()
{
    QString text = mZoomBox->text();
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    int64_t percent = 0;
    try {
        percent = TextToInt64(text.trimmed());
    } catch (const NumTextError &) {
        percent = 0;
    }
    // A zoom of nothing would leave no page to see; keep the previous one.
    if (percent < 10 || percent > 800) {
        mZoomBox->setText(QString::number(mSettings.GamenBai.raw / 100));
        return;
    }
    mSettings.GamenBai = Fixed4::fromRaw(percent * 100);
    LayoutPages();
    Redraw();
    emit zoomChanged();
}

void TForm1::ZoomBy(int steps)
{
    const int64_t percent = std::clamp<int64_t>(mSettings.GamenBai.raw / 100 + steps * 10, 10, 800);
    mZoomBox->setText(QString::number(percent));
    SetGamenBai();
}

void TForm1::LayoutPages()
{
    mPages.resizeImages(mSettings.GamenBai);
    if (mPageArea->PanelP.size() != mPages.count())
        mPageArea->setPages(mPages);
    else
        mPageArea->MoveForm();
}

void TForm1::setFileDialogs(FileDialogs *dialogs)
{
    mDialogs = dialogs ? dialogs : mOwnDialogs.get();
    auto files = std::make_unique<FileCommands>(mDoc, *mDialogs, QString(), this);
    files->OpenDialog = mFiles->OpenDialog;
    files->SaveDialog = mFiles->SaveDialog;
    files->NameFieldOpenDialog = mFiles->NameFieldOpenDialog;
    files->NameFieldSaveDialog = mFiles->NameFieldSaveDialog;
    files->OpenFileName = mFiles->OpenFileName;
    files->SaveOverFileName = mFiles->SaveOverFileName;
    files->UserPrintFolder = mFiles->UserPrintFolder;
    mFiles = std::move(files);
}

void TForm1::setPrintDialogs(PrintDialogs *dialogs)
{
    mPrintDialogs = dialogs ? dialogs : mOwnPrintDialogs.get();
}

void TForm1::SyncViewState()
{
    mViewState.GamenBai = mSettings.GamenBai;
    mViewState.PaperBai = mPaperSet.PaperBai;
    mViewState.AnswerDisplay = mView->answerDisplayOn();
    mViewState.NameDisplay = mView->nameDisplayOn();
    mViewState.AnswerColor = mDoc.AnswerColor;
    mViewState.PrinterDpiY = Printers().dpiY();
}

void TForm1::Redraw()
{
    SyncViewState();
    mRenderer->SrcImageP(false);
    mPageArea->refresh();
    emit pagesRedrawn();
}

void TForm1::RedrawPages(const QSet<int> &pages)
{
    SyncViewState();
    mRenderer->SrcImagePages(pages);
    mPageArea->refresh();
    emit pagesRedrawn();
}

void TForm1::ApplyLoadedPaper()
{
    // Rows were replaced: a selection of row indexes means nothing any more.
    if (TEditController *editing = mEditing.controller)
        editing->clearSelection();
    mPaperSet.SetPaperSize(Printers());
    mPaperSet.SetPageSize(mDoc.Paper.PaperH, mDoc.Paper.PaperW);
    mView->SetAnswerColorSilently(mDoc.AnswerColor);
    LayoutPages();
    Redraw();
    emit worksheetReplaced();
}

void TForm1::PrinterOut()
{
    PrinterService &ps = Printers();
    ApplyWorksheetPaper(ps);
    QPrinter &printer = ps.printer();
    // A print to a file is offered under the worksheet's own name, also
    // when a queue is chosen and the user switches to a file in the dialog.
    const QString pdfPath = DefaultPdfPath(mFiles->OpenFileName, mFolders.UserPrintFolder);
    const bool toQueue = printer.outputFormat() == QPrinter::NativeFormat;
    const QString queue = printer.printerName();
    printer.setOutputFileName(pdfPath);
    if (toQueue) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue);
    }
    const int last = mPages.PageNoS() + 1;
    int from = 1;
    int to = last;
    const bool accepted = mPrintDialogs->print(printer, this, last, from, to);
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        // A queue prints on paper: the offered file name must not divert it.
        const QString chosen = printer.printerName();
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(chosen);
    }
    if (!accepted)
        return;
    // The dialog may have chosen another printer and reset its paper.
    ps.syncFromPrinter();
    PrintChosenRange(from, to);
}

bool TForm1::PrintChosenRange(int fromPage, int toPage)
{
    PrinterService &ps = Printers();
    ApplyWorksheetPaper(ps);
    if (!ps.acceptsJobs() || !PrintRange(fromPage, toPage)) {
        ShowError(QStringLiteral("印刷を開始できませんでした。"));
        return false;
    }
    return true;
}

bool TForm1::PrintRange(int fromPage, int toPage)
{
    PrinterService &ps = Printers();
    // The scale relates the paper to page 0 in page units: it does not
    // depend on the zoom of the view.
    const int page0Height = mPages.PageSize.isEmpty() ? 0 : mPages.PageSize[0].height();
    const PrintPlan plan = MakePrintPlan(fromPage, toPage, mPages.count(), ps.physicalHeight(),
                                         page0Height, ps.offsetX(), ps.offsetY());
    SyncViewState();
    const bool ok = RunPrintJob(ps.printer(), plan, [this](QPainter &painter, const PrintPlan &p) {
        PainterCanvas canvas(painter);
        mViewState.PrinterBai = p.PrinterBai;
        mViewState.PrinterOffset = QPoint(p.OffsetX, p.OffsetY);
        mViewState.FromPg = p.FromPg;
        mViewState.ToPg = p.ToPg;
        mViewState.Printer = &canvas;
        mRenderer->SrcImageP(true);
        mViewState.Printer = nullptr;
    });
    mPageArea->refresh();
    return ok;
}

void TForm1::SaveJPG()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("JPEG保存"), mFolders.UserPrintFolder, PictureSaveFilter());
    if (path.isEmpty() || mPages.ImageP.isEmpty())
        return;
    const QString error = ::SaveJPG(mPages.ImageP[0], path);
    if (!error.isEmpty())
        ShowError(error);
}

void TForm1::setRecovery(std::unique_ptr<TRecovery> recovery)
{
    mRecovery = std::move(recovery);
    if (mRecovery) {
        connect(mRecovery.get(), &TRecovery::writeFailed, this, [this](const QString &error) {
            statusBar()->showMessage(
                QStringLiteral("復元用の控えを書き込めませんでした: ") + error, 20000);
        });
    }
}

void TForm1::closeEvent(QCloseEvent *e)
{
    if (AskSave()) {
        // Saved or let go on purpose: nothing is left to recover.
        if (mRecovery)
            mRecovery->DiscardOnExit();
        e->accept();
    } else {
        e->ignore();
    }
}
