#include "app/UnitLibraryWiring.h"

#include "app/Unit1.h"
#include "app/UnitDocumentCycle.h"
#include "app/UnitEditWiring.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPageButtons.h"
#include "app/UnitPageView.h"
#include "app/UnitSheetCommands.h"
#include "app/UnitViewControls.h"
#include "editing/UnitSelect.h"
#include "library/UnitCloud.h"
#include "library/UnitCloudDownload.h"
#include "library/UnitCloudUpload.h"
#include "library/UnitNavi.h"
#include "library/UnitProxy.h"
#include "platform/UnitFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace
{

// The main window as the navigator and the cloud windows see it.
class FormLibraryHost : public QObject, public NaviHost, public CloudHost
{
public:
    explicit FormLibraryHost(TForm1 &form) : QObject(&form), mForm(form) {}
    ~FormLibraryHost() override { delete internet; }

    void NaviOpenFile(const QString &path) override
    {
        FileCommands &files = mForm.fileCommands();
        if (!files.FileLoad(path))
            return;
        const QString bare = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        files.SaveDialog.fileName = bare;
        mForm.SaveDialogFileName = bare;
        // The teacher's own saved worksheets are saved over; samples and
        // installed files are copied under a name the teacher chooses.
        if (IsInsideFolder(path, mForm.folders().UserPrintFolder))
            files.SaveOverFileName = path;
    }
    void NaviEmptyWorksheet() override
    {
        if (TEditController *editing = mForm.editing().controller)
            editing->clearSelection();
        NewFile(mForm.doc(), mForm.pages(), mForm.folders());
        mForm.fileCommands().ForgetFile();
        mForm.doc().Paper = RPaperData{}; // A4 portrait, 210 x 297 mm
        mForm.doc().resetHistory();         // the empty worksheet's first state
        mForm.paperSet().NewPage(mForm.doc().Paper.PaperH, mForm.doc().Paper.PaperW);
        mForm.pageArea()->setPages(mForm.pages());
        mForm.LayoutPages();
        mForm.Redraw();
        emit mForm.worksheetReplaced();
    }
    void NaviToggleAnswer() override { mForm.viewControls()->OnPageAnswerSwitch(); }
    void NaviPrint() override { mForm.PrinterOut(); }
    // The same command as the main window's "作成" button.
    void NaviRegenerate() override { mForm.pageButtons()->SpeedButtonRandom->click(); }
    void NaviClassSet() override { mForm.sheetCommands()->ClassSetCommand(); }

    void CloudOpenFile(const QString &path) override { mForm.fileCommands().FileLoad(path); }
    QString CloudOpenFileName() const override { return mForm.fileCommands().OpenFileName; }
    void CloudToggleAnswer() override { NaviToggleAnswer(); }
    void CloudPrint() override { NaviPrint(); }

    // The HTTP client is not a QObject child of the window: the host ends it.
    TInternet *internet = nullptr;

private:
    TForm1 &mForm;
};

} // namespace

QString SampleFolderFor(const QString &programFolder)
{
    const QString beside = programFolder + QStringLiteral("/Navi");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("/" TAVENOR_SAMPLES_FROM_BIN));
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}

QString SampleFolder()
{
    return SampleFolderFor(QCoreApplication::applicationDirPath());
}

LibraryParts InstallLibrary(TForm1 &form, const QString &sampleFolder)
{
    if (form.library().navi)
        return form.library();
    auto *host = new FormLibraryHost(form);
    LibraryParts p;
    const WorkingFolders &folders = form.folders();
    const RBunruiData &bunrui = form.doc().BunruiData;

    // In the order of start-up: the proxy, the navigator, the cloud windows.
    p.internet = new TInternet;
    host->internet = p.internet;
    p.proxy = new TFormProxy(&form);
    p.proxy->SyokiForm(folders.WorkFolder, *p.internet);
    p.navi = new TFormNavi(&form);
    p.navi->setHost(host);
    p.navi->SyokiForm(bunrui, sampleFolder.isEmpty() ? SampleFolder() : sampleFolder,
                      folders.PrintFileFolder(), folders.UserPrintFolder, folders.WorkFolder);
    p.download = new TFormCloudDownload(*p.internet, &form);
    p.download->SyokiForm(bunrui, folders.WorkFolder, host);
    p.upload = new TFormCloudUpload(*p.internet, &form);
    p.upload->SyokiForm(bunrui, folders.WorkFolder, host);
    p.cloud = new TFormCloud(*p.download, *p.upload, *host, &form);
    TFormCloud *cloud = p.cloud;
    QObject::connect(p.navi, &TFormNavi::cloudRequested, &form, [cloud] {
        cloud->StartForm();
        cloud->show();
    });

    p.naviButton = new QToolButton(form.FileToolBar);
    p.naviButton->setText(QStringLiteral("ナビ"));
    p.naviButton->setToolTip(QStringLiteral("プリント ナビゲーション"));
    p.naviButton->setAccessibleName(QStringLiteral("ナビ"));
    p.naviButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    form.FileToolBar->insertWidget(form.FileToolBar->actions().value(0), p.naviButton);
    QObject::connect(p.naviButton, &QToolButton::clicked, &form,
                     [&form] { NaviButtonClick(form); });

    // The cloud and the proxy settings are not offered to teachers: their
    // menus exist but are hidden.
    p.cloudMenu = form.menuBar()->addMenu(QStringLiteral("クラウド"));
    p.cloudMenu->addAction(QStringLiteral("Upload"), &form, [p] {
        p.cloud->StartForm();
        p.cloud->show();
    });
    p.cloudMenu->menuAction()->setVisible(false);
    p.settingsMenu = form.menuBar()->addMenu(QStringLiteral("設定"));
    p.settingsMenu->addAction(QStringLiteral("プロキシサーバ"), &form, [p] {
        p.proxy->StartForm();
        p.proxy->show();
    });
    p.settingsMenu->menuAction()->setVisible(false);
    form.setLibrary(p);
    return p;
}

bool NaviButtonClick(TForm1 &form)
{
    const LibraryParts &p = form.library();
    if (!p.navi || !form.AskSave())
        return false;
    p.navi->StartForm();
    p.navi->exec();
    return true;
}

bool NaviDueAtStart(TForm1 &form, bool fileNamed)
{
    const LibraryParts &p = form.library();
    return p.navi && !fileNamed && p.navi->showAtStart();
}
