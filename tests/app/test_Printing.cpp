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
#include "render/UnitMetrics.h"
#include "app/UnitViewControls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
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

// The main window on the built-in PDF printer, with scripted messages and
// print dialogs, and a folder for the printed files.
struct PrintingWindow : ::testing::Test {
    PdfPrinter pdf;
    ScriptedMessages messages;
    QTemporaryDir dir;
    TForm1 form;
    ScriptedPrintDialogs dialogs;
    void SetUp() override
    {
        form.SyokiForm(QString());
        form.setPrintDialogs(&dialogs);
    }
    void TearDown() override { form.setPrintDialogs(nullptr); }
};

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

TEST_F(PrintingWindow, TheSheetDoesNotDependOnTheZoom)
{
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
}

TEST_F(PrintingWindow, TheWorksheetsPaperGoesOnThePrinterAfterTheDialog)
{

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
}

TEST_F(PrintingWindow, APrinterThatRefusesJobsIsReportedAndNothingPrints)
{
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
}

TEST_F(PrintingWindow, PageSetupCancelChangesNothing)
{
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

namespace
{

// One word of page 1 of a PDF and the inks found in its box: pixels of the
// answer colour (red) and dark pixels of ordinary ink.
struct WordInk {
    QString word;
    QRectF box;
    int red = 0, dark = 0, redLeft = 0, darkLeft = 0; // ...Left: in the left half
};

QVector<WordInk> wordInks(const QString &pdf, const QString &dir)
{
    QVector<WordInk> words;
    QProcess text;
    text.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    if (!text.waitForFinished(30000))
        return words;
    const QString html = QString::fromUtf8(text.readAllStandardOutput());
    QProcess picture;
    const QString base = QDir(dir).filePath("ink");
    picture.start("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-singlefile", "-png", pdf, base});
    if (!picture.waitForFinished(30000))
        return words;
    const QImage page(base + ".png");
    if (page.isNull())
        return words;
    const QRegularExpression re("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                                "yMax=\"([0-9.]+)\">([^<]*)</word>");
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        WordInk w;
        w.word = m.captured(5);
        w.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        const QRect px = w.box.toAlignedRect().intersected(page.rect());
        for (int y = px.top(); y <= px.bottom(); ++y)
            for (int x = px.left(); x <= px.right(); ++x) {
                const QColor c = page.pixelColor(x, y);
                const bool left = x < px.center().x();
                if (c.red() > 160 && c.green() < 110 && c.blue() < 110) {
                    ++w.red;
                    w.redLeft += left;
                } else if (c.red() < 110 && c.green() < 110 && c.blue() < 110) {
                    ++w.dark;
                    w.darkLeft += left;
                }
            }
        words.append(w);
    }
    return words;
}

void addYokoProblem(Document &doc, int y, const QString &siki, const QString &kotae)
{
    const int r = doc.AppendRow();
    RAData &row = doc.AData[r];
    row.Syu = "5";
    row.Layer = 1;
    row.Siki1 = 0;
    row.Siki = siki;
    row.Kotae = kotae;
    row.FontName = "ＭＳ ゴシック";
    row.FontSize = 21;
    row.X1 = 100;
    row.Y1 = y;
    Metrics m;
    row.Width = m.GetMojiWidth(row);
    row.Height = m.GetMojiHeight(row);
}

} // namespace

TEST_F(PrintingWindow, EveryPrintStartsWithItsOwnInk)
{
    // The printer stays the same from one print to the next; what the last
    // print drew last (an answer in red) must not colour the next one.
    addYokoProblem(form.doc(), 100, "7*4", "28");
    addText(form.doc(), 100, 40, "TITLE");
    addText(form.doc(), 400, 40, QStringLiteral("なまえ＿＿"));
    addYokoProblem(form.doc(), 200, "6*3", "18"); // its answer is the last thing drawn

    auto print = [&](const QString &name) {
        const QString out = dir.filePath(name);
        dialogs.onDialog = [&](QPrinter &p) { p.setOutputFileName(out); };
        form.PrinterOut();
        return wordInks(out, dir.path());
    };

    form.viewControls()->SpeedButtonKai->click();
    ASSERT_TRUE(form.viewControls()->answerDisplayOn());
    print("answers1.pdf");
    // The answer sheet again: the first problem's expression stays black,
    // only its answer is red.
    QVector<WordInk> words = print("answers2.pdf");
    ASSERT_GE(words.size(), 4);
    for (const WordInk &w : words) {
        EXPECT_GT(w.dark + w.red, 0) << w.word.toStdString();
        if (w.word.startsWith(QStringLiteral("7×4")) || w.word.startsWith(QStringLiteral("6×3"))) {
            EXPECT_EQ(w.redLeft, 0) << w.word.toStdString();
            EXPECT_GT(w.darkLeft, 0) << w.word.toStdString();
            EXPECT_GT(w.red, 0) << w.word.toStdString();
        } else {
            EXPECT_EQ(w.red, 0) << w.word.toStdString();
        }
    }

    // The problem sheet after it: not one red pixel on any word.
    form.viewControls()->SpeedButtonKai->click();
    ASSERT_FALSE(form.viewControls()->answerDisplayOn());
    words = print("problems.pdf");
    ASSERT_GE(words.size(), 4);
    for (const WordInk &w : words) {
        EXPECT_EQ(w.red, 0) << w.word.toStdString();
        EXPECT_GT(w.dark, 0) << w.word.toStdString();
        EXPECT_FALSE(w.word.contains(QStringLiteral("28"))) << "answers stay off the problem sheet";
    }
    EXPECT_TRUE(messages.texts.isEmpty());
}
