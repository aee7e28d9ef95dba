// The print navigator over a large library: listing 500 worksheets of 200
// objects each from their headers alone, filtering the table, and drawing
// the first-page picture that a resting pointer shows (uncached and cached).
#include "document/UnitFile.h"
#include "library/UnitNaviFiles.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

constexpr int kFiles = 500;

struct Library {
    QTemporaryDir dir;
    Library()
    {
        Document doc;
        for (int i = 0; i < 200; ++i) {
            RAData r;
            r.Syu = QStringLiteral("1");
            r.Siki = QStringLiteral("もんだい %1 ①＋②＝").arg(i);
            r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
            r.FontSize = 14;
            r.X1 = 40 + (i % 4) * 180;
            r.Y1 = 40 + (i / 4) * 20;
            r.Width = 170;
            r.Height = 18;
            r.Layer = 1;
            doc.AData.append(r);
        }
        for (int f = 0; f < kFiles; ++f) {
            doc.Naiyou = QStringLiteral("たし算とひき算 %1").arg(f);
            doc.NenIndex = f % 7;
            doc.KyoukaIndex = f % 5;
            SaveFileAll(dir.filePath(QStringLiteral("sheet%1.prx").arg(f, 4, 10, QLatin1Char('0'))),
                        doc, LayerWorksheet, 1);
        }
    }
};

Library &library()
{
    static Library lib;
    return lib;
}

void BM_MakeFileTable(benchmark::State &state)
{
    const QString folder = library().dir.path();
    for (auto _ : state) {
        QVector<RNaviFile> table = MakeFileTable(folder);
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_MakeFileTable)->Unit(benchmark::kMillisecond);

void BM_ListKensaku(benchmark::State &state)
{
    QVector<RNaviFile> table = MakeFileTable(library().dir.path());
    for (auto _ : state) {
        QVector<int> kept = NaviListKensaku(table, 2, 3, QStringLiteral("ひき算"));
        benchmark::DoNotOptimize(kept);
    }
}
BENCHMARK(BM_ListKensaku)->Unit(benchmark::kMicrosecond);

void BM_PreviewUncached(benchmark::State &state)
{
    const QString path = library().dir.filePath(QStringLiteral("sheet0000.prx"));
    for (auto _ : state) {
        QImage image = RenderFirstPage(path, 260);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_PreviewUncached)->Unit(benchmark::kMillisecond);

void BM_PreviewCached(benchmark::State &state)
{
    const QString path = library().dir.filePath(QStringLiteral("sheet0001.prx"));
    NaviPreview preview;
    preview.picture(path);
    for (auto _ : state) {
        QPixmap p = preview.picture(path);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_PreviewCached)->Unit(benchmark::kMicrosecond);

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
