// One full redraw (SrcImageP) of an A4 page holding 500 mixed objects:
// texts, lines, boxes and pictures, at zoom 1.0; and a page of 300 objects
// (two-line texts, lines, boxes, 64x64 pictures) redrawn and printed to a
// 600-dpi PDF file.
#include "app/UnitHeadless.h"
#include "render/UnitRender.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace
{

void fillDocument(Document &doc)
{
    for (int i = 0; i < 8; ++i) {
        QImage pic(120 + i * 10, 90 + i * 5, QImage::Format_RGB32);
        pic.fill(QColor(30 * i, 200 - 20 * i, 90));
        doc.BMData.append(pic);
    }
    for (int i = 0; i < 500; ++i) {
        RAData r;
        r.ID = i;
        r.Page = 0;
        r.X1 = (i * 37) % 700;
        r.Y1 = (i * 53) % 1050;
        r.Layer = 1;
        r.KotaeMode = i % 7 == 0 ? 1 : 0;
        r.ForeColor = 0x202020;
        r.FontSize = 1 + i % 3;
        switch (i % 4) {
        case 0:
            r.Syu = QStringLiteral("1");
            r.Siki = i % 8 == 0 ? QStringLiteral("もんだい %1\r\nこたえ").arg(i)
                                : QStringLiteral("あいうえお %1").arg(i);
            r.FontName =
                i % 3 == 0 ? QStringLiteral("ＭＳ 明朝") : QStringLiteral("ＭＳ Ｐゴシック");
            r.FontSize = 11 + i % 20;
            r.Width = 120;
            r.Height = 2 * r.FontSize;
            r.FontB = i % 5 == 0 ? 1 : 0;
            break;
        case 1:
            r.Syu = QStringLiteral("2");
            r.Width = 80 + i % 50;
            r.Height = i % 30;
            r.LineSyu = i % 2;
            break;
        case 2:
            r.Syu = QStringLiteral("3");
            r.Width = 60 + i % 40;
            r.Height = 40 + i % 25;
            r.BackColorB = i % 2;
            r.BackColor = 0xE0F0FF;
            break;
        default:
            r.Syu = QStringLiteral("4");
            r.PicNo = i % 8;
            r.Width = 100 + i % 40;
            r.Height = 75 + i % 30;
            break;
        }
        doc.AData.append(r);
    }
}

void BM_SrcImagePage500(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc;
    fillDocument(doc);
    ViewState view;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    renderer.SrcImageP(false); // fonts and grey copies are built once
    for (auto _ : state) {
        renderer.SrcImageP(false);
        benchmark::DoNotOptimize(images[0].constBits());
    }
    state.SetItemsProcessed(state.iterations() * doc.AData.size());
}
BENCHMARK(BM_SrcImagePage500)->Unit(benchmark::kMillisecond);

// 100 two-line texts, 50 lines, 50 boxes and 100 pictures of 64x64 spread
// over a grid of 10 columns by 30 rows on an A4 page.
void fillDocument300(Document &doc)
{
    for (int i = 0; i < 100; ++i) {
        QImage pic(64, 64, QImage::Format_RGB32);
        pic.fill(QColor((i * 23) % 256, 255 - (i * 7) % 256, (i * 41) % 256));
        doc.BMData.append(pic);
    }
    int pictures = 0;
    for (int i = 0; i < 300; ++i) {
        RAData r;
        r.ID = i;
        r.Page = 0;
        r.X1 = 10 + (i % 10) * 77;
        r.Y1 = 10 + (i / 10) * 36;
        r.Layer = 1;
        r.ForeColor = 0x202020;
        r.FontSize = 1;
        const int kind = i % 6;
        if (kind < 2) {
            r.Syu = QStringLiteral("1");
            r.Siki = QStringLiteral("もんだい %1\r\nこたえ %2").arg(i).arg(i * 3);
            r.FontName =
                i % 4 == 0 ? QStringLiteral("ＭＳ 明朝") : QStringLiteral("ＭＳ Ｐゴシック");
            r.FontSize = 10 + i % 6;
            r.Width = 72;
            r.Height = 2 * r.FontSize + 4;
            r.KotaeMode = i % 10 == 0 ? 1 : 0;
        } else if (kind == 2) {
            r.Syu = QStringLiteral("2");
            r.Width = 60 + i % 15;
            r.Height = i % 30;
            r.LineSyu = i % 2;
        } else if (kind == 3) {
            r.Syu = QStringLiteral("3");
            r.Width = 60 + i % 15;
            r.Height = 30;
            r.BackColorB = i % 2;
            r.BackColor = 0xE0F0FF;
        } else {
            r.Syu = QStringLiteral("4");
            r.PicNo = pictures++;
            r.Width = 64;
            r.Height = 64;
        }
        doc.AData.append(r);
    }
}

void BM_SrcImageP300(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc;
    fillDocument300(doc);
    ViewState view;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    renderer.SrcImageP(false); // fonts and grey copies are built once
    for (auto _ : state) {
        renderer.SrcImageP(false);
        benchmark::DoNotOptimize(images[0].constBits());
    }
    state.SetItemsProcessed(state.iterations() * doc.AData.size());
}
BENCHMARK(BM_SrcImageP300)->Unit(benchmark::kMillisecond);

// The same page through the print run onto a 600-dpi PDF file, written anew
// on every iteration.
void BM_PrintPdf300(benchmark::State &state)
{
    InstallFontSubstitutions();
    HeadlessWorksheet w;
    fillDocument300(w.doc);
    w.layout(1, Fixed4::fromInt(1));
    w.render();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.pdf"));
    QString error;
    if (!w.printPdf(path, 1, 1, error) || QFileInfo(path).size() == 0) {
        state.SkipWithError(error.isEmpty() ? "empty PDF" : error.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        if (!w.printPdf(path, 1, 1, error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * w.doc.AData.size());
}
BENCHMARK(BM_PrintPdf300)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
