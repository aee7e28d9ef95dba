// Opening and saving a large worksheet: 2,000 objects and 20 pictures of
// 640 x 480, through the same reader and writer as the editor.
#include "PhotoPicture.h"
#include "document/UnitFile.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

Document largeWorksheet()
{
    Document doc;
    doc.Naiyou = QStringLiteral("たし算とひき算のまとめ");
    for (int i = 0; i < 2000; ++i) {
        RAData r;
        r.ID = i + 1;
        r.Page = 0;
        r.X1 = (i * 17) % 700;
        r.Y1 = (i * 31) % 1100;
        r.Layer = (i % 50 == 0) ? 3 : 1;
        switch (i % 4) {
        case 0:
            r.Syu = QStringLiteral("1");
            r.Siki = QStringLiteral("もんだい %1、つぎの けいさんを しましょう。\r\n①②").arg(i);
            r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
            r.FontSize = 11;
            r.Width = 200;
            r.Height = 30;
            break;
        case 1:
            r.Syu = QStringLiteral("2");
            r.Width = 120;
            r.FontSize = 1;
            break;
        case 2:
            r.Syu = QStringLiteral("5");
            r.Siki = QStringLiteral("%1+%2").arg(i).arg(i * 3 + 7);
            r.Kotae = QString::number(i + i * 3 + 7);
            r.HissanSiki = QStringLiteral("_%1_+%2").arg(i).arg(i * 3 + 7);
            r.FontName = QStringLiteral("ＭＳ ゴシック");
            r.FontSize = 16;
            r.Siki1 = 1;
            r.Rand = 1;
            r.RandX1 = QStringLiteral("10");
            r.RandX2 = QStringLiteral("99");
            r.RandY1 = QStringLiteral("10");
            r.RandY2 = QStringLiteral("99");
            r.BunsyoText = QStringLiteral("りんごが①こ、みかんが②こあります。");
            break;
        default:
            r.Syu = QStringLiteral("4");
            r.PicNo = i % 20;
            r.Width = 320;
            r.Height = 240;
            break;
        }
        doc.AData.append(r);
    }
    for (int i = 0; i < 20; ++i)
        doc.BMData.append(bench::PhotoLikePicture(i));
    return doc;
}

const Document &worksheet()
{
    static const Document doc = largeWorksheet();
    return doc;
}

void BM_SaveWorksheet(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.prx"));
    for (auto _ : state) {
        const FileResult r = SaveFileAll(path, worksheet(), LayerWorksheet);
        if (!r.ok)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveWorksheet)->Unit(benchmark::kMillisecond);

void BM_OpenWorksheet(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.prx"));
    if (!SaveFileAll(path, worksheet(), LayerWorksheet).ok) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        auto doc = std::make_unique<Document>();
        const FileResult r = LoadFileAll(path, *doc);
        if (!r.ok || doc->AData.size() != 2000)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(doc->BMData.data());
        // Freeing the worksheet is not part of opening it.
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWorksheet)->Unit(benchmark::kMillisecond);

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
