// The recovery copy of a 20-page worksheet (800 objects, 6 pictures of
// 640 x 480): what the window thread spends on one write (it takes a
// snapshot and hands it on; this must stay well within a frame, 16 ms), and
// what the writing thread spends building the file bytes and writing them.
#include "PhotoPicture.h"
#include "app/Unit1.h"
#include "app/UnitRecovery.h"
#include "app/UnitStartup.h"
#include "document/UnitFile.h"
#include "document/UnitHeaderCommands.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Pages = 20;

// Forty objects a page: texts, lines, boxes, problems and a few pictures.
void fillWorksheet(Document &doc)
{
    doc.Naiyou = QStringLiteral("２０まいのたしざん");
    for (int i = 0; i < Pages * 40; ++i) {
        RAData r;
        r.ID = i + 1;
        r.Page = i / 40;
        r.X1 = 40 + (i * 17) % 600;
        r.Y1 = 40 + (i * 31) % 1000;
        r.Layer = 1;
        r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
        r.FontSize = 16;
        r.Width = 200;
        r.Height = 30;
        switch (i % 5) {
        case 0:
            r.Syu = QStringLiteral("1");
            r.Siki = QStringLiteral("もんだい %1　つぎの けいさんを しましょう。").arg(i);
            break;
        case 1:
            r.Syu = QStringLiteral("2");
            break;
        case 2:
            r.Syu = QStringLiteral("3");
            break;
        default:
            r.Syu = QStringLiteral("5");
            r.Siki = QStringLiteral("%1+%2").arg(i % 90 + 10).arg(i % 70 + 20);
            r.Kotae = QString::number(i % 90 + 10 + i % 70 + 20);
            r.Siki1 = 1;
            r.Rand = 1;
            r.RandX1 = r.RandY1 = QStringLiteral("10");
            r.RandX2 = r.RandY2 = QStringLiteral("99");
            break;
        }
        if (i % 133 == 0) {
            r.Syu = QStringLiteral("4");
            r.PicNo = doc.BMData.size();
            r.Width = 320;
            r.Height = 240;
            doc.BMData.append(bench::PhotoLikePicture(i));
        }
        doc.AData.append(r);
    }
}

// The editor as start-up builds it, its worksheet filled and unsaved.
struct Editor {
    TForm1 form;
    TRecovery *recovery = nullptr;
    Editor()
    {
        StartEditor(form, QString());
        recovery = form.recovery();
        fillWorksheet(form.doc());
        form.doc().push(std::make_unique<ChangeAnswerColorCommand>(form.doc(), 0xFF0000));
    }
};

void BM_RecoveryWriteOnWindowThread(benchmark::State &state)
{
    Editor e;
    if (!e.recovery || !e.form.doc().isModified()) {
        state.SkipWithError("no recovery");
        return;
    }
    for (auto _ : state) {
        e.recovery->WriteNow();
        // The writing thread's work is measured below, not here.
        state.PauseTiming();
        e.recovery->WaitForDisk();
        state.ResumeTiming();
    }
    e.recovery->DiscardOnExit();
}
// Each step waits for the writing thread outside the timing, so the number
// of steps is fixed rather than grown until the timed part fills a second.
BENCHMARK(BM_RecoveryWriteOnWindowThread)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_RecoveryBuildAndWrite(benchmark::State &state)
{
    Document doc;
    fillWorksheet(doc);
    QTemporaryDir dir;
    const RecoveryFile file(dir.path());
    RRecoveryInfo info;
    info.name = doc.Naiyou;
    for (auto _ : state) {
        const QString error = file.write(BuildFileBytes(doc, LayerWorksheet, Pages), info);
        if (!error.isEmpty())
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_RecoveryBuildAndWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The editor's working folders go to a folder of the run's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
    qputenv("XDG_DOCUMENTS_DIR", (home.path() + "/Documents").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
