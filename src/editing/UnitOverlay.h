// The light controls laid over a page panel while editing: the selection
// and hover frames (dotted, highlight colour), the drag outlines (solid, in
// the drag-feedback colour), the drag labels that show a text while it is
// dragged, and the four corner handles (white 11 x 11 on black 13 x 13).
// They are children of the page panel they mark and never repaint the page
// image; frames, outlines and labels let the mouse through to the page.
// Only the editing controller creates and places them.
#pragma once

#include "document/UnitData.h"
#include "render/UnitFonts.h"

#include <QColor>
#include <QWidget>

// A rectangle outline: dotted in the highlight colour (frames) or solid in
// a given colour (drag outlines).
class TOverlayShape : public QWidget
{
    Q_OBJECT
public:
    enum Style { Dotted, Solid };
    TOverlayShape(Style style, QColor color, QWidget *parent = nullptr);
    void setColor(QColor c);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Style mStyle;
    QColor mColor;
};

// A text drawn in a cell-height font, for the drag feedback of texts and
// the live preview of a text being typed.
class TOverlayLabel : public QWidget
{
    Q_OBJECT
public:
    explicit TOverlayLabel(QWidget *parent = nullptr);
    // Lines separated by CR LF; font by face and cell height in pixels.
    void setContent(const QString &text, const FontSpec &font, QColor color);
    const QString &text() const { return mText; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString mText;
    FontSpec mFont;
    QColor mColor;
};

// One resize handle: a white square over its black one. The handle reports
// the mouse in global coordinates, so a drag keeps working while the handle
// itself moves.
class TResizeHandle : public QWidget
{
    Q_OBJECT
public:
    TResizeHandle(int number, QWidget *parent = nullptr);
    int number() const { return mNumber; }
    // Puts the black square's top-left at p (pixels of the panel).
    void placeAt(QWidget *panel, QPoint blackTopLeft);
    void setShown(bool on);
    QWidget *black() const { return mBlack; }
    static constexpr int HandleSize = 11;

signals:
    void pressed(int number, QPoint globalPos);
    void moved(QPoint globalPos);
    void released(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    int mNumber;
    QWidget *mBlack;
};
