// A full redraw of one A4 page (793 x 1122 page units at zoom 1.0) holding 60
// column problems, 15 of each operation, laid out by the column engines and
// drawn with QPainter into the 16-bit page image, as the editor redraws after
// every change. Once with answer display on (every part drawn), once more with
// the squares and carry-mark rows of every problem switched on, and once with
// a print pass onto a second image standing in for the printer.
#include "ColumnSheet.h"
#include "render/UnitDrawSiki.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <benchmark/benchmark.h>

namespace {

Document makePage() { return bench::MakeColumnSheet(1); }

void BM_RedrawPage60Columns(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc = makePage();
    ViewState view;
    view.AnswerDisplay = true;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    renderer.SrcImageP(false); // fonts and glyphs cached once, as in the running editor
    for (auto _ : state) {
        renderer.SrcImageP(false);
        benchmark::DoNotOptimize(images[0].constBits());
    }
    state.counters["problems"] = double(doc.AData.size());
}
BENCHMARK(BM_RedrawPage60Columns)->Unit(benchmark::kMillisecond);

// The same page with squares under every answer digit and a carry-mark row
// on every problem: four more lines per digit.
void BM_RedrawPage60ColumnsWithSquares(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc = makePage();
    for (RAData &r : doc.AData)
        if (r.Siki1 == 1)
            r.RandZ2 = QStringLiteral("masu=1;memo=1");
    ViewState view;
    view.AnswerDisplay = true;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    renderer.SrcImageP(false);
    for (auto _ : state) {
        renderer.SrcImageP(false);
        benchmark::DoNotOptimize(images[0].constBits());
    }
    state.counters["problems"] = double(doc.AData.size());
}
BENCHMARK(BM_RedrawPage60ColumnsWithSquares)->Unit(benchmark::kMillisecond);

// Counts what it is asked to draw and draws nothing: the cost of the
// layouts and the primitives' conversions without QPainter.
class CountingCanvas : public Canvas {
public:
    int64_t calls = 0;
    void fillRect(const QRect &, TColor) override { ++calls; }
    void drawText(const QRect &, const QString &, const FontSpec &, TColor, int) override
    {
        ++calls;
    }
    void drawLine(QPoint, QPoint, TColor, int) override { ++calls; }
    void drawRect(const QRect &, TColor, int, bool, TColor) override { ++calls; }
    void drawArc(const QRect &, QPoint, QPoint, TColor, int) override { ++calls; }
    void drawImage(const QRect &, const QImage &) override { ++calls; }
};

void BM_LayoutOnly60Columns(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc = makePage();
    ViewState view;
    view.AnswerDisplay = true;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    CountingCanvas counter;
    renderer.setCanvasFactory([&](int, QImage &) -> std::unique_ptr<Canvas> {
        struct Borrowed : Canvas {
            Canvas &c;
            explicit Borrowed(Canvas &target) : c(target) {}
            void fillRect(const QRect &r, TColor k) override { c.fillRect(r, k); }
            void drawText(const QRect &r, const QString &t, const FontSpec &f, TColor k,
                          int fl) override
            {
                c.drawText(r, t, f, k, fl);
            }
            void drawLine(QPoint a, QPoint b, TColor k, int w) override { c.drawLine(a, b, k, w); }
            void drawRect(const QRect &r, TColor p, int w, bool f, TColor k) override
            {
                c.drawRect(r, p, w, f, k);
            }
            void drawArc(const QRect &r, QPoint a, QPoint b, TColor k, int w) override
            {
                c.drawArc(r, a, b, k, w);
            }
            void drawImage(const QRect &r, const QImage &i) override { c.drawImage(r, i); }
        };
        return std::make_unique<Borrowed>(counter);
    });
    renderer.SrcImageP(false);
    counter.calls = 0;
    int64_t redraws = 0;
    for (auto _ : state) {
        renderer.SrcImageP(false);
        ++redraws;
    }
    state.counters["marks_per_redraw"] = redraws ? double(counter.calls) / double(redraws) : 0.0;
}
BENCHMARK(BM_LayoutOnly60Columns)->Unit(benchmark::kMillisecond);

// For comparison only: a page canvas that keeps the shaped glyphs of each
// (font, text) and clips only texts that would run out of their box. It
// shows what the page canvas could gain; the editor does not use it.
class ShapedTextCanvas : public Canvas {
public:
    explicit ShapedTextCanvas(QImage &image) : mPainter(&image), mPlain(mPainter) {}
    void fillRect(const QRect &r, TColor k) override { mPlain.fillRect(r, k); }
    void drawText(const QRect &r, const QString &text, const FontSpec &font, TColor color,
                  int flags) override
    {
        if (text.contains(u'\r') || text.contains(u'\n')) {
            mPlain.drawText(r, text, font, color, flags);
            return;
        }
        const QRect box = r.normalized();
        const bool clipped = (flags & TextFormat::NoClip) == 0;
        if (clipped && box.isEmpty())
            return;
        const CellFontInfo &cf = CellFont(font);
        auto key = qMakePair(cf.font.key(), text);
        auto it = mShaped.find(key);
        if (it == mShaped.end()) {
            Shaped sh;
            sh.text.setText(text);
            sh.text.setTextFormat(Qt::PlainText);
            sh.text.prepare(QTransform(), cf.font);
            sh.advance = CellFontMetrics(font).horizontalAdvance(text);
            it = mShaped.insert(key, sh);
        }
        const int w = it->advance;
        int x = r.left();
        if (flags & TextFormat::CentreTopClipped)
            x = r.left() + (r.width() - w) / 2;
        const bool fits = x >= box.left() && x + w <= box.right() + 1 &&
                          CellHeightOf(font) <= box.height();
        mPainter.setFont(cf.font);
        mPainter.setPen(ToQColor(color));
        if (clipped && !fits)
            mPainter.setClipRect(box);
        mPainter.drawStaticText(QPoint(x, r.top()), it->text);
        if (clipped && !fits)
            mPainter.setClipping(false);
    }
    void drawLine(QPoint a, QPoint b, TColor k, int w) override { mPlain.drawLine(a, b, k, w); }
    void drawRect(const QRect &r, TColor p, int w, bool f, TColor k) override
    {
        mPlain.drawRect(r, p, w, f, k);
    }
    void drawArc(const QRect &r, QPoint a, QPoint b, TColor k, int w) override
    {
        mPlain.drawArc(r, a, b, k, w);
    }
    void drawImage(const QRect &r, const QImage &i) override { mPlain.drawImage(r, i); }

private:
    QPainter mPainter;
    PainterCanvas mPlain;
    struct Shaped {
        QStaticText text;
        int advance = 0;
    };
    static inline QHash<QPair<QString, QString>, Shaped> mShaped;
};

void BM_RedrawShapedText60Columns(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc = makePage();
    ViewState view;
    view.AnswerDisplay = true;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    renderer.setCanvasFactory([](int, QImage &image) -> std::unique_ptr<Canvas> {
        return std::make_unique<ShapedTextCanvas>(image);
    });
    renderer.SrcImageP(false);
    for (auto _ : state) {
        renderer.SrcImageP(false);
        benchmark::DoNotOptimize(images[0].constBits());
    }
}
BENCHMARK(BM_RedrawShapedText60Columns)->Unit(benchmark::kMillisecond);

void BM_PrintPass60Columns(benchmark::State &state)
{
    InstallFontSubstitutions();
    Document doc = makePage();
    ViewState view;
    QImage paperImage(4960, 7016, QImage::Format_RGB32);
    PainterCanvas paper(&paperImage);
    view.Printer = &paper;
    view.PrinterBai = Fixed4::fromQuotient(7016, 1122);
    view.FromPg = 0;
    view.ToPg = 0;
    QVector<QImage> images = {QImage(793, 1122, QImage::Format_RGB16)};
    Renderer renderer(doc, images, view);
    renderer.SrcImageP(true);
    for (auto _ : state)
        renderer.SrcImageP(true);
}
BENCHMARK(BM_PrintPass60Columns)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
