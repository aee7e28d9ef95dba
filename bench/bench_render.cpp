// One full redraw (SrcImageP) of an A4 page holding 500 mixed objects:
// texts, lines, boxes and pictures, at zoom 1.0.
#include "render/UnitRender.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

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
            r.Siki = i % 8 == 0 ? QStringLiteral("もんだい %1\r\nこたえ").arg(i) : QStringLiteral("あいうえお %1").arg(i);
            r.FontName = i % 3 == 0 ? QStringLiteral("ＭＳ 明朝") : QStringLiteral("ＭＳ Ｐゴシック");
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
