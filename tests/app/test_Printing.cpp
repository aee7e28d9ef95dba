// The print flow of the main window on the offscreen platform, with
// scripted print and page set-up dialogs: the scale whatever the zoom, the
// worksheet's paper on the printer after the dialog, a refused queue, the
// page set-up's Cancel and the default PDF name. Printed PDFs are read back
// with poppler's pdftotext and pdfinfo.
#include "app/Unit1.h"
#include "app/UnitFileCommands.h"
#include "app/UnitPrint.h"
#include "document/UnitFile.h"
#include "platform/UnitMessages.h"
#include "platform/UnitPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace
{

// Dialogs that answer from the test; `onDialog` may change the printer as
// a driver's dialog would.
struct ScriptedPrintDialogs : PrintDialogs {
    bool accept = true;
    int from = 1, to = 1;
    int prints = 0, setups = 0;
    QString offeredPdf;
    std::function<void(QPrinter &)> onDialog;
    bool pageSetup(QPrinter &printer, QWidget *) override
    {
        ++setups;
        if (onDialog)
            onDialog(printer);
        return accept;
    }
    bool print(QPrinter &printer, QWidget *, int, int &fromPage, int &toPage) override
    {
        ++prints;
        offeredPdf = printer.outputFileName();
        if (onDialog)
            onDialog(printer);
        fromPage = from;
        toPage = to;
        return accept;
    }
};

// A built-in PDF printer (600 dpi, A4 portrait) made current for the test.
struct PdfPrinter {
    std::unique_ptr<PrinterService> service = MakeFakePrinter(BuiltInPrinterName, 9, 1, 600);
    PdfPrinter() { SetPrinters(service.get()); }
    ~PdfPrinter() { SetPrinters(nullptr); }
};

void addText(Document &doc, int x, int y, const QString &text)
{
    const int r = doc.AppendRow();
    RAData &row = doc.AData[r];
    row.Syu = "1";
    row.Layer = 1;
    row.Siki = text;
    row.FontName = "ＭＳ Ｐゴシック";
    row.FontSize = 20;
    row.X1 = x;
    row.Y1 = y;
    row.Width = 200;
    row.Height = 30;
}

// The left edge in points of the first word `word` on page 1 of the PDF.
double wordLeft(const QString &pdf, const QString &word)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    if (!p.waitForFinished(30000))
        return -1;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression re("<word xMin=\"([0-9.]+)\"[^>]*>" + word + "</word>");
    const QRegularExpressionMatch m = re.match(html);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

// pdfinfo's "Page size" in points, e.g. (515.906, 728.504).
QSizeF pdfPageSize(const QString &pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    if (!p.waitForFinished(30000))
        return {};
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpressionMatch m =
        QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

} // namespace

TEST(Printing, TheSheetDoesNotDependOnTheZoom)
{
    PdfPrinter pdf;
    ScriptedMessages messages;
    QTemporaryDir dir;
    TForm1 form;
    form.SyokiForm(QString());
    ScriptedPrintDialogs dialogs;
    form.setPrintDialogs(&dialogs);
    addText(form.doc(), 100, 100, "ZOOMTEST");

    for (const char *zoom : {"150", "50", "100"}) {
        form.zoomBox()->setText(zoom);
        form.SetGamenBai();
        const QString out = dir.filePath(QStringLiteral("zoom%1.pdf").arg(zoom));
        dialogs.onDialog = [&](QPrinter &p) { p.setOutputFileName(out); };
        form.PrinterOut();
        ASSERT_TRUE(QFile::exists(out)) << zoom;
        // 1122 page units on 7016 dots at every zoom.
        EXPECT_EQ(form.viewState().PrinterBai.raw, 62531) << zoom;
        // X1 100 of a 96-dpi page is 75 pt from the paper's edge.
        EXPECT_NEAR(wordLeft(out, "ZOOMTEST"), 75.0, 1.5) << zoom;
    }
    EXPECT_TRUE(messages.texts.isEmpty());
    form.setPrintDialogs(nullptr);
}

TEST(Printing, TheWorksheetsPaperGoesOnThePrinterAfterTheDialog)
{
    PdfPrinter pdf;
    ScriptedMessages messages;
    QTemporaryDir dir;
    TForm1 form;
    form.SyokiForm(QString());
    ScriptedPrintDialogs dialogs;
    form.setPrintDialogs(&dialogs);

    // A B5 (JIS) portrait worksheet, as read from a file.
    form.doc().Paper.PaperSizeCode = "13";
    form.doc().Paper.Orientation = "1";
    form.doc().Paper.Width = "182";
    form.doc().Paper.Height = "257";
    form.ApplyLoadedPaper();
    ASSERT_EQ(form.pages().PageSize[0], QSize(687, 971));
    addText(form.doc(), 100, 100, "PAPER");

    // The dialog resets the printer to its default paper, A4.
    const QString out = dir.filePath("b5.pdf");
    dialogs.onDialog = [&](QPrinter &p) {
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setOutputFileName(out);
    };
    form.PrinterOut();
    ASSERT_TRUE(QFile::exists(out));
    const QSizeF size = pdfPageSize(out);
    EXPECT_NEAR(size.width(), 515.9, 1.0);
    EXPECT_NEAR(size.height(), 728.5, 1.0);
    // The scale is the B5 sheet's: 6071 dots over 971 units, not A4's.
    EXPECT_EQ(form.viewState().PrinterBai.raw,
              Fixed4::fromQuotient(Printers().physicalHeight(), 971).raw);
    EXPECT_EQ(Printers().paperSizeCode(), 13);
    EXPECT_NEAR(wordLeft(out, "PAPER"), 75.0, 1.5);
    EXPECT_TRUE(messages.texts.isEmpty());
    form.setPrintDialogs(nullptr);
}

TEST(Printing, APrinterThatRefusesJobsIsReportedAndNothingPrints)
{
    PdfPrinter pdf;
    ScriptedMessages messages;
    QTemporaryDir dir;
    TForm1 form;
    form.SyokiForm(QString());
    ScriptedPrintDialogs dialogs;
    form.setPrintDialogs(&dialogs);
    const QString out = dir.filePath("refused.pdf");
    dialogs.onDialog = [&](QPrinter &p) { p.setOutputFileName(out); };
    SetFakePrinterAccepting(*pdf.service, false);
    form.PrinterOut();
    EXPECT_FALSE(QFile::exists(out));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], "印刷を開始できませんでした。");

    // Cancelled dialog: nothing at all.
    SetFakePrinterAccepting(*pdf.service, true);
    dialogs.accept = false;
    form.PrinterOut();
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(messages.texts.size(), 1);
    form.setPrintDialogs(nullptr);
}

