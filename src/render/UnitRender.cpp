#include "render/UnitRender.h"
#include "render/UnitDrawSiki.h"

#include "render/UnitCharacter.h"

#include <algorithm>

namespace
{

// Sets the busy flag for one redraw and clears it however the redraw ends.
class BusyGuard
{
public:
    explicit BusyGuard(bool &flag) : mFlag(flag) { mFlag = true; }
    ~BusyGuard() { mFlag = false; }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

private:
    bool &mFlag;
};

int64_t right(const RAData &r)
{
    return int64_t(r.X1) + r.Width;
}
int64_t bottom(const RAData &r)
{
    return int64_t(r.Y1) + r.Height;
}

int clampInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

Renderer::Renderer(Document &doc, QVector<QImage> &ImageP, ViewState &view)
    : mDoc(doc), mImages(ImageP), mView(view), mDraw(doc, view, mMetrics)
{
    mCanvasFactory = [](int, QImage &image) -> std::unique_ptr<Canvas> {
        return std::make_unique<PainterCanvas>(&image);
    };
    mLayouts = std::make_unique<SikiLayouts>();
    mProblems = mLayouts.get();
}

Renderer::~Renderer() = default;

void Renderer::setProblemDrawer(ProblemDrawer *drawer)
{
    mProblems = drawer ? drawer : mLayouts.get();
}

RowInk Renderer::InkFor(const RAData &row, bool PrintB) const
{
    RowInk ink;
    const bool problem = row.Syu == u"5";
    const bool answer = problem ? row.KotaeMode == 1 : row.KotaeMode != 0;
    if (mView.NameDisplay) {
        if (row.Layer == 3) {
            ink.color = row.ForeColor;
        } else {
            ink.color = KotaeColor;
            ink.gray = true;
        }
        // A math problem that is an answer still stays off the paper while
        // answers are hidden, whatever the name-field display does.
        ink.leftOut = problem && answer && !mView.AnswerDisplay && PrintB;
        return ink;
    }
    if (!answer) {
        ink.color = row.ForeColor;
    } else if (mView.AnswerDisplay) {
        ink.color = mView.AnswerColor;
    } else if (!PrintB) {
        ink.color = KotaeColor;
        ink.gray = true;
    } else {
        ink.leftOut = true;
    }
    return ink;
}

void Renderer::SrcImageP(bool PrintB)
{
    if (!PrintB) {
        paint(nullptr, false);
        return;
    }
    // A print pass repaints only the pages of the print range, on the
    // printer and on their images, so one printed page costs the same
    // whatever the length of the worksheet.
    QSet<int> range;
    for (int page = std::max(0, mView.FromPg); page <= mView.ToPg && page < mImages.size();
         ++page)
        range.insert(page);
    paint(&range, true);
}

void Renderer::SrcImagePages(const QSet<int> &pages)
{
    paint(&pages, false);
}

QSet<int> Renderer::extraPages() const
{
    // The pages that carry something besides their own rows: the credit
    // notice on the active page.
    QSet<int> extras;
    for (const RAData &row : mDoc.AData)
        if (row.Syu == u"k") {
            extras.insert(mView.ActivePage);
            break;
        }
    return extras;
}

void Renderer::paint(const QSet<int> *only, bool PrintB)
{
    if (mSrcB)
        return;
    BusyGuard busy(mSrcB);

    // A print pass that only needs the paper leaves the page images, the
    // live buttons and the tracked extras as they are.
    const bool paperOnly = PrintB && mPaperOnly;

    // A partial redraw also repaints the pages whose extras move (the
    // notice follows the active page), so every page ends as a full redraw
    // would leave it.
    const QSet<int> extras = extraPages();
    QSet<int> pages;
    if (only) {
        pages = *only;
        if (!paperOnly) {
            pages.unite(extras);
            pages.unite(mExtraPages);
        }
    }
    if (!paperOnly)
        mExtraPages = extras;
    auto wanted = [&](int page) { return !only || pages.contains(page); };

    // The buttons are parked before any page is painted, so that whatever
    // the host does meanwhile cannot pull an image from under a painter.
    if (mButtons && !paperOnly)
        mButtons->parkButtons();

    std::vector<std::unique_ptr<Canvas>> canvases;
    canvases.reserve(mImages.size());
    for (int page = 0; page < mImages.size(); ++page) {
        QImage &image = mImages[page];
        if (!image.isNull() && image.format() != QImage::Format_RGB16)
            image = QImage(image.size(), QImage::Format_RGB16);
        if (image.isNull() || !wanted(page) || paperOnly) {
            canvases.push_back(nullptr);
            continue;
        }
        image.fill(Qt::white);
        canvases.push_back(mCanvasFactory(page, image));
    }

    mSawCharacter = false;
    mPlace[0] = mPlace[1] = ButtonPlace{};

    for (int i = 0; i < mDoc.AData.size(); ++i) {
        const RAData &row = mDoc.AData.at(i);
        if (!wanted(row.Page)) {
            // Untouched page: only what the whole table decides.
            if (row.Syu == u"b" || row.Syu == u"r")
                placeButton(row);
            else if (row.Syu == u"k")
                mSawCharacter = true;
            continue;
        }
        mMetrics.SetBold(row.FontB == 1);
        Canvas *screen =
            row.Page >= 0 && row.Page < int(canvases.size()) ? canvases[row.Page].get() : nullptr;
        drawRow(row, i, screen, PrintB);
    }

    if (mSawCharacter)
        drawCreditNotice(canvases, PrintB);

    // Painting ends before the live buttons move, so that a redraw they
    // trigger finds finished images (and is dropped by the busy flag).
    canvases.clear();
    if (mButtons && !paperOnly) {
        if (mPlace[0].placed)
            mButtons->placeButton(PageButton::AnswerSwitch, mPlace[0].page, mPlace[0].rect,
                                  mPlace[0].fontPx);
        if (mPlace[1].placed)
            mButtons->placeButton(PageButton::Random, mPlace[1].page, mPlace[1].rect,
                                  mPlace[1].fontPx);
    }
}

void Renderer::placeButton(const RAData &row)
{
    // Buttons have no answer rule: live on the page unless the name field
    // is shown and they are not part of it.
    const bool live = !mView.NameDisplay || row.Layer == 3;
    if (live && row.Page >= 0 && row.Page < mImages.size()) {
        const bool random = row.Syu == u"r";
        ButtonPlace &place = mPlace[random ? 1 : 0];
        place.placed = true;
        place.page = row.Page;
        place.rect =
            QRect(mDraw.ScreenPos(row.X1), mDraw.ScreenPos(row.Y1),
                  mDraw.ScreenPos(row.Width) - (random ? 1 : 0), mDraw.ScreenPos(row.Height));
        place.fontPx = mDraw.ScreenPos(14);
    }
}

void Renderer::drawRow(const RAData &row, int index, Canvas *screen, bool PrintB)
{
    const int x1 = row.X1, y1 = row.Y1;
    const int r = clampInt(right(row)), b = clampInt(bottom(row));
    const QString &syu = row.Syu;

    if (syu == u"b" || syu == u"r") {
        placeButton(row);
        const bool live = !mView.NameDisplay || row.Layer == 3;
        mDraw.FDrawPicture(screen, x1, y1, row.Width, row.Height, row.PicNo, row.Page, live ? 0 : 1,
                           PrintB);
        return;
    }

    const bool known =
        syu == u"1" || syu == u"2" || syu == u"3" || syu == u"4" || syu == u"5" || syu == u"k";
    if (!known)
        return;
    if (syu == u"k")
        mSawCharacter = true;

    const RowInk ink = InkFor(row, PrintB);
    if (syu == u"5") {
        // The problem layouts decide about their answer parts themselves.
        int64_t pageRight = 1 << 14;
        if (row.Page >= 0 && row.Page < mImages.size())
            pageRight = int64_t(mImages.at(row.Page).width()) * 10000 /
                        std::max<int64_t>(1, mView.GamenBai.raw);
        mProblems->drawProblem(
            SikiContext{row, index, screen, ink, PrintB, mView, mDraw, mMetrics, pageRight});
        return;
    }
    if (ink.leftOut)
        return;

    if (syu == u"1") {
        mDraw.FDrawText(screen, x1, y1, r, b, row.Siki, row.FontName, row.FontSize,
                        TextFormat::NoClip, ink.color, row.BackColor, row.BackColorB, row.FontB,
                        row.FontI, row.FontU, row.FontS, row.Page, PrintB);
    } else if (syu == u"2") {
        mDraw.FDrawLine(screen, x1, y1, r, b, ink.color, row.LineSyu, row.FontSize, 1, row.Page,
                        PrintB);
    } else if (syu == u"3") {
        mDraw.FDrawBox(screen, x1, y1, r, b, row.FontSize, 1, ink.color, row.BackColor,
                       row.BackColorB, row.Page, PrintB);
    } else if (syu == u"4") {
        mDraw.FDrawPicture(screen, x1, y1, row.Width, row.Height, row.PicNo, row.Page,
                           ink.gray ? 1 : 0, PrintB);
    } else if (syu == u"k") {
        mDraw.FDrawImage(screen, x1, y1, row.Width, row.Height, CharacterPicture(), row.Page,
                         ink.gray ? 1 : 0, PrintB);
    }
}

void Renderer::drawCreditNotice(const std::vector<std::unique_ptr<Canvas>> &canvases, bool PrintB)
{
    const int page = mView.ActivePage;
    // On a print pass the notice also goes to the paper when the page's
    // image is not painted.
    if (page < 0 || page >= int(canvases.size()) || (!canvases[page] && !PrintB))
        return;
    const QImage &image = mImages.at(page);
    const QString notice = CharacterCreditText();
    FontSpec font;
    font.face = QStringLiteral("Tahoma");
    font.cellHeight = 16;
    const QFontMetrics &fm = CellFontMetrics(font);
    const int tw = fm.horizontalAdvance(notice);
    const int th = CellHeightOf(font);

    // The notice is placed in page units (the primitive scales it), so the
    // page size is the image's size taken back through the zoom.
    const int64_t g = std::max<int64_t>(1, mView.GamenBai.raw);
    const int64_t W = int64_t(image.width()) * 10000 / g;
    const int64_t H = int64_t(image.height()) * 10000 / g;

    // Printer dots per page unit, so that the notice stays inside the
    // printable area, at least 100 dots from the edge of the paper.
    const Fixed4 ratio =
        H > 0 ? Fixed4::fromQuotient(double(mDoc.Paper.PaperH) / 10000.0 / 25.4 * mView.PrinterDpiY,
                                     double(H))
              : Fixed4{};
    auto margin = [&](int offset) -> int64_t {
        if (ratio.raw <= 0)
            return 0;
        const int64_t dots = offset <= 100 ? 100 : offset;
        return dots * 10000 / ratio.raw;
    };
    const int64_t mx = margin(mView.PrinterOffset.x());
    const int64_t my = margin(mView.PrinterOffset.y());
    mDraw.FDrawText(canvases[page].get(), clampInt(W - mx - tw), clampInt(H - my - th),
                    clampInt(W - mx), clampInt(H - my), notice, font.face, 16,
                    TextFormat::LeftTopClipped, 0, 0xFFFFFF, 1, 0, 0, 0, 0, page, PrintB);
}

void DrawCreationAids(Draw &draw, Canvas *canvas, const ViewState &view, int page)
{
    // Editing aids: drawn on screen only, never on paper.
    const CreationState &c = view.Creation;
    if (!canvas)
        return;
    if (c.Dragging && page == view.ActivePage) {
        if (c.ToolKind == u"2")
            draw.FDrawLine(canvas, c.StartX, c.StartY, c.CurX, c.CurY, c.LineColor, c.LineSyu, 1, 1,
                           page, false);
        else if (c.ToolKind == u"3")
            draw.FDrawBox(canvas, c.StartX, c.StartY, c.CurX, c.CurY, 1, 1, c.LineColor,
                          c.FillColor, c.FillB, page, false);
    }
    if (c.MarkerOn && c.MarkerPage == page) {
        const TColor grey = 0x808080;
        draw.FDrawLine(canvas, c.MarkerX - 4, c.MarkerY, c.MarkerX + 5, c.MarkerY, grey, 0, 1, 1,
                       page, false);
        draw.FDrawLine(canvas, c.MarkerX, c.MarkerY - 4, c.MarkerX, c.MarkerY + 5, grey, 0, 1, 1,
                       page, false);
    }
}

QRect CreationAidsRect(const ViewState &view, int page)
{
    const CreationState &c = view.Creation;
    QRect r;
    if (c.Dragging && page == view.ActivePage && (c.ToolKind == u"2" || c.ToolKind == u"3"))
        r = QRect(QPoint(std::min(c.StartX, c.CurX), std::min(c.StartY, c.CurY)),
                  QPoint(std::max(c.StartX, c.CurX), std::max(c.StartY, c.CurY)));
    if (c.MarkerOn && c.MarkerPage == page)
        r = r.united(QRect(c.MarkerX - 4, c.MarkerY - 4, 10, 10));
    return r;
}
