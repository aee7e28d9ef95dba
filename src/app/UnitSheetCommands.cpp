#include "app/UnitSheetCommands.h"

#include "app/Unit1.h"
#include "app/UnitClassSetDialog.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPrint.h"
#include "app/UnitSheetOutput.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QStatusBar>

TSheetCommands::TSheetCommands(TForm1 &form) : QObject(&form), mForm(form)
{
    FormClassSet = new TFormClassSet(&form);
    FormPdfSave = new TFormPdfSave(&form);
    QMenu *menu = form.MenuFile;
    ActionPdf = new QAction(QStringLiteral("PDFで保存…"), this);
    ActionPdf->setToolTip(QStringLiteral("問題や解答のページをPDFファイルに保存します"));
    ActionClassSet = new QAction(QStringLiteral("クラス分作成…"), this);
    ActionClassSet->setToolTip(
        QStringLiteral("ランダムの問題を1枚ずつ作り直して、人数分の問題と解答を印刷します"));
    // After "JPEG保存", before the separator above "終了".
    QAction *before = nullptr;
    const QList<QAction *> items = menu->actions();
    const int jpeg = items.indexOf(form.ActionJpeg);
    if (jpeg >= 0 && jpeg + 1 < items.size())
        before = items[jpeg + 1];
    menu->insertAction(before, ActionPdf);
    menu->insertAction(before, ActionClassSet);
    connect(ActionPdf, &QAction::triggered, this, [this] {
        SavePdfCommand();
        mForm.TakeKeysBack();
    });
    connect(ActionClassSet, &QAction::triggered, this, [this] {
        ClassSetCommand();
        mForm.TakeKeysBack();
    });
}

void TSheetCommands::copyWorksheet(HeadlessWorksheet &sheet) const
{
    // The pages the editor shows, as its print offers them.
    sheet.adoptData(mForm.doc(), mForm.pageCount());
    sheet.layout(mForm.pageCount(), Fixed4::fromInt(1), true);
}

QString TSheetCommands::askPdfPath()
{
    const FileCommands &files = mForm.fileCommands();
    const QString offered = DefaultPdfPath(files.OpenFileName, mForm.folders().UserPrintFolder);
    const QFileInfo info(offered);
    QString path =
        mForm.fileDialogs().getSaveFileName(info.absolutePath(), info.fileName(), PdfFilter());
    if (path.isEmpty())
        return QString();
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) && AskYesNo(OverwriteQuestion(path)) != MsgAnswer::Yes)
        return QString();
    return path;
}

void TSheetCommands::SavePdfCommand()
{
    if (FormPdfSave->exec() != QDialog::Accepted)
        return;
    SavePdf(FormPdfSave->choice());
}

bool TSheetCommands::SavePdf(SheetChoice choice)
{
    const QString path = askPdfPath();
    if (path.isEmpty())
        return false;
    HeadlessWorksheet sheet;
    copyWorksheet(sheet);
    QString error;
    if (!sheet.printPdf(path, choice, 1, sheet.pages.count(), error)) {
        ShowError(error);
        return false;
    }
    mForm.statusBar()->showMessage(
        QStringLiteral("%1 に保存しました。").arg(QFileInfo(path).fileName()), 20000);
    return true;
}

void TSheetCommands::ClassSetCommand()
{
    PrinterService &ps = Printers();
    // Real queues only: the built-in printer of a machine without one
    // writes a PDF, which the PDF entry does better (atomically, by name).
    QStringList queues;
    for (const QString &name : ps.installedPrinters())
        if (!QPrinterInfo::printerInfo(name).isNull())
            queues << name;
    FormClassSet->StartForm(queues, ps.currentPrinter());
    if (FormClassSet->exec() != QDialog::Accepted)
        return;
    RunClassSet(FormClassSet->options(),
                FormClassSet->toPdf() ? QString() : FormClassSet->printerName());
}

bool TSheetCommands::RunClassSet(const ClassSetOptions &options, const QString &printer)
{
    std::unique_ptr<SheetOutput> output;
    if (printer.isEmpty()) {
        const QString path = askPdfPath();
        if (path.isEmpty())
            return false;
        output = std::make_unique<PdfSheetOutput>(path, mForm.doc().Paper);
    } else {
        PrinterService &ps = Printers();
        if (!ps.selectPrinter(printer)) {
            ShowError(QStringLiteral("印刷を開始できませんでした。"));
            return false;
        }
        mForm.ApplyWorksheetPaper(ps);
        QPrinter &device = ps.printer();
        // A queue prints on paper, not into a file left from a print to PDF.
        device.setOutputFileName(QString());
        device.setOutputFormat(QPrinter::NativeFormat);
        device.setPrinterName(printer);
        if (!ps.acceptsJobs()) {
            ShowError(QStringLiteral("印刷を開始できませんでした。"));
            return false;
        }
        output = std::make_unique<PrinterSheetOutput>(device, ps.physicalHeight(), ps.offsetX(),
                                                      ps.offsetY(), ps.dpiY());
    }

    ClassSetRun run(mForm.doc(), mForm.pageCount(), options);
    QProgressDialog progress(QStringLiteral("クラス分のプリントを作っています…"),
                             QStringLiteral("キャンセル"), 0, run.totalSheets(), &mForm);
    progress.setWindowTitle(QStringLiteral("クラス分作成"));
    progress.setAccessibleName(QStringLiteral("クラス分作成"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    QString error;
    const ClassSetRun::Outcome outcome = run.run(
        *output,
        [&progress](int done, int) {
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        },
        error);
    progress.reset();
    if (outcome == ClassSetRun::Outcome::Failed) {
        ShowError(error.isEmpty() ? QStringLiteral("印刷を開始できませんでした。") : error);
        return false;
    }
    if (outcome == ClassSetRun::Outcome::Cancelled) {
        mForm.statusBar()->showMessage(QStringLiteral("クラス分作成をやめました。"), 20000);
        return false;
    }
    QString message = QStringLiteral("クラス分のプリントを %1 人分作りました（乱数の種 %2）。")
                          .arg(options.copies)
                          .arg(run.seed());
    if (run.written() == 0 && run.kept() == 0)
        message += QStringLiteral("ランダムの問題がないので、どの枚も同じ問題です。");
    else if (run.kept() > 0)
        message += QStringLiteral("条件に合う問題が見つからず前のままの問題が %1 問あります。")
                       .arg(run.kept());
    mForm.statusBar()->showMessage(message, 20000);
    return true;
}
