// The editor's two mouse paths over a page of 300 mixed objects:
// - hover: one mouse move outside a drag, which hit-tests the page and then
//   redraws it in full (SrcImageP) as the editor does at every move;
// - drag step: one mouse move while 50 selected objects are dragged, which
//   moves their rows, their outlines and labels and the selection frame,
//   without redrawing the page.
#include "editing/UnitPageRedraws.h"
#include "editing/UnitSelect.h"
#include "render/UnitRender.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

class BenchHost : public EditHost
{
public:
    BenchHost(Renderer &r, QWidget *panel, QWidget *window)
        : mRenderer(r), mPanel(panel), mWindow(window)
    {
    }
    Fixed4 gamenBai() const override { return Fixed4::fromInt(1); }
    bool answerDisplayOn() const override { return false; }
    bool nameDisplayOn() const override { return false; }
    QWidget *pagePanel(int page) const override { return page == 0 ? mPanel : nullptr; }
    void redraw() override
    {
        ++redraws;
        mRenderer.SrcImageP(false);
        mPanel->update();
    }
    void setPageCursor(Qt::CursorShape shape) override { mPanel->setCursor(shape); }
    QWidget *dialogParent() const override { return mWindow; }

    int redraws = 0;

private:
    Renderer &mRenderer;
    QWidget *mPanel;
    QWidget *mWindow;
};

struct Page {
    Page()
    {
        images.append(QImage(793, 1122, QImage::Format_RGB16));
        panel = new QWidget(&window);
        panel->resize(793, 1122);
        for (int i = 0; i < 4; ++i) {
            QImage pic(80 + i * 10, 60, QImage::Format_RGB32);
            pic.fill(QColor(40 * i, 120, 200 - 30 * i));
            doc.BMData.append(pic);
        }
        // 300 objects in a 20 x 15 grid, a quarter of each kind.
        for (int i = 0; i < 300; ++i) {
            RAData r;
            r.ID = i + 1;
            r.Page = 0;
            r.X1 = 10 + (i % 20) * 38;
            r.Y1 = 10 + (i / 20) * 72;
            r.Layer = 1;
            r.FontSize = 1;
            switch (i % 4) {
            case 0:
                r.Syu = QStringLiteral("1");
                r.Siki = QStringLiteral("もじ%1").arg(i);
                r.FontName = QStringLiteral("ＭＳ Ｐゴシック");
                r.FontSize = 11;
                r.Width = 34;
                r.Height = 14;
                break;
            case 1:
                r.Syu = QStringLiteral("2");
                r.Width = 34;
                r.Height = 40;
                r.LineSyu = i % 2;
                break;
            case 2:
                r.Syu = QStringLiteral("3");
                r.Width = 34;
                r.Height = 60;
                break;
            default:
                r.Syu = QStringLiteral("4");
                r.PicNo = i % 4;
                r.Width = 34;
                r.Height = 60;
                break;
            }
            doc.AData.append(r);
        }
        renderer = std::make_unique<Renderer>(doc, images, view);
        host = std::make_unique<BenchHost>(*renderer, panel, &window);
        redraws = std::make_unique<PageRedraws>(doc, *host);
        panels = std::make_unique<TEditPanels>(EditPanelDefaults{}, &window);
        ctl = std::make_unique<TEditController>(doc, view, renderer->metrics(), *host, *panels);
        // Shown, so that moving the overlays costs what it costs on screen.
        window.resize(800, 1130);
        window.show();
        QApplication::processEvents();
    }

    QWidget window;
    QWidget *panel;
    Document doc;
    QVector<QImage> images;
    ViewState view;
    std::unique_ptr<Renderer> renderer;
    std::unique_ptr<BenchHost> host;
    std::unique_ptr<PageRedraws> redraws;
    std::unique_ptr<TEditPanels> panels;
    std::unique_ptr<TEditController> ctl;
};

void BM_HoverMove(benchmark::State &state)
{
    Page p;
    int i = 0;
    for (auto _ : state) {
        // Over objects and over the gaps between them, in turn.
        const QPoint pos(12 + (i * 7) % 760, 12 + (i * 13) % 1080);
        p.ctl->ImageMouseMove(0, pos);
        ++i;
    }
    state.counters["rows"] = double(p.doc.AData.size());
}
BENCHMARK(BM_HoverMove)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State &state)
{
    Page p;
    p.panels->SpeedButtonS->setChecked(true);
    p.ctl->SpeedButtonSClick();
    // Select 50 objects, texts among them, then press on the last one.
    QPoint last;
    for (int i = 0; i < 50; ++i) {
        const RAData &r = p.doc.AData[i * 6];
        last = QPoint(r.X1 + 2, r.Y1 + 2);
        if (r.Syu == u"2")
            last = QPoint(r.X1 + 1, r.LineSyu == 0 ? r.Y1 + 1 : r.Y1 + r.Height - 1);
        p.ctl->ImageMouseDown(0, last);
        p.ctl->ImageMouseUp(0, last);
    }
    p.ctl->ImageMouseDown(0, last);
    if (p.ctl->selection().size() < 50 || !p.ctl->dragging()) {
        state.SkipWithError("selection not built");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        p.ctl->ImageMouseMove(0, last + QPoint(i % 40, (i * 3) % 40));
        ++i;
        // Let the toolkit paint the moved overlays now and then, as the
        // event loop would between mouse moves.
        if (i % 64 == 0) {
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.counters["selected"] = double(p.ctl->selection().size());
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

void BM_RubberBandMove(benchmark::State &state)
{
    // A box's first point placed in a gap, then the mouse drawing the band.
    Page p;
    p.panels->ToolButton8->setChecked(true);
    const QPoint start(790, 1120);
    p.ctl->ImageMouseDown(0, start);
    p.ctl->ImageMouseUp(0, start);
    if (!p.ctl->boxMode()) {
        state.SkipWithError("no first point");
        return;
    }
    const int before = p.host->redraws;
    int i = 0;
    for (auto _ : state) {
        p.ctl->ImageMouseMove(0, start - QPoint(20 + i % 300, 20 + (i * 7) % 400));
        ++i;
        if (i % 64 == 0) {
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.counters["pageRedraws"] = double(p.host->redraws - before);
}
BENCHMARK(BM_RubberBandMove)->Unit(benchmark::kMicrosecond);

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
