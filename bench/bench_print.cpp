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
#include "ColumnSheet.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

Document makeSheet(int pages) { return bench::MakeColumnSheet(pages); }

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
