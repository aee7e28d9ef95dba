// The surface the drawing primitives draw on. A page image, a printer and a
// test recorder all look the same to the primitives: a handful of calls in
// device pixels (text in a rectangle, filled rectangle, line, box, arc,
// stretched picture). PainterCanvas draws with QPainter on any paint device
// (QImage page images, QPrinter); RecordingCanvas only remembers what was
// asked, for tests. A canvas never converts coordinates: the primitives hand
// it device pixels already.
#pragma once

#include "document/UnitData.h"
#include "render/UnitFonts.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>
#include <memory>

class QPainter;
class QPaintDevice;

// Text format flags of FDrawText, as the worksheets' drawing code uses them.
namespace TextFormat {
inline constexpr int LeftTopClipped = 0;
inline constexpr int CentreTopClipped = 1;
inline constexpr int NoClip = 256;
} // namespace TextFormat

// The colour of a TColor (0x00BBGGRR). The Windows system colours that old
// worksheets may hold (high byte 0x80) are mapped to their usual values.
QColor ToQColor(TColor c);

class Canvas {
public:
    virtual ~Canvas() = default;
    // The page of the elements that follow (used by the printer canvas, which
    // serves every page of a print run).
    virtual void setCurrentPage(int page) { (void)page; }
    // Solid fill of the rectangle (x1, y1)-(x2, y2), right and bottom excluded.
    virtual void fillRect(const QRect &r, TColor color) = 0;
    // Text from the top-left of r; CR LF, lone CR and lone LF start lines;
    // no wrap. flags: bit 1 centres each line, bit 256 switches clipping off.
    virtual void drawText(const QRect &r, const QString &text, const FontSpec &font, TColor color,
                          int flags) = 0;
    // Segment from 'from' to 'to'; the end point itself is not painted.
    virtual void drawLine(QPoint from, QPoint to, TColor color, int penWidth) = 0;
    // Outline centred on the edge of r, optionally filled inside.
    virtual void drawRect(const QRect &r, TColor pen, int penWidth, bool filled, TColor fill) = 0;
    // Elliptical arc in the box, counter-clockwise from the radial through
    // 'start' to the radial through 'end' (the Windows Arc convention).
    virtual void drawArc(const QRect &box, QPoint start, QPoint end, TColor color, int penWidth) = 0;
    // The whole picture stretched into target, pixels repeated or dropped.
    virtual void drawImage(const QRect &target, const QImage &image) = 0;
};

// Draws with QPainter. Either paints on a device for its own lifetime, or
// borrows a painter that the caller began (a print job).
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QPaintDevice *device);
    explicit PainterCanvas(QPainter &painter);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas &) = delete;
    PainterCanvas &operator=(const PainterCanvas &) = delete;

    void fillRect(const QRect &r, TColor color) override;
    void drawText(const QRect &r, const QString &text, const FontSpec &font, TColor color,
                  int flags) override;
    void drawLine(QPoint from, QPoint to, TColor color, int penWidth) override;
    void drawRect(const QRect &r, TColor pen, int penWidth, bool filled, TColor fill) override;
    void drawArc(const QRect &box, QPoint start, QPoint end, TColor color, int penWidth) override;
    void drawImage(const QRect &target, const QImage &image) override;

private:
    std::unique_ptr<QPainter> mOwned;
    QPainter *mPainter = nullptr;
};

// What a primitive asked a canvas to draw, for tests.
enum class Surface { Screen, Paper };

struct DrawCall {
    enum Kind { Fill, Text, Line, Rect, Arc, Image };
    Kind kind = Fill;
    Surface surface = Surface::Screen;
    int page = 0;
    QRect rect;           // fill, text, box, arc box, picture target
    QPoint from, to;      // line end points, arc start and end
    QString text;
    FontSpec font;
    TColor color = 0;     // fill, text, line, outline colour
    bool filled = false;  // box
    TColor fill = 0;      // box fill
    int penWidth = 0;
    int flags = 0;        // text format
    QImage image;         // picture as handed over (grey copy included)
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(QVector<DrawCall> &log, Surface surface, int page = 0)
        : mLog(log), mSurface(surface), mPage(page) {}

    void setCurrentPage(int page) override { mPage = page; }
    void fillRect(const QRect &r, TColor color) override;
    void drawText(const QRect &r, const QString &text, const FontSpec &font, TColor color,
                  int flags) override;
    void drawLine(QPoint from, QPoint to, TColor color, int penWidth) override;
    void drawRect(const QRect &r, TColor pen, int penWidth, bool filled, TColor fill) override;
    void drawArc(const QRect &box, QPoint start, QPoint end, TColor color, int penWidth) override;
    void drawImage(const QRect &target, const QImage &image) override;

private:
    DrawCall &add(DrawCall::Kind kind);
    QVector<DrawCall> &mLog;
    Surface mSurface;
    int mPage;
};

// The lines of a text as the primitives break it: at CR LF, lone CR, lone LF.
QStringList SplitTextLines(const QString &text);