TEST(Printing, PageSetupCancelChangesNothing)
{
    PdfPrinter pdf;
    ScriptedMessages messages;
    TForm1 form;
    form.SyokiForm(QString());
    ScriptedPrintDialogs dialogs;
    form.setPrintDialogs(&dialogs);
    form.doc().Paper.PaperSizeCode = "13";
    form.doc().Paper.Orientation = "1";
    form.doc().Paper.Width = "182";
    form.doc().Paper.Height = "257";
    form.ApplyLoadedPaper();
    const RPaperData before = form.doc().Paper;

    // The user picks A3 landscape, then "キャンセル".
    dialogs.onDialog = [](QPrinter &p) {
        p.setPageSize(QPageSize(QPageSize::A3));
        p.setPageOrientation(QPageLayout::Landscape);
    };
    dialogs.accept = false;
    form.PaperSetupCommand();
    EXPECT_EQ(dialogs.setups, 1);
    EXPECT_EQ(form.doc().Paper.PaperSizeCode, before.PaperSizeCode);
    EXPECT_EQ(form.doc().Paper.Width, "182");
    EXPECT_EQ(form.doc().Paper.Height, "257");
    EXPECT_EQ(form.pages().PageSize[0], QSize(687, 971));

    // The same with "OK": an A3 landscape page.
    dialogs.accept = true;
    form.PaperSetupCommand();
    EXPECT_EQ(form.doc().Paper.PaperSizeCode, "8");
    EXPECT_EQ(form.doc().Paper.Orientation, "2");
    EXPECT_EQ(form.doc().Paper.Width, "420");
    EXPECT_EQ(form.doc().Paper.Height, "297");
    EXPECT_EQ(form.pages().PageSize[0], QSize(1587, 1122));
    form.setPrintDialogs(nullptr);
}

