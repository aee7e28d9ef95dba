// "まとめて配置" of 60 column problems on an empty A4 page: drawing the set
// in one batch through the expression tool, laying it out, pushing it as one
// command and redrawing the page, as the dialog's "配置" does. Each run is
// undone again outside the timing.
#include "math/UnitSiki.h"
#include "render/UnitDrawSiki.h"
#include "render/UnitFonts.h"
#include "render/UnitRender.h"

#include <QApplication>
#include <QUndoStack>
#include <benchmark/benchmark.h>

namespace
{

RAData columnAddition(int kigou)
{
    RAData r;
    r.ID = 1;
    r.Syu = QStringLiteral("5");
    r.Siki1 = TFormSiki::PageTate;
    r.Rand = 1;
    r.RandKigou = Byte(kigou);
    r.RandX1 = QStringLiteral("100");
    r.RandX2 = QStringLiteral("999");
    r.RandY1 = QStringLiteral("10");
    r.RandY2 = QStringLiteral("99");
    r.RandA1 = QStringLiteral("0");
    r.RandA2 = QStringLiteral("99999");
    r.Siki = QStringLiteral("123+45");
    r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    r.FontSize = 11;
    r.Layer = 1;
    return r;
}

void placeSixty(benchmark::State &state, int kigou)
{
    InstallFontSubstitutions();
    Document doc;
    ViewState view;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    tool.SeedRandom(1);
    const RAData settings = columnAddition(kigou);
    doc.AData.append(settings);
    tool.LoadRow(0);
    doc.AData.clear();
    RSetOptions options;
    options.count = 60;
    options.area = SetArea::WholePage;
    QString refusal = tool.PlaceSet(settings, 0, options);
    if (!refusal.isEmpty()) {
        state.SkipWithError(refusal.toStdString().c_str());
        return;
    }
    renderer.SrcImageP(false);
    doc.undoStack().undo();
    for (auto _ : state) {
        refusal = tool.PlaceSet(settings, 0, options);
        renderer.SrcImageP(false);
        benchmark::DoNotOptimize(images[0].constBits());
        state.PauseTiming();
        doc.undoStack().undo();
        state.ResumeTiming();
    }
    state.counters["placed"] = refusal.isEmpty() ? 60 : 0;
}

void BM_PlaceSixtyColumnAdditions(benchmark::State &state) { placeSixty(state, 0); }
void BM_PlaceSixtyColumnMultiplications(benchmark::State &state) { placeSixty(state, 2); }
BENCHMARK(BM_PlaceSixtyColumnAdditions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceSixtyColumnMultiplications)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
