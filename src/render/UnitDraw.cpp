#include "render/UnitDraw.h"

#include <algorithm>
#include <cmath>

namespace {

// Converted coordinates are kept well inside the range QPainter handles, so
// that absurd positions from a damaged file cannot overflow.
constexpr int64_t CoordLimit = 1 << 24;

int clampCoord(int64_t v) { return int(std::clamp<int64_t>(v, -CoordLimit, CoordLimit)); }

QRect rectFromCorners(int x1, int y1, int x2, int y2)
{
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

} // namespace

QImage BitmapGray(const QImage &BMP)
{
    QImage out = BMP.convertToFormat(QImage::Format_RGB888);
    if (out.isNull())
        return out;
    out.detach();
    for (int y = 0; y < out.height(); ++y) {
        uchar *p = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x, p += 3) {
            // The third of an integer sum is never exactly a half, so rounding
            // to nearest is (sum + 1) / 3.
            const uchar g = uchar((int(p[0]) + p[1] + p[2] + 1) / 3);
            p[0] = p[1] = p[2] = g;
        }
    }
    return out;
}

Draw::Draw(Document &doc, const ViewState &view, Metrics &metrics)
    : mDoc(doc), mView(view), mMetrics(metrics)
{
}

int Draw::ScreenPos(int64_t v) const { return clampCoord(mView.GamenBai.scaleTrunc(v)); }

int Draw::PaperX(int64_t v) const
{
    return clampCoord(mView.PrinterBai.scaleTrunc(v) - mView.PrinterOffset.x());
}

int Draw::PaperY(int64_t v) const
{
    return clampCoord(mView.PrinterBai.scaleTrunc(v) - mView.PrinterOffset.y());
}

int Draw::PaperLen(int64_t v) const { return clampCoord(mView.PrinterBai.scaleTrunc(v)); }

bool Draw::OnPaper(int Page, bool PrintB) const
{
    return PrintB && mView.Printer && mView.FromPg <= Page && Page <= mView.ToPg;
}

bool Draw::FDrawText(Canvas *ImageName, int x1, int y1, int x2, int y2, const QString &t,
                     const QString &FontName, int FS, int FlgDT, TColor forecolor, TColor backcolor,
                     int BackColorB, int FontB, int FontI, int FontU, int FontS, int Page, bool PrintB)
{
    FontSpec font;
    font.face = FontName;
    font.bold = FontB == 1;
    font.italic = FontI == 1;
    font.underline = FontU == 1;
    font.strikeOut = FontS == 1;
    if (ImageName) {
        const QRect r = rectFromCorners(ScreenPos(x1), ScreenPos(y1), ScreenPos(x2), ScreenPos(y2));
        if (BackColorB == 1)
            ImageName->fillRect(r, backcolor);
        font.cellHeight = ScreenPos(FS);
        ImageName->drawText(r, t, font, forecolor, FlgDT);
    }
    if (OnPaper(Page, PrintB)) {
        Canvas *p = mView.Printer;
        p->setCurrentPage(Page);
        const QRect r = rectFromCorners(PaperX(x1), PaperY(y1), PaperX(x2), PaperY(y2));
        if (BackColorB == 1)
            p->fillRect(r, backcolor);
        font.cellHeight = PaperLen(FS);
        p->drawText(r, t, font, forecolor, FlgDT);
    }
    return true;
}

bool Draw::FDrawLine(Canvas *ImageName, int x1, int y1, int x2, int y2, TColor LineColor, int LineSyu,
                     int PenWidth, int syu, int Page, bool PrintB)
{
    (void)syu;
    // A line stores its bounding box and whether it falls or rises.
    const int ya = LineSyu == 0 ? y1 : y2;
    const int yb = LineSyu == 0 ? y2 : y1;
    if (ImageName)
        ImageName->drawLine(QPoint(ScreenPos(x1), ScreenPos(ya)), QPoint(ScreenPos(x2), ScreenPos(yb)),
                            LineColor, PenWidth);
    if (OnPaper(Page, PrintB)) {
        Canvas *p = mView.Printer;
        p->setCurrentPage(Page);
        p->drawLine(QPoint(PaperX(x1), PaperY(ya)), QPoint(PaperX(x2), PaperY(yb)), LineColor,
                    PaperLen(PenWidth));
    }
    return true;
}

