// End to end: tavenor-print-tool pdf and render on a worksheet written to
// disk, checked through the PDF's text and the page image's pixels.
#include "document/UnitFile.h"
#include "support/ToolRun.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

const QRect kProblemRect(50, 50, 200, 30);
const QRect kAnswerRect(50, 200, 200, 30);

RAData text(int id, const QString &s, const QRect &r, int kotaeMode)
{
    RAData t;
    t.ID = id;
    t.Syu = QStringLiteral("1");
    t.Siki = s;
    t.Layer = 1;
    t.KotaeMode = kotaeMode;
    t.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    t.FontSize = 20;
    t.X1 = r.x();
    t.Y1 = r.y();
    t.Width = r.width();
    t.Height = r.height();
    t.ForeColor = 0;
    return t;
}

// A problem text, an answer text and a box, saved as a worksheet file.
QString writeWorksheet(const QTemporaryDir &dir)
{
    Document doc;
    RAData box;
    box.ID = 3;
    box.Syu = QStringLiteral("3");
    box.Layer = 1;
    box.X1 = 40;
    box.Y1 = 400;
    box.Width = 120;
    box.Height = 80;
    doc.AData = {text(1, QStringLiteral("もんだい"), kProblemRect, 0),
                 text(2, QStringLiteral("こたえ"), kAnswerRect, 1), box};
    const QString path = dir.filePath(QStringLiteral("w.prx"));
    EXPECT_TRUE(SaveFileAll(path, doc, 0, 1).ok);
    return path;
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first pixel inside the rectangle that is clearly not white.
bool firstInk(const QImage &img, const QRect &r, QColor &ink)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() < 3 * 235) {
                ink = c;
                return true;
            }
        }
    return false;
}

// The darkest pixel inside the rectangle (white when there is no ink).
QColor darkest(const QImage &img, const QRect &r)
{
    QColor best(Qt::white);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.lightness() < best.lightness())
                best = c;
        }
    return best;
}

} // namespace

