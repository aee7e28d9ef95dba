#include "app/Unit1.h"
#include "app/UnitDocumentCycle.h"
#include "app/UnitPageView.h"
#include "platform/UnitPrinter.h"
#include "platform/UnitProduct.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLockFile>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QUrl>

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

void TLinkLabel::mousePressEvent(QMouseEvent *) { emit clicked(); }

TForm1::TForm1(QWidget *parent) : QMainWindow(parent), mPaperSet(mDoc, mPages)
{
    setWindowTitle(Product::DisplayName);
    mPageArea = new TPageArea(this);
    setCentralWidget(mPageArea);
    buildMenus();
    buildStatusBar();
    resize(1000, 760);
}

TForm1::~TForm1() = default;

void TForm1::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル"));
    ActionNew = file->addAction(QStringLiteral("新規作成"), this, &TForm1::NewFileCommand);
    file->addSeparator();
    ActionPaper = file->addAction(QStringLiteral("用紙設定"), this, &TForm1::PaperSetupCommand);
    file->addSeparator();
    ActionQuit = file->addAction(QStringLiteral("終了"), this, &QWidget::close);
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
    mDoc.KotaeColor = mSettings.AnswerColor;
    StartNewWorksheet();
    OpenDialogFolder = mFolders.UserPrintFolder;
    SaveDialogFolder = mFolders.UserPrintFolder;
    if (!argumentFile.isEmpty() && OpenFileHook && QFileInfo::exists(argumentFile)) {
        if (OpenFileHook(argumentFile)) {
            QString path = argumentFile;
            path.replace(QLatin1Char('\\'), QLatin1Char('/'));
            SaveDialogFolder = path;
            SaveDialogFileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        }
    }
}

void TForm1::StartNewWorksheet()
{
    NewFile(mDoc, mPages, mFolders);
    mPaperSet.GetPaperSize(Printers());
    mPaperSet.NewPage(mDoc.Paper.PaperH, mDoc.Paper.PaperW);
    mDoc.AData.clear();
    mPageArea->setPages(mPages);
    LayoutPages();
    Redraw();
}

bool TForm1::AskSave() { return AskSaveChanges(mDoc, SaveAsFlow); }

void TForm1::NewFileCommand()
{
    if (!AskSave())
        return;
    StartNewWorksheet();
}

void TForm1::PaperSetupCommand()
{
    QPageSetupDialog dialog(&Printers().printer(), this);
    dialog.setWindowTitle(QStringLiteral("用紙設定"));
    dialog.exec();
    Printers().syncFromPrinter();
    mPaperSet.GetPaperSize(Printers());
    mPaperSet.SetPageSize(mDoc.Paper.PaperH, mDoc.Paper.PaperW);
    LayoutPages();
    Redraw();
}

void TForm1::LayoutPages()
{
    mPages.resizeImages(mSettings.GamenBai);
    if (mPageArea->PanelP.size() != mPages.count())
        mPageArea->setPages(mPages);
    else
        mPageArea->MoveForm();
}

void TForm1::Redraw()
{
    if (RedrawHook) {
        RedrawHook();
    } else {
        for (QImage &img : mPages.ImageP)
            img.fill(Qt::white);
    }
    mPageArea->refresh();
}

void TForm1::closeEvent(QCloseEvent *e)
{
    if (AskSave())
        e->accept();
    else
        e->ignore();
}
