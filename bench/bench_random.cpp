// "作成" on an A4 worksheet of 100 random problems of mixed kinds: horizontal
// problems of the four operations (with remainders and decimals), column
// additions of decimals, multiplications and divisions with remainder,
// fractions of every kind (proper, improper, mixed, unspecified, same
// denominator, unreduced) and word problems; each run regenerates all of
// them through the expression tool and redraws the page.
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"
#include "render/UnitDrawSiki.h"
#include "render/UnitFonts.h"
#include "render/UnitRender.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

RAData problem(int i)
{
    RAData r;
    r.ID = i + 1;
    r.Syu = QStringLiteral("5");
    r.Rand = 1;
    r.Layer = 1;
    r.KotaeMode = i % 2;
    r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    r.FontSize = 14;
    r.X1 = 20 + (i % 4) * 190;
    r.Y1 = 20 + (i / 4) * 43;
    r.Width = 170;
    r.Height = 40;
    r.RandX1 = r.RandY1 = QStringLiteral("1");
    r.RandX2 = r.RandY2 = QStringLiteral("99");
    r.RandA1 = QStringLiteral("0");
    r.RandA2 = QStringLiteral("10000");
    r.RandBunsuX1 = r.RandBunsuY1 = QStringLiteral("2");
    r.RandBunsuX2 = r.RandBunsuY2 = QStringLiteral("12");
    const int kind = i % 10;
    switch (kind) {
    case 0: // horizontal, the four operations in turn
    case 1:
        r.Siki1 = 0;
        r.RandKigou = Byte((i / 10 + kind) % 4);
        r.RandAmari = r.RandKigou == 3 ? 1 : 0;
        if (r.RandKigou == 3) {
            r.RandY1 = QStringLiteral("2");
            r.RandY2 = QStringLiteral("9");
            r.RandA2 = QStringLiteral("99");
            r.RandX2 = QStringLiteral("999");
        }
        break;
    case 2: // horizontal with decimals
        r.Siki1 = 0;
        r.RandSyosuX = 1;
        r.RandSyosuY = 2;
        break;
    case 3: // column addition of decimals
        r.Siki1 = 1;
        r.Siki = QStringLiteral("1.2+3.45");
        r.RandSyosuX = 1;
        r.RandSyosuY = 2;
        break;
    case 4: // column multiplication
        r.Siki1 = 1;
        r.Siki = QStringLiteral("12*3");
        r.RandKigou = 2;
        r.RandX2 = QStringLiteral("999");
        break;
    case 5: // column division with remainder
        r.Siki1 = 1;
        r.Siki = QStringLiteral("75/4");
        r.RandKigou = 3;
        r.RandAmari = 1;
        r.RandY1 = QStringLiteral("2");
        r.RandY2 = QStringLiteral("9");
        r.RandX2 = QStringLiteral("999");
        r.RandA2 = QStringLiteral("99");
        break;
    case 6: // proper and improper fractions
    case 7: // mixed numbers, same denominator, unreduced
    case 8: // unspecified kinds, improper answer
        r.Siki1 = 2;
        r.Siki = QStringLiteral("s1b2+s1b3");
        r.RandBunsuKigou = Byte(i % 4);
        r.RandBunsuSyuX = Byte(kind == 6 ? 1 : kind == 7 ? 3 : 0);
        r.RandBunsuSyuY = Byte(kind == 6 ? 2 : kind == 7 ? 3 : 0);
        r.RandBunsuSyuA = Byte(kind == 8 ? 2 : 0);
        r.RandBunsuBunboY = kind == 7 ? 1 : 0;
        r.RandBunsuXYaku = kind == 7 ? 1 : 0;
        break;
    default: // word problem
        r.Siki1 = 3;
        r.RandKigou = Byte(i % 3);
        r.BunsyoText = QStringLiteral("あめが①こ、ガムが②こ。\r\nあわせて なんこ？");
        r.BunsyoSiki = QStringLiteral("（しき）");
        r.BunsyoKotaeCombo = QStringLiteral("こたえ");
        r.BunsyoKotaeTani = QStringLiteral("こ");
        r.BunsyoTani = Byte(i % 2);
        r.Height = 42;
        break;
    }
    return r;
}

void BM_RegenerateAll100(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc;
    for (int i = 0; i < 100; ++i)
        doc.AData.append(problem(i));
    ViewState view;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    tool.SeedRandom(1);
    // Fonts and layouts are built once, as in a running editor.
    RegenerateAll(doc, tool);
    renderer.SrcImageP(false);
    int written = 0;
    for (auto _ : state) {
        written = RegenerateAll(doc, tool);
        renderer.SrcImageP(false);
        benchmark::DoNotOptimize(images[0].constBits());
    }
    state.counters["rewritten"] = written;
    state.SetItemsProcessed(state.iterations() * doc.AData.size());
}
BENCHMARK(BM_RegenerateAll100)->Unit(benchmark::kMillisecond);

// The same run without the redraw, to tell generation from drawing.
void BM_RegenerateAll100NoRedraw(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc;
    for (int i = 0; i < 100; ++i)
        doc.AData.append(problem(i));
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    tool.SeedRandom(1);
    RegenerateAll(doc, tool);
    for (auto _ : state)
        benchmark::DoNotOptimize(RegenerateAll(doc, tool));
}
BENCHMARK(BM_RegenerateAll100NoRedraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
