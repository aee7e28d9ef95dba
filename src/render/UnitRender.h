// The page renderer: SrcImageP repaints every page image from the object
// table in row order (later rows on top) in the current display mode; a
// print pass repaints only the pages of the print range and sends their
// elements to the printer canvas in the same pass. Besides the objects it draws the pictures of the
// on-page buttons (and tells the main window where to put the live buttons),
// the credit notice of character pictures, the preview of a line or box
// being dragged and the placement marker. It keeps no state between calls
// except the busy flag SrcB and the pages that carried such extras at the
// last redraw, and never changes the document. SrcImagePages repaints only
// some pages (those an edit touched) with exactly the pixels a full redraw
// would give them.
#pragma once

#include "document/UnitData.h"
#include "render/UnitCanvas.h"
#include "render/UnitDraw.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"

#include <QImage>
#include <QRect>
#include <QSet>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

// The two live buttons that rows can place on a page.
enum class PageButton {
    AnswerSwitch, // "b": "表示切替", toggles answer display
    Random,       // "r": "作成", regenerates random problems
};

// Implemented by the main window: owns the two button controls.
class PageButtonHost
{
public:
    virtual ~PageButtonHost() = default;
    // Puts both buttons back on the hidden panel (start of every redraw).
    virtual void parkButtons() = 0;
    // Shows the button on the page's panel at rect (pixels of the page
    // image) with a font of fontPx pixels. Called at most once per kind and
    // redraw, for the last row of that kind that places it.
    virtual void placeButton(PageButton kind, int page, const QRect &rect, int fontPx) = 0;
};

// How one object is to be drawn in the current display mode.
struct RowInk {
    TColor color = 0;     // ink of text, lines and outlines
    bool gray = false;    // pictures greyed
    bool leftOut = false; // not drawn at all in this pass
};

// What a math-problem drawer gets for one "5" row.
struct SikiContext {
    const RAData &row;
    int rowIndex;
    Canvas *screen;    // the page image's canvas (null when the page has no image)
    RowInk problemInk; // ink of the problem part
    bool PrintB;
    const ViewState &view;
    Draw &draw;
    Metrics &metrics;
    // The right edge of the row's page image in page units (word problems
    // run their text up to it).
    int64_t pageRight = 1 << 14;
};

// Draws one math problem; the renderer's own is SikiLayouts.
class ProblemDrawer
{
public:
    virtual ~ProblemDrawer() = default;
    virtual void drawProblem(const SikiContext &ctx) = 0;
};

class SikiLayouts;

class Renderer
{
public:
    Renderer(Document &doc, QVector<QImage> &ImageP, ViewState &view);
    ~Renderer();
    Renderer(const Renderer &) = delete;
    Renderer &operator=(const Renderer &) = delete;

    // Repaints every page image; with PrintB draws the pages of the print
    // range (view.FromPg..ToPg) on view.Printer only (on their images too
    // after setPrintsPaperOnly(false)). A call made while a redraw runs is
    // dropped.
    void SrcImageP(bool PrintB);
    // Repaints these pages (and those whose notice, marker or rubber band
    // moved) on screen; the other images stay as they are.
    void SrcImagePages(const QSet<int> &pages);

    bool SrcB() const { return mSrcB; }

    // The ink rules of the display modes. For "5" rows this is the ink of
    // the problem part; its answer parts follow the problem layouts.
    RowInk InkFor(const RAData &row, bool PrintB) const;

    Metrics &metrics() { return mMetrics; }
    Draw &draw() { return mDraw; }

    void setButtonHost(PageButtonHost *host) { mButtons = host; }
    // A print pass draws only on the printer, so printing repaints no page
    // image and takes no image memory. With false it also paints the range's
    // images in print ink (for tests of what a print pass draws).
    void setPrintsPaperOnly(bool on) { mPaperOnly = on; }

    // Math problems ("5" rows) are drawn by the problem layouts of this
    // layer (SikiLayouts). A test may put its own drawer in their place;
    // nullptr gives the layouts back. The drawer must outlive its use.
    void setProblemDrawer(ProblemDrawer *drawer);

    // How a page image gets its canvas during a redraw: QPainter on the
    // image unless a test records instead.
    using CanvasFactory = std::function<std::unique_ptr<Canvas>(int page, QImage &image)>;
    void setCanvasFactory(CanvasFactory factory) { mCanvasFactory = std::move(factory); }

private:
    void paint(const QSet<int> *only, bool PrintB);
    QSet<int> extraPages() const;
    void placeButton(const RAData &row);
    void drawRow(const RAData &row, int index, Canvas *screen, bool PrintB);
    void drawCreditNotice(const std::vector<std::unique_ptr<Canvas>> &canvases, bool PrintB);

    struct ButtonPlace {
        bool placed = false;
        int page = 0;
        QRect rect;
        int fontPx = 0;
    };

    Document &mDoc;
    QVector<QImage> &mImages;
    ViewState &mView;
    Metrics mMetrics;
    Draw mDraw;
    PageButtonHost *mButtons = nullptr;
    std::unique_ptr<SikiLayouts> mLayouts;
    ProblemDrawer *mProblems = nullptr;
    CanvasFactory mCanvasFactory;
    bool mSrcB = false;
    bool mPaperOnly = true;
    bool mSawCharacter = false;
    ButtonPlace mPlace[2];
    QSet<int> mExtraPages;
};

// The aids of a creation in progress that fall on `page`, on a screen
// canvas: the rubber band of a line or box on the active page and the cross
// that marks where an object will be placed. The editor draws them on an
// overlay above the page image, so they never go into the image or on paper.
void DrawCreationAids(Draw &draw, Canvas *canvas, const ViewState &view, int page);
// The page rectangle (page units) the aids cover on `page`; empty when none.
QRect CreationAidsRect(const ViewState &view, int page);
