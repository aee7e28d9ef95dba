// Edits as commands on a 20-page worksheet of 300 objects a page: a move of
// one object followed by the redraw of the pages it touched, against a full
// redraw of all pages; and the undo of deleting the 300 objects of a page.
#include "document/UnitCommands.h"
#include "document/UnitRowCommands.h"
#include "editing/UnitObjectCommands.h"
#include "render/UnitFonts.h"
#include "render/UnitRender.h"

#include <QGuiApplication>
#include <QUndoStack>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Pages = 20;
constexpr int PerPage = 300;

// Per page: 100 two-line texts, 50 lines, 50 boxes and 100 pictures of
// 64x64 on a grid of 10 columns by 30 rows.
void fillWorksheet(Document &doc)
{
    for (int i = 0; i < 100; ++i) {
        QImage pic(64, 64, QImage::Format_RGB32);
        pic.fill(QColor((i * 23) % 256, 255 - (i * 7) % 256, (i * 41) % 256));
        doc.BMData.append(pic);
    }
    for (int page = 0; page < Pages; ++page) {
        for (int i = 0; i < PerPage; ++i) {
            RAData r;
            r.ID = page * PerPage + i + 1;
            r.Page = page;
            r.X1 = 10 + (i % 10) * 77;
            r.Y1 = 10 + (i / 10) * 36;
            r.Layer = 1;
            r.ForeColor = 0x202020;
            r.FontSize = 1;
            const int kind = i % 6;
            if (kind < 2) {
                r.Syu = QStringLiteral("1");
                r.Siki = QStringLiteral("もんだい %1\r\nこたえ %2").arg(i).arg(i * 3 + page);
                r.FontName =
                    i % 4 == 0 ? QStringLiteral("ＭＳ 明朝") : QStringLiteral("ＭＳ Ｐゴシック");
                r.FontSize = 10 + i % 6;
                r.Width = 72;
                r.Height = 2 * r.FontSize + 4;
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
                r.PicNo = i % 100;
                r.Width = 64;
                r.Height = 64;
            }
            doc.AData.append(r);
        }
    }
}

struct Worksheet {
    explicit Worksheet(bool redrawTouched = true)
    {
        InstallFontSubstitutions();
        fillWorksheet(doc);
        for (int i = 0; i < Pages; ++i)
            images.append(QImage(793, 1122, QImage::Format_RGB16));
        renderer = std::make_unique<Renderer>(doc, images, view);
        renderer->SrcImageP(false);
        if (redrawTouched)
            QObject::connect(&doc.events(), &DocumentEvents::changed, [this](const RChange &c) {
                if (c.allPages)
                    renderer->SrcImageP(false);
                else
                    renderer->SrcImagePages(c.pages);
            });
    }
    Document doc;
    QVector<QImage> images;
    ViewState view;
    std::unique_ptr<Renderer> renderer;
};

// The whole answer to a moved object: the command, then the redraw of the
// page it touched.
void BM_MoveOneObjectAndRedrawTouchedPage(benchmark::State &state)
{
    Worksheet w;
    const int row = 7 * PerPage + 42;
    int step = 0;
    for (auto _ : state) {
        const int dx = (step++ % 2) ? 5 : -5;
        w.doc.push(std::make_unique<NudgeObjectsCommand>(w.doc, QVector<int>{row}, dx, 0, 0));
        benchmark::DoNotOptimize(w.images[7].constBits());
    }
}
BENCHMARK(BM_MoveOneObjectAndRedrawTouchedPage)->Unit(benchmark::kMillisecond);

void BM_FullRedrawOfAllPages(benchmark::State &state)
{
    Worksheet w;
    for (auto _ : state) {
        w.renderer->SrcImageP(false);
        benchmark::DoNotOptimize(w.images[7].constBits());
    }
}
BENCHMARK(BM_FullRedrawOfAllPages)->Unit(benchmark::kMillisecond);

// Undo of deleting every object of page 7 (the table closes up; undo puts
// the 300 rows back in place): the command alone, and with the redraw of
// the page.
void undoDelete(benchmark::State &state, bool redraw)
{
    Worksheet w(redraw);
    QVector<int> rows;
    for (int i = 0; i < PerPage; ++i)
        rows.append(7 * PerPage + i);
    w.doc.push(std::make_unique<RemoveObjectsCommand>(w.doc, QStringLiteral("削除"), rows));
    for (auto _ : state) {
        w.doc.undoStack().undo();
        state.PauseTiming();
        w.doc.undoStack().redo();
        state.ResumeTiming();
    }
    state.counters["rows"] = double(w.doc.AData.size());
}
void BM_UndoDeleteOf300Objects(benchmark::State &state)
{
    undoDelete(state, false);
}
BENCHMARK(BM_UndoDeleteOf300Objects)->Unit(benchmark::kMillisecond);

void BM_UndoDeleteOf300ObjectsAndRedraw(benchmark::State &state)
{
    undoDelete(state, true);
}
BENCHMARK(BM_UndoDeleteOf300ObjectsAndRedraw)->Unit(benchmark::kMillisecond);

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
