// A print pass onto a real QPrinter (PDF output): the QPainter canvas works
// on a printer device, and only the print range reaches the file.
#include "render/UnitRender.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Prints pages fromPg..toPg of a two-page worksheet whose page images start
// grey; `painted` tells which images the pass repainted (they turn white).
qint64 printedSize(Document &doc, int fromPg, int toPg, const QString &path, bool paperOnly,
                   QVector<bool> &painted)
{
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16),
                              QImage(793, 1122, QImage::Format_RGB16)};
    for (QImage &i : images)
        i.fill(QColor(128, 128, 128));
    ViewState view;
    Renderer renderer(doc, images, view);
    renderer.setPrintsPaperOnly(paperOnly);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QPainter painter;
    if (!painter.begin(&printer))
        return -1;
    PainterCanvas canvas(painter);
    view.Printer = &canvas;
    view.PrinterBai = Fixed4::fromQuotient(printer.height(), images[0].height());
    view.FromPg = fromPg;
    view.ToPg = toPg;
    renderer.SrcImageP(true);
    painter.end();
    painted.clear();
    for (const QImage &i : images)
        painted.append(i.pixelColor(0, 0) == QColor(Qt::white));
    return QFile(path).size();
}

} // namespace

TEST(RenderPrinterTest, PrintsThePageRangeToAPrinter)
{
    InstallFontSubstitutions();
    QTemporaryDir dir;
    Document doc;
    for (int i = 0; i < 40; ++i) {
        RAData r;
        r.Syu = QStringLiteral("1");
        r.Page = 1;
        r.X1 = 20;
        r.Y1 = 20 + 25 * i;
        r.Width = 600;
        r.Height = 24;
        r.FontName = QStringLiteral("ＭＳ 明朝");
        r.FontSize = 20;
        r.Siki = QStringLiteral("二ページ目の文字 %1 with some latin text").arg(i);
        doc.AData.append(r);
    }
    QVector<bool> painted;
    const qint64 without = printedSize(doc, 0, 0, dir.filePath(QStringLiteral("a.pdf")), false, painted);
    // A print pass repaints the images of its range only.
    EXPECT_EQ(painted, QVector<bool>({true, false}));
    const qint64 with = printedSize(doc, 1, 1, dir.filePath(QStringLiteral("b.pdf")), false, painted);
    EXPECT_EQ(painted, QVector<bool>({false, true}));
    ASSERT_GT(without, 0);
    EXPECT_GT(with, without + 1000); // the texts of page 1 went into the file

    // A paper-only pass puts the same texts on paper and paints no image.
    const qint64 paperOnly = printedSize(doc, 1, 1, dir.filePath(QStringLiteral("c.pdf")), true, painted);
    EXPECT_EQ(painted, QVector<bool>({false, false}));
    EXPECT_GT(paperOnly, without + 1000);
}
