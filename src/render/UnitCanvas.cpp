#include "render/UnitCanvas.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <numbers>

QColor ToQColor(TColor c)
{
    const uint32_t v = uint32_t(c);
    if ((v & 0xFF000000u) == 0x80000000u) {
        // Windows system colours, by index, with their usual default values.
        switch (v & 0xFF) {
        case 5: // window background
        case 14: // highlighted text
            return QColor(255, 255, 255);
        case 15: // button face
            return QColor(240, 240, 240);
        case 13: // highlight
            return QColor(0, 120, 215);
        case 16: // button shadow
            return QColor(160, 160, 160);
        default: // window text, captions and the rest
            return QColor(0, 0, 0);
        }
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QStringList SplitTextLines(const QString &text)
{
    QStringList lines;
    QString cur;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == u'\r' || ch == u'\n') {
            lines.append(cur);
            cur.clear();
            if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            cur.append(ch);
        }
    }
    lines.append(cur);
    return lines;
}

// ---------------------------------------------------------------- PainterCanvas

PainterCanvas::PainterCanvas(QPaintDevice *device) : mOwned(std::make_unique<QPainter>(device))
{
    mPainter = mOwned.get();
    mPainter->setRenderHint(QPainter::Antialiasing, false);
    mPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

PainterCanvas::PainterCanvas(QPainter &painter) : mPainter(&painter)
{
    mPainter->setRenderHint(QPainter::Antialiasing, false);
    mPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

PainterCanvas::~PainterCanvas()
{
    if (mOwned && mOwned->isActive())
        mOwned->end();
}

void PainterCanvas::fillRect(const QRect &r, TColor color)
{
    mPainter->fillRect(r.normalized(), ToQColor(color));
}

namespace
{

// Shaped lines of text by font and text. Pages are redrawn after every
// edit with mostly the same texts, so shaping each line once saves most of
// the text drawing time. Only the screen uses it (an untransformed painter
// on an image); the cache is dropped whole when it grows too large.
class GlyphCache
{
public:
    const QStaticText &get(const QFont &font, const QString &line)
    {
        Key key{font.key(), line};
        auto it = mShaped.find(key);
        if (it != mShaped.end())
            return *it;
        if (mShaped.size() >= MaxEntries)
            mShaped.clear();
        QStaticText shaped(line);
        shaped.setTextFormat(Qt::PlainText);
        shaped.setPerformanceHint(QStaticText::AggressiveCaching);
        shaped.prepare(QTransform(), font);
        return *mShaped.insert(key, shaped);
    }

private:
    static constexpr int MaxEntries = 20000;
    using Key = std::pair<QString, QString>;
    QHash<Key, QStaticText> mShaped;
};

GlyphCache &glyphCache()
{
    static GlyphCache cache;
    return cache;
}

} // namespace

void PainterCanvas::drawText(const QRect &r, const QString &text, const FontSpec &font, TColor color,
                             int flags)
{
    const QRect box = r.normalized();
    const bool clipped = (flags & TextFormat::NoClip) == 0;
    if (clipped && box.isEmpty())
        return;
    const QFontMetrics &fm = CellFontMetrics(font);
    const int lineHeight = CellHeightOf(font);
    const QFont &qfont = CellFont(font).font;
    mPainter->setFont(qfont);
    // Decorated text is drawn afresh: its lines are placed by the painter.
    const bool cached = !font.underline && !font.strikeOut && mPainter->device() &&
                        mPainter->device()->devType() == QInternal::Image &&
                        mPainter->worldTransform().isIdentity();
    mPainter->setPen(ToQColor(color));
    mPainter->setBrush(Qt::NoBrush);
    if (clipped)
        mPainter->setClipRect(box);
    const QStringList lines = SplitTextLines(text);
    // Lines below the clip rectangle, or below the device, cannot show.
    int stopBelow = clipped ? box.bottom() : INT32_MAX;
    if (mPainter->device() && mPainter->worldTransform().isIdentity())
        stopBelow = std::min(stopBelow, mPainter->device()->height());
    int64_t y = r.top();
    for (const QString &line : lines) {
        if (y > stopBelow)
            break;
        int x = r.left();
        if (flags & TextFormat::CentreTopClipped)
            x = r.left() + (r.width() - fm.horizontalAdvance(line)) / 2;
        if (!line.isEmpty()) {
            if (cached)
                mPainter->drawStaticText(QPoint(x, int(y)), glyphCache().get(qfont, line));
            else
                mPainter->drawText(QPoint(x, int(y) + fm.ascent()), line);
        }
        y += lineHeight;
    }
    if (clipped)
        mPainter->setClipping(false);
}

namespace {

QPen makePen(TColor color, int width)
{
    QPen pen(ToQColor(color));
    if (width <= 1) {
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        // Wide solid pens of the Windows drawing calls have round ends.
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

// Angle (in 1/16 degree, counter-clockwise from 3 o'clock) of the point of
// the ellipse in 'box' that lies on the ray from its centre through p.
double arcAngle(const QRectF &box, QPointF p)
{
    const double a = box.width() / 2, b = box.height() / 2;
    const double dx = p.x() - box.center().x();
    const double dy = p.y() - box.center().y();
    if (a <= 0 || b <= 0 || (dx == 0 && dy == 0))
        return 0;
    // Parametric angle t with (a cos t, -b sin t) parallel to (dx, dy).
    return std::atan2(-dy * a, dx * b) * 180.0 / std::numbers::pi * 16.0;
}

} // namespace

void PainterCanvas::drawLine(QPoint from, QPoint to, TColor color, int penWidth)
{
    if (from == to)
        return;
    mPainter->setPen(makePen(color, penWidth));
    mPainter->drawLine(from, to);
}

void PainterCanvas::drawRect(const QRect &r, TColor pen, int penWidth, bool filled, TColor fill)
{
    const QRect box = r.normalized();
    if (filled)
        mPainter->fillRect(box, ToQColor(fill));
    if (box.width() <= 0 || box.height() <= 0)
        return;
    mPainter->setPen(makePen(pen, penWidth));
    mPainter->setBrush(Qt::NoBrush);
    // The outline runs along the pixel centres of the first and last row and
    // column, so that a one-pixel pen covers exactly the rectangle's border.
    mPainter->drawRect(QRectF(box.left() + 0.5, box.top() + 0.5, box.width() - 1, box.height() - 1));
}

void PainterCanvas::drawArc(const QRect &box, QPoint start, QPoint end, TColor color, int penWidth)
{
    const QRectF b = QRectF(box).normalized();
    if (b.width() <= 0 || b.height() <= 0)
        return;
    const double a0 = arcAngle(b, start);
    const double a1 = arcAngle(b, end);
    double span = a1 - a0;
    while (span <= 0)
        span += 360 * 16;
    mPainter->setPen(makePen(color, penWidth));
    mPainter->setBrush(Qt::NoBrush);
    mPainter->drawArc(b, int(std::lround(a0)), int(std::lround(span)));
}

void PainterCanvas::drawImage(const QRect &target, const QImage &image)
{
    if (image.isNull() || target.width() <= 0 || target.height() <= 0)
        return;
    mPainter->drawImage(target, image);
}

// ---------------------------------------------------------------- RecordingCanvas

DrawCall &RecordingCanvas::add(DrawCall::Kind kind)
{
    DrawCall c;
    c.kind = kind;
    c.surface = mSurface;
    c.page = mPage;
    mLog.append(c);
    return mLog.last();
}

void RecordingCanvas::fillRect(const QRect &r, TColor color)
{
    DrawCall &c = add(DrawCall::Fill);
    c.rect = r;
    c.color = color;
}

void RecordingCanvas::drawText(const QRect &r, const QString &text, const FontSpec &font, TColor color,
                               int flags)
{
    DrawCall &c = add(DrawCall::Text);
    c.rect = r;
    c.text = text;
    c.font = font;
    c.color = color;
    c.flags = flags;
}

void RecordingCanvas::drawLine(QPoint from, QPoint to, TColor color, int penWidth)
{
    DrawCall &c = add(DrawCall::Line);
    c.from = from;
    c.to = to;
    c.color = color;
    c.penWidth = penWidth;
}

void RecordingCanvas::drawRect(const QRect &r, TColor pen, int penWidth, bool filled, TColor fill)
{
    DrawCall &c = add(DrawCall::Rect);
    c.rect = r;
    c.color = pen;
    c.penWidth = penWidth;
    c.filled = filled;
    c.fill = fill;
}

void RecordingCanvas::drawArc(const QRect &box, QPoint start, QPoint end, TColor color, int penWidth)
{
    DrawCall &c = add(DrawCall::Arc);
    c.rect = box;
    c.from = start;
    c.to = end;
    c.color = color;
    c.penWidth = penWidth;
}

void RecordingCanvas::drawImage(const QRect &target, const QImage &image)
{
    DrawCall &c = add(DrawCall::Image);
    c.rect = target;
    c.image = image;
}