TEST(ToolRender, PdfHoldsAnswersOnlyOnTheAnswerSheet)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString file = writeWorksheet(dir);
    const QString sheet = dir.filePath(QStringLiteral("out.pdf"));
    const QString answers = dir.filePath(QStringLiteral("out2.pdf"));

    ToolRun r = runTool({"pdf", file, "-o", sheet});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runTool({"pdf", file, "-o", answers, "--answers"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    const QString sheetText = pdfText(sheet);
    const QString answerText = pdfText(answers);
    EXPECT_TRUE(sheetText.contains(QStringLiteral("もんだい"))) << sheetText.toStdString();
    EXPECT_FALSE(sheetText.contains(QStringLiteral("こたえ"))) << sheetText.toStdString();
    EXPECT_TRUE(answerText.contains(QStringLiteral("もんだい"))) << answerText.toStdString();
    EXPECT_TRUE(answerText.contains(QStringLiteral("こたえ"))) << answerText.toStdString();
}

TEST(ToolRender, PdfAndRenderRefuseMissingBadAndCorruptInput)
{
    QTemporaryDir dir;
    const QString file = writeWorksheet(dir);
    const QString out = dir.filePath(QStringLiteral("x.pdf"));
    const QString png = dir.filePath(QStringLiteral("x.png"));
    const QString missing = dir.filePath(QStringLiteral("none.prx"));

    EXPECT_EQ(runTool({"pdf", missing, "-o", out}).exitCode, 1);
    EXPECT_EQ(runTool({"render", missing, "-o", png}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(out));

    EXPECT_EQ(runTool({"pdf", file}).exitCode, 2);
    EXPECT_EQ(runTool({"pdf", file, "-o"}).exitCode, 2);
    EXPECT_EQ(runTool({"pdf", file, "-o", out, "--zoom", "150"}).exitCode, 2);
    EXPECT_EQ(runTool({"pdf", file, "-o", out, "--from", "0"}).exitCode, 2);
    EXPECT_EQ(runTool({"render", file, "-o", png, "--zoom", "abc"}).exitCode, 2);
    EXPECT_EQ(runTool({"render", file, "-o", png, "--zoom", "5"}).exitCode, 2);
    EXPECT_EQ(runTool({"render", file, file, "-o", png}).exitCode, 2);
    EXPECT_EQ(runTool({"render", file, "-o", png, "--page", "2"}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(png));

    const QString corrupt = dir.filePath(QStringLiteral("bad.prx"));
    {
        QFile f(corrupt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x01\xff\x7fzz\x00q", 7));
    }
    const QString broken = QStringLiteral("ファイルが壊れています。読み込むことができません。");
    ToolRun r = runTool({"pdf", corrupt, "-o", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(broken)) << r.err.toStdString();
    r = runTool({"render", corrupt, "-o", png});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(broken)) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_FALSE(QFile::exists(png));
}

TEST(ToolRender, RenderSizesThePageAndColoursTheAnswer)
{
    QTemporaryDir dir;
    const QString file = writeWorksheet(dir);
    const QString sheet = dir.filePath(QStringLiteral("out.png"));
    const QString answers = dir.filePath(QStringLiteral("ans.png"));
    const QString zoomed = dir.filePath(QStringLiteral("zoom.png"));

    ASSERT_EQ(runTool({"render", file, "-o", sheet}).exitCode, 0);
    ASSERT_EQ(runTool({"render", file, "-o", answers, "--answers"}).exitCode, 0);
    ASSERT_EQ(runTool({"render", file, "-o", zoomed, "--zoom", "150"}).exitCode, 0);

    const QImage a(sheet), b(answers), z(zoomed);
    EXPECT_EQ(a.size(), QSize(793, 1122));
    EXPECT_EQ(b.size(), QSize(793, 1122));
    EXPECT_EQ(z.size(), QSize(1189, 1683));

    // The problem text is drawn dark in both modes.
    QColor ink;
    ASSERT_TRUE(firstInk(a, kProblemRect, ink));
    EXPECT_LT(darkest(a, kProblemRect).lightness(), 80);
    EXPECT_LT(darkest(b, kProblemRect).lightness(), 80);

    // The answer text: shown pale (drawn, but never black) on the problem
    // sheet, red on the answer sheet.
    ASSERT_TRUE(firstInk(a, kAnswerRect, ink));
    const QColor pale = darkest(a, kAnswerRect);
    EXPECT_GT(pale.lightness(), 100) << pale.name().toStdString();
    ASSERT_TRUE(firstInk(b, kAnswerRect, ink));
    const QColor red = darkest(b, kAnswerRect);
    EXPECT_GT(red.red(), 150) << red.name().toStdString();
    EXPECT_LT(red.green(), 100) << red.name().toStdString();
    EXPECT_LT(red.blue(), 100) << red.name().toStdString();
    EXPECT_NE(red, pale);

    // At 150 % the answer text lands at one and a half times its place.
    const QRect scaled(75, 300, 300, 45);
    EXPECT_LT(darkest(z, QRect(75, 75, 300, 45)).lightness(), 80);
    EXPECT_GT(darkest(z, scaled).lightness(), 100);
}

TEST(ToolRender, DamagedPaperValuesFallBackToA4)
{
    // Widths and heights that are no plain whole number, or no usable paper
    // size, must neither abort the tool nor empty the sheet: A4 portrait.
    QTemporaryDir dir;
    const QString good = writeWorksheet(dir);
    Document doc;
    ASSERT_TRUE(LoadFileAll(good, doc).ok);
    const QList<QPair<QString, QString>> damaged = {
        {"-abc", "297"}, {"210", "--3"}, {"-5", "-7"}, {"0", "0"}, {"99999999999999999999", "297"}};
    for (const auto &[width, height] : damaged) {
        doc.Paper.Orientation = QStringLiteral("2");
        doc.Paper.Width = width;
        doc.Paper.Height = height;
        const QString file = dir.filePath(QStringLiteral("damaged.prx"));
        ASSERT_TRUE(SaveFileAll(file, doc, 0, 1).ok);
        const QString png = dir.filePath(QStringLiteral("damaged.png"));
        const QString pdf = dir.filePath(QStringLiteral("damaged.pdf"));
        QFile::remove(png);
        const ToolRun render = runTool({"render", file, "-o", png});
        EXPECT_EQ(render.exitCode, 0) << width.toStdString() << " " << render.err.toStdString();
        const QImage img(png);
        EXPECT_EQ(img.size(), QSize(793, 1122)) << width.toStdString();
        EXPECT_LT(darkest(img, kProblemRect).lightness(), 80) << width.toStdString();
        const ToolRun print = runTool({"pdf", file, "-o", pdf});
        EXPECT_EQ(print.exitCode, 0) << width.toStdString() << " " << print.err.toStdString();
        EXPECT_TRUE(QFile::exists(pdf));
    }
}
