// The print run of the command-line PDF on worksheets of 1, 20 and 100 A4
// pages, each page holding 60 column problems (15 of each operation) laid
// out by the column engines: all pages, and only page 1 of the longest one;
// and the drawing of page 1 alone into its image, as `render --page 1` does.
// The cost of a printed page should not depend on the length of the sheet.
//
// With BENCH_PRINT_SAVE_DIR set, the worksheets are also saved there as
// columns-1.prx, columns-20.prx and columns-100.prx, for timing the whole
// companion process on them.
#include "app/UnitHeadless.h"
#include "document/UnitFile.h"
#include "math/UnitHissan.h"
#include "math/UnitHissanWarizan.h"
#include "render/UnitMetrics.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char *const kProblems[4][6] = {
    {"12.5+3.75", "345+678", "9.08+1.2", "4567+89", "0.25+0.75", "1.2+3.4+5.6"},
    {"72.3-6.14", "903-457", "10.5-2.75", "8000-123", "6.2-1.7", "95-38"},
    {"35*63", "2.4*1.5", "127*8", "406*39", "0.25*4", "78*56"},
    {"75/4", "7.5/2.5", "3/0.25", "1000/7", "98.6/3.4", "42/6"},
};

Document makeSheet(int pages)
{
    Document doc;
    Metrics m;
    int id = 0;
    for (int page = 0; page < pages; ++page)
        for (int i = 0; i < 60; ++i) {
            RAData r;
            r.ID = id++;
            r.Syu = QStringLiteral("5");
            r.Page = page;
            r.FontName = QStringLiteral("ＭＳ ゴシック");
            r.FontSize = 14;
            r.Layer = 1;
            r.KotaeMode = i % 5 == 0 ? 1 : 0;
            const int op = (i + page) % 4;
            const QString e = QString::fromUtf8(kProblems[op][(i / 4 + page) % 6]);
            if (SetHissanRow(r, e) != HissanStatus::Ok)
                continue;
            if (op == 3 && i % 8 == 3) {
                TFormHissanWarizan engine;
                if (engine.Warizan(e) && engine.WarizanNext() && engine.WarizanNext())
                    engine.fillRow(r);
            }
            r.Width = m.GetMojiWidth(r);
            r.Height = m.GetMojiHeight(r);
            r.X1 = 20 + (i % 4) * 190;
            r.Y1 = 20 + (i / 4) * 72;
            doc.AData.append(r);
        }
    return doc;
}

void prepare(HeadlessWorksheet &w, int pages)
{
    w.adopt(makeSheet(pages), pages);
}

void BM_PrintPdfAllPages(benchmark::State &state)
{
    InstallFontSubstitutions();
    const int pages = int(state.range(0));
    HeadlessWorksheet w;
    prepare(w, pages);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    for (auto _ : state) {
        w.layout(w.storedPages, Fixed4::fromInt(1), true);
        QString error;
        if (!w.printPdf(out, 1, pages, error))
            state.SkipWithError(error.toUtf8().constData());
    }
    // Seconds per printed page.
    state.counters["per_page"] = benchmark::Counter(
        double(pages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PrintPdfAllPages)->Arg(1)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_PrintPdfFirstPageOf100(benchmark::State &state)
{
    InstallFontSubstitutions();
    HeadlessWorksheet w;
    prepare(w, 100);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    for (auto _ : state) {
        w.layout(w.storedPages, Fixed4::fromInt(1), true);
        QString error;
        if (!w.printPdf(out, 1, 1, error))
            state.SkipWithError(error.toUtf8().constData());
    }
}
BENCHMARK(BM_PrintPdfFirstPageOf100)->Unit(benchmark::kMillisecond);

void BM_RenderFirstPageOf100(benchmark::State &state)
{
    InstallFontSubstitutions();
    HeadlessWorksheet w;
    prepare(w, 100);
    for (auto _ : state) {
        w.layout(w.storedPages, Fixed4::fromInt(1), true);
        w.renderPage(0);
        benchmark::DoNotOptimize(w.pages.ImageP[0].constBits());
    }
}
BENCHMARK(BM_RenderFirstPageOf100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString saveDir = qEnvironmentVariable("BENCH_PRINT_SAVE_DIR");
    if (!saveDir.isEmpty()) {
        InstallFontSubstitutions();
        QDir().mkpath(saveDir);
        for (int pages : {1, 20, 100}) {
            const QString path = QDir(saveDir).filePath(QStringLiteral("columns-%1.prx").arg(pages));
            const FileResult r = SaveFileAll(path, makeSheet(pages), 1, pages);
            if (!r.ok) {
                fprintf(stderr, "could not save %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