TEST(Printing, APdfIsOfferedUnderTheWorksheetsOwnName)
{
    EXPECT_EQ(DefaultPdfPath(QString(), "/home/t/Tavenor Print"),
              "/home/t/Tavenor Print/プリント.pdf");
    EXPECT_EQ(DefaultPdfPath("/home/t/sub/かけ算.prx", "/x"), "/home/t/sub/かけ算.pdf");

    PdfPrinter pdf;
    ScriptedMessages messages;
    QTemporaryDir dir;
    const QString path = dir.filePath("たし算.prx");
    Document doc;
    addText(doc, 10, 10, "x");
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);

    TForm1 form;
    form.SyokiForm(QString());
    ScriptedPrintDialogs dialogs;
    dialogs.accept = false;
    form.setPrintDialogs(&dialogs);
    form.PrinterOut();
    EXPECT_EQ(dialogs.offeredPdf, form.folders().UserPrintFolder + "/プリント.pdf");
    ASSERT_TRUE(form.fileCommands().FileLoad(path));
    form.PrinterOut();
    EXPECT_EQ(dialogs.offeredPdf, dir.filePath("たし算.pdf"));
    form.setPrintDialogs(nullptr);
}

namespace
{

QString lpstat(const QStringList &args)
{
    QProcess p;
    p.start("lpstat", args);
    if (!p.waitForFinished(10000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The queues of a running CUPS scheduler; empty when there is none.
QStringList cupsQueues()
{
    if (!lpstat({"-r"}).contains("is running"))
        return {};
    return QPrinterInfo::availablePrinterNames();
}

} // namespace

// With a running CUPS, every queue takes jobs exactly when lpstat says it
// is enabled and accepting requests.
TEST(Printing, QueueStateAgreesWithCups)
{
    const QStringList queues = cupsQueues();
    if (queues.isEmpty())
        GTEST_SKIP() << "no CUPS scheduler with a queue";
    for (const QString &queue : queues) {
        const bool accepting = !lpstat({"-a", queue}).contains("not accepting");
        const bool enabled = !lpstat({"-p", queue}).contains("disabled");
        EXPECT_EQ(SystemPrinterAcceptsJobs(queue), accepting && enabled) << queue.toStdString();
    }
}

// Started without a printer, then a queue chosen in the print dialog: the
// built-in printer takes that queue's paper, offsets and state.
TEST(Printing, AQueueChosenInTheDialogGivesItsOwnValues)
{
    const QStringList queues = cupsQueues();
    if (queues.isEmpty())
        GTEST_SKIP() << "no CUPS scheduler with a queue";
    auto system = MakeSystemPrinters();
    for (const QString &queue : queues) {
        auto builtIn = MakeFakePrinter(BuiltInPrinterName, 9, 1, 600);
        // What the dialog does when the user picks the queue.
        QPrinter &p = builtIn->printer();
        p.setOutputFileName(QString());
        p.setOutputFormat(QPrinter::NativeFormat);
        p.setPrinterName(queue);
        builtIn->syncFromPrinter();
        ASSERT_TRUE(system->selectPrinter(queue));
        for (int code : {9, 8}) {
            builtIn->setPaperSizeCode(code);
            system->setPaperSizeCode(code);
            EXPECT_EQ(builtIn->currentPrinter(), queue);
            EXPECT_EQ(builtIn->paperSizeCode(), code);
            // Dots at each one's resolution, compared across.
            const int a = builtIn->dpiY(), b = system->dpiY();
            EXPECT_NEAR(double(builtIn->physicalHeight()) / a, double(system->physicalHeight()) / b,
                        2.0 / a);
            EXPECT_EQ(builtIn->offsetX() * b, system->offsetX() * a) << queue.toStdString();
            EXPECT_EQ(builtIn->offsetY() * b, system->offsetY() * a) << queue.toStdString();
            EXPECT_EQ(builtIn->acceptsJobs(), system->acceptsJobs());
        }
    }
}
