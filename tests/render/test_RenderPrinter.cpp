// A print pass onto a real QPrinter (PDF output): the QPainter canvas works
// on a printer device, and only the print range reaches the file.
#include "render/UnitRender.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

qint64 printedSize(Document &doc, int fromPg, int toPg, const QString &path)
{
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16), QImage(793, 1122, QImage::Format_RGB16)};
    ViewState view;
    Renderer renderer(doc, images, view);
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
    EXPECT_EQ(images[0].pixelColor(0, 0), QColor(Qt::white));
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
    const qint64 without = printedSize(doc, 0, 0, dir.filePath(QStringLiteral("a.pdf")));
    const qint64 with = printedSize(doc, 1, 1, dir.filePath(QStringLiteral("b.pdf")));
    ASSERT_GT(without, 0);
    EXPECT_GT(with, without + 1000); // the texts of page 1 went into the file
}
