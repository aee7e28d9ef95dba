// End to end: the squares of a column problem from a worksheet on disk, as
// tavenor-print-tool render and pdf draw them, checked in the pixels of the
// page image and of the PDF page turned into a picture by poppler.
#include "document/UnitFile.h"
#include "math/UnitHissan.h"
#include "render/UnitMetrics.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

int runTool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVENOR_TOOL_PATH), args);
    if (!p.waitForFinished(60000))
        return -1;
    return p.exitCode();
}

// The same addition twice, side by side: with squares (left) and without.
struct Sheet {
    QString path;
    QRect withSquares, without; // the answer rows, in page units
};

Sheet writeSheet(const QTemporaryDir &dir)
{
    Metrics m;
    Document doc;
    Sheet sheet;
    for (int i = 0; i < 2; ++i) {
        RAData r;
        r.ID = i + 1;
        r.Syu = QStringLiteral("5");
        r.Layer = 1;
        r.FontName = QStringLiteral("ＭＳ ゴシック");
        r.FontSize = 40;
        r.X1 = 100 + 300 * i;
        r.Y1 = 100;
        EXPECT_EQ(SetHissanRow(r, QStringLiteral("48+36")), HissanStatus::Ok);
        if (i == 0)
            r.RandZ2 = QStringLiteral("masu=1");
        r.Width = m.GetMojiWidth(r);
        r.Height = m.GetMojiHeight(r);
        // The answer row is the last of three lines; the bar above it is
        // left out, the square's bottom edge kept in.
        const int rh = r.Height / 3;
        const QRect answerRow(r.X1, r.Y1 + 2 * rh + 3, r.Width + 3, rh);
        (i == 0 ? sheet.withSquares : sheet.without) = answerRow;
        doc.AData.append(r);
    }
    sheet.path = dir.filePath(QStringLiteral("masu.prx"));
    EXPECT_TRUE(SaveFileAll(sheet.path, doc, 0, 1).ok);
    return sheet;
}

// Pixels in r: light neutral grey ones (the squares) and red ones (answers).
struct Inks {
    int grey = 0, red = 0, other = 0;
};

Inks inksIn(const QImage &img, const QRect &r)
{
    Inks n;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 235 && c.green() > 235 && c.blue() > 235)
                continue;
            // The red digits' smoothed edges are pale pink, never neutral.
            const bool neutral = qAbs(c.red() - c.green()) < 6 && qAbs(c.green() - c.blue()) < 6;
            if (neutral && c.lightness() > 140)
                ++n.grey;
            else if (c.red() > 150 && c.green() < c.red() - 60 && c.blue() < c.red() - 60)
                ++n.red;
            else
                ++n.other;
        }
    return n;
}

QRect scaled(const QRect &r, double f)
{
    return QRect(int(r.x() * f), int(r.y() * f), int(r.width() * f), int(r.height() * f));
}

} // namespace

TEST(ToolMasu, RenderAndPdfDrawTheSquaresOnBothSheets)
{
    QTemporaryDir dir;
    const Sheet sheet = writeSheet(dir);

    // The page image at 100 % and 200 %: squares in exactly their grey
    // beside the digits, none beside the plain problem.
    for (const int zoom : {100, 200}) {
        SCOPED_TRACE(zoom);
        const QString png = dir.filePath(QStringLiteral("a.png"));
        ASSERT_EQ(runTool({"render", sheet.path, "-o", png, "--answers", "--zoom",
                           QString::number(zoom)}),
                  0);
        const QImage img(png);
        ASSERT_FALSE(img.isNull());
        const QRect with = scaled(sheet.withSquares, zoom / 100.0);
        const QRect without = scaled(sheet.without, zoom / 100.0);
        int exact = 0;
        for (int y = with.top(); y <= with.bottom(); ++y)
            for (int x = with.left(); x <= with.right(); ++x) {
                // The page image keeps 5 or 6 bits a channel.
                const QColor c = img.pixelColor(x, y);
                exact += qAbs(c.red() - 192) <= 8 && qAbs(c.green() - 192) <= 8 &&
                                 qAbs(c.blue() - 192) <= 8
                             ? 1
                             : 0;
            }
        EXPECT_GT(exact, with.height()); // at least the edges between the cells
        EXPECT_GT(inksIn(img, with).red, 0);
        EXPECT_EQ(inksIn(img, without).grey, 0);
        EXPECT_GT(inksIn(img, without).red, 0);
    }

    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    // On paper: the problem sheet carries the squares and nothing in them,
    // the answer sheet the squares with the red digits.
    for (const bool answers : {false, true}) {
        SCOPED_TRACE(answers ? "answer sheet" : "problem sheet");
        const QString pdf = dir.filePath(QStringLiteral("s.pdf"));
        QStringList args{"pdf", sheet.path, "-o", pdf};
        if (answers)
            args << "--answers";
        ASSERT_EQ(runTool(args), 0);
        // 192 dpi: two pixels per page unit.
        QProcess picture;
        const QString base = dir.filePath(QStringLiteral("page"));
        picture.start(QStringLiteral("pdftoppm"),
                      {"-r", "192", "-f", "1", "-l", "1", "-singlefile", "-png", pdf, base});
        ASSERT_TRUE(picture.waitForFinished(60000));
        const QImage img(base + QStringLiteral(".png"));
        ASSERT_FALSE(img.isNull());
        const Inks with = inksIn(img, scaled(sheet.withSquares, 2.0));
        const Inks without = inksIn(img, scaled(sheet.without, 2.0));
        EXPECT_GT(with.grey, 4 * sheet.withSquares.height());
        EXPECT_EQ(without.grey, 0);
        if (answers) {
            EXPECT_GT(with.red, 0);
            EXPECT_GT(without.red, 0);
        } else {
            EXPECT_EQ(with.red + with.other, 0);
            EXPECT_EQ(without.red + without.grey + without.other, 0);
        }
    }
}