bool Draw::FDrawBox(Canvas *ImageName, int x1, int y1, int x2, int y2, int PenWidth, int syu,
                    TColor LineColor, TColor FillColor, int FullColorB, int Page, bool PrintB)
{
    (void)syu;
    if (ImageName)
        ImageName->drawRect(rectFromCorners(ScreenPos(x1), ScreenPos(y1), ScreenPos(x2), ScreenPos(y2)),
                            LineColor, PenWidth, FullColorB == 1, FillColor);
    if (OnPaper(Page, PrintB)) {
        // On paper every box is a black outline without fill.
        Canvas *p = mView.Printer;
        p->setCurrentPage(Page);
        p->drawRect(rectFromCorners(PaperX(x1), PaperY(y1), PaperX(x2), PaperY(y2)), 0,
                    PaperLen(PenWidth), false, 0);
    }
    return true;
}

bool Draw::FDrawWari(Canvas *ImageName, int x1, int y1, int x2, int y2, int PenWidth, TColor Forecolor,
                     int syu, int Page, bool PrintB)
{
    (void)syu;
    const int64_t s = mMetrics.GetMojiW(QStringLiteral("/"));
    const int64_t hs = s / 2;
    if (ImageName) {
        const QRect box = rectFromCorners(ScreenPos(x1 + hs), ScreenPos(y1), ScreenPos(x2 - hs),
                                          ScreenPos(y2));
        ImageName->drawArc(box, QPoint(ScreenPos(x1 + s), ScreenPos(y2)),
                           QPoint(ScreenPos(x1 + s), ScreenPos(y1)), Forecolor, PenWidth / 20 + 1);
    }
    if (OnPaper(Page, PrintB)) {
        Canvas *p = mView.Printer;
        p->setCurrentPage(Page);
        const int pen = clampCoord(int64_t(std::trunc(PenWidth / 20.0 * mView.PrinterBai.toDouble() + 1)));
        const int64_t q = int64_t(std::trunc(mMetrics.GetMojiW(QStringLiteral("÷")) / 4.0 * 3.0));
        const int64_t h = mMetrics.GetMojiH(QStringLiteral("÷"));
        const QRect box = rectFromCorners(PaperX(x1 - hs), PaperY(y1), PaperX(x2 - hs), PaperY(y2));
        p->drawArc(box, QPoint(PaperX(x1 + q - hs), PaperY(y1 + h)), QPoint(PaperX(x1 + q - hs), PaperY(y1)),
                   Forecolor, pen);
    }
    return true;
}

bool Draw::FDrawPicture(Canvas *ImageName, int x1, int y1, int width, int height, int PicNo, int Page,
                        int Gray, bool PrintB)
{
    if (PicNo < 0 || PicNo >= mDoc.BMData.size())
        return true;
    return FDrawImage(ImageName, x1, y1, width, height, mDoc.BMData.at(PicNo), Page, Gray, PrintB);
}

bool Draw::FDrawImage(Canvas *ImageName, int x1, int y1, int width, int height, const QImage &picture,
                      int Page, int Gray, bool PrintB)
{
    if (picture.isNull())
        return true;
    const QImage &src = Gray == 1 ? GrayOf(picture) : picture;
    if (ImageName)
        ImageName->drawImage(QRect(ScreenPos(x1), ScreenPos(y1), ScreenPos(width), ScreenPos(height)), src);
    if (OnPaper(Page, PrintB)) {
        Canvas *p = mView.Printer;
        p->setCurrentPage(Page);
        p->drawImage(QRect(PaperX(x1), PaperY(y1), PaperLen(width), PaperLen(height)), src);
    }
    return true;
}

const QImage &Draw::GrayOf(const QImage &picture)
{
    const qint64 key = picture.cacheKey();
    auto it = mGrayCache.find(key);
    if (it != mGrayCache.end())
        return *it;
    if (mGrayCache.size() >= 256)
        mGrayCache.clear();
    return *mGrayCache.insert(key, BitmapGray(picture));
}
