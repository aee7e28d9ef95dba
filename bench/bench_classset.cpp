// A class set of 30 copies of a two-page worksheet with 40 random problems
// (horizontal and column additions and subtractions): every copy made anew,
// its problem and answer sheets with their copy numbers, into one PDF, as
// `class-set -n 30` writes it. Goal: at most 3 s on the development machine.
// The cost per copy should not grow with the number of copies, and neither
// should the memory: only one copy exists at a time.
//
// With BENCH_CLASSSET_SAVE_DIR set, the worksheet is also saved there as
// random-2x20.prx, for timing and measuring the whole companion on it.
#include "RandomSheet.h"
#include "app/UnitClassSet.h"
#include "app/UnitSheetOutput.h"
#include "document/UnitFile.h"
#include "render/UnitFonts.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

void BM_ClassSetPdf(benchmark::State &state)
{
    InstallFontSubstitutions();
    const Document sheet = bench::MakeRandomSheet(2, 20);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("class.pdf"));
    ClassSetOptions options;
    options.copies = int(state.range(0));
    options.seed = 2026;
    for (auto _ : state) {
        ClassSetRun run(sheet, 2, options);
        PdfSheetOutput pdf(out, sheet.Paper);
        QString error;
        if (run.run(pdf, {}, error) != ClassSetRun::Outcome::Done)
            state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["per_copy"] =
        benchmark::Counter(double(options.copies), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}
BENCHMARK(BM_ClassSetPdf)->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString saveDir = qEnvironmentVariable("BENCH_CLASSSET_SAVE_DIR");
    if (!saveDir.isEmpty()) {
        Document sheet = bench::MakeRandomSheet(2, 20);
        SaveFileAll(QDir(saveDir).filePath(QStringLiteral("random-2x20.prx")), sheet,
                    LayerWorksheet, 2);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
