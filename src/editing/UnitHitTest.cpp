#include "editing/UnitHitTest.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace
{

// Division truncated toward zero of an exact product, as the frame scaling
// wants trunc(value x ratio) without the rounding noise of a float ratio.
int64_t truncDiv(int64_t num, int64_t den)
{
    return den == 0 ? 0 : num / den;
}

int clampInt(int64_t v)
{
    return int(
        std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

int PolygonNear(int X, int Y, int highIndex, const QPoint *pts, int count)
{
    if (!pts)
        return -1;
    for (int i = 0; i < count && i < highIndex; ++i) {
        const int64_t x0 = pts[i].x(), y0 = pts[i].y();
        const int64_t x1 = pts[i + 1].x(), y1 = pts[i + 1].y();
        // The segment's box widened by one pixel on each side.
        const int64_t dx = x1 - x0 + 2, dy = y1 - y0 + 2;
        const int64_t mx = X - x0 + 1, my = Y - y0 + 1;
        const bool inX = dx > 0 ? (0 <= mx && mx <= dx) : (dx <= mx && mx <= 0);
        const bool inY = dy > 0 ? (0 <= my && my <= dy) : (dy <= my && my <= 0);
        if (!inX || !inY)
            continue;
        const int64_t cross = std::llabs(mx * dy - my * dx);
        const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
        const int64_t tolerance = 2 * std::max(adx, ady) + std::min(adx, ady);
        if (cross < tolerance)
            return i;
    }
    return -1;
}

bool LineNear(const RAData &row, int X, int Y)
{
    QPoint pts[2];
    const int r = clampInt(int64_t(row.X1) + row.Width);
    const int b = clampInt(int64_t(row.Y1) + row.Height);
    if (row.LineSyu == 0) {
        pts[0] = QPoint(row.X1, row.Y1);
        pts[1] = QPoint(r, b);
    } else {
        pts[0] = QPoint(r, row.Y1);
        pts[1] = QPoint(row.X1, b);
    }
    return PolygonNear(X, Y, 1, pts, 1) == 0;
}

PageRect RowRect(const RAData &row)
{
    PageRect r;
    r.left = row.X1;
    r.top = row.Y1;
    r.right = int64_t(row.X1) + row.Width;
    r.bottom = int64_t(row.Y1) + row.Height;
    return r;
}

bool RectContains(const RAData &row, int X, int Y)
{
    const PageRect r = RowRect(row);
    return r.left < X && X < r.right && r.top < Y && Y < r.bottom;
}

bool IsHittableKind(const QString &syu)
{
    return syu == u"1" || syu == u"2" || syu == u"3" || syu == u"4" || syu == u"5" || syu == u"k";
}

int HitTest(const QVector<RAData> &AData, int page, int X, int Y)
{
    for (int i = AData.size() - 1; i >= 0; --i) {
        const RAData &row = AData[i];
        if (row.Page != page || !IsHittableKind(row.Syu))
            continue;
        const bool hit = row.Syu == u"2" ? LineNear(row, X, Y) : RectContains(row, X, Y);
        if (hit)
            return i;
    }
    return -1;
}

bool SelectionFrame(const QVector<RAData> &AData, const QVector<RMouseSelect> &sel, PageRect &frame)
{
    int first = -1;
    for (int i = 0; i < sel.size(); ++i) {
        const int a = sel[i].ANo;
        if (a >= 0 && a < AData.size() && AData[a].Lock == 0) {
            first = i;
            break;
        }
    }
    if (first < 0) {
        // Every entry is locked: the frame sits on the first one.
        for (int i = 0; i < sel.size() && first < 0; ++i)
            if (sel[i].ANo >= 0 && sel[i].ANo < AData.size())
                first = i;
        if (first < 0)
            return false;
        frame = RowRect(AData[sel[first].ANo]);
        return true;
    }
    frame = RowRect(AData[sel[first].ANo]);
    for (int i = first + 1; i < sel.size(); ++i) {
        const int a = sel[i].ANo;
        if (a < 0 || a >= AData.size() || AData[a].Lock != 0)
            continue;
        const PageRect r = RowRect(AData[a]);
        frame.left = std::min(frame.left, r.left);
        frame.top = std::min(frame.top, r.top);
        frame.right = std::max(frame.right, r.right);
        frame.bottom = std::max(frame.bottom, r.bottom);
    }
    return true;
}

int HandleMinimum(Handle h)
{
    return (h == Handle::BottomRight || h == Handle::BottomLeft) ? 10 : 0;
}

FrameSize ResizeFrame(Handle h, const PageRect &f, int travelX, int travelY, bool aspectLock)
{
    const int64_t W1 = f.width(), H1 = f.height();
    int64_t w = 0, hgt = 0;
    // The handle's corner follows the mouse; the opposite corner stays.
    switch (h) {
    case Handle::BottomRight:
        w = W1 + travelX;
        hgt = H1 + travelY;
        break;
    case Handle::BottomLeft:
        w = W1 - travelX;
        hgt = H1 + travelY;
        break;
    case Handle::TopLeft:
        w = W1 - travelX;
        hgt = H1 - travelY;
        break;
    case Handle::TopRight:
        w = W1 + travelX;
        hgt = H1 - travelY;
        break;
    }
    const int64_t least = HandleMinimum(h);
    w = std::max(w, least);
    hgt = std::max(hgt, least);
    if (aspectLock) {
        const bool topRight = h == Handle::TopRight;
        const int64_t matchW = H1 < 1 ? (topRight ? W1 : 0) : truncDiv(hgt * W1, H1);
        const int64_t matchH = W1 < 1 ? (topRight ? H1 : 0) : truncDiv(w * H1, W1);
        w = std::min(w, matchW);
        hgt = std::min(hgt, matchH);
    }
    return {clampInt(w), clampInt(hgt)};
}

void ScaleSelection(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Handle h,
                    const PageRect &f, FrameSize n, const std::function<void(int row)> &measure)
{
    const int64_t L = f.left, T = f.top, W1 = f.width(), H1 = f.height();
    const int64_t W2 = n.W, H2 = n.H;
    const bool leftFixed = h == Handle::BottomRight || h == Handle::TopRight;
    const bool topFixed = h == Handle::BottomRight || h == Handle::BottomLeft;
    // A frame that had no width (or height) at the press scales by 0.
    auto scale = [](int64_t v, int64_t num, int64_t den) {
        return den < 1 ? int64_t(0) : truncDiv(v * num, den);
    };
    for (const RMouseSelect &e : sel) {
        if (e.ANo < 0 || e.ANo >= AData.size())
            continue;
        RAData &row = AData[e.ANo];
        // trunc((ref - L) x r + L) and trunc((ref - L) x r + L + W1 - W2),
        // computed over the common denominator so the truncation is exact.
        const int64_t baseX = leftFixed ? L : L + W1 - W2;
        const int64_t baseY = topFixed ? T : T + H1 - H2;
        row.X1 = clampInt(W1 < 1 ? baseX : truncDiv((e.X - L) * W2 + baseX * W1, W1));
        row.Y1 = clampInt(H1 < 1 ? baseY : truncDiv((e.Y - T) * H2 + baseY * H1, H1));

        const QString &syu = row.Syu;
        const bool wordProblem = syu == u"5" && row.Siki1 == 3;
        if (syu == u"2" || syu == u"3" || syu == u"4" || syu == u"k" || wordProblem) {
            row.Width = clampInt(scale(e.W, W2, W1));
            row.Height = clampInt(scale(e.H, H2, H1));
        } else if (syu == u"1" || syu == u"5") {
            // Texts and expressions are not stretched: their font follows the
            // frame and their size is measured again. A font size of 0 would
            // leave an object that can never grow back, so 1 is the least.
            const bool byHeight = syu == u"1" && h == Handle::BottomRight;
            const int64_t fs = byHeight ? scale(e.FS, H2, H1) : scale(e.FS, W2, W1);
            row.FontSize = clampInt(std::max<int64_t>(fs, 1));
            if (measure)
                measure(e.ANo);
        }
    }
}
