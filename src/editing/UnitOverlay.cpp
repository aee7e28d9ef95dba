#include "editing/UnitOverlay.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

TOverlayShape::TOverlayShape(Style style, QColor color, QWidget *parent)
    : QWidget(parent), mStyle(style), mColor(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void TOverlayShape::setColor(QColor c)
{
    if (c == mColor)
        return;
    mColor = c;
    update();
}

void TOverlayShape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QPen pen(mStyle == Dotted ? QApplication::palette().color(QPalette::Highlight) : mColor);
    pen.setStyle(mStyle == Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setWidth(1);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TOverlayLabel::TOverlayLabel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void TOverlayLabel::setContent(const QString &text, const FontSpec &font, QColor color)
{
    if (text == mText && font == mFont && color == mColor)
        return;
    mText = text;
    mFont = font;
    mColor = color;
    update();
}

void TOverlayLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(CellFont(mFont).font);
    p.setPen(mColor);
    const QFontMetrics &fm = CellFontMetrics(mFont);
    const int step = CellHeightOf(mFont);
    int y = 0;
    QString t = mText;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    for (const QString &line : t.split(QLatin1Char('\r'))) {
        p.drawText(0, y + fm.ascent(), line);
        y += step;
    }
}

TResizeHandle::TResizeHandle(int number, QWidget *parent) : QWidget(parent), mNumber(number)
{
    mBlack = new QWidget(parent);
    mBlack->setAttribute(Qt::WA_TransparentForMouseEvents);
    mBlack->setAutoFillBackground(true);
    QPalette pal = mBlack->palette();
    pal.setColor(QPalette::Window, Qt::black);
    mBlack->setPalette(pal);
    mBlack->setFixedSize(HandleSize + 2, HandleSize + 2);
    setFixedSize(HandleSize, HandleSize);
    setToolTip(QStringLiteral("画像サイズ変更"));
    // 1 and 3 sit on the falling diagonal, 2 and 4 on the rising one.
    setCursor(number == 1 || number == 3 ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    mBlack->hide();
    hide();
}

void TResizeHandle::placeAt(QWidget *panel, QPoint blackTopLeft)
{
    if (parentWidget() != panel) {
        mBlack->setParent(panel);
        setParent(panel);
    }
    mBlack->move(blackTopLeft);
    move(blackTopLeft + QPoint(1, 1));
}

void TResizeHandle::setShown(bool on)
{
    mBlack->setVisible(on);
    setVisible(on);
    if (on) {
        mBlack->raise();
        raise();
    }
}

void TResizeHandle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}

void TResizeHandle::mousePressEvent(QMouseEvent *e)
{
    emit pressed(mNumber, e->globalPosition().toPoint());
}
void TResizeHandle::mouseMoveEvent(QMouseEvent *e)
{
    if (e->buttons() != Qt::NoButton)
        emit moved(e->globalPosition().toPoint());
}
void TResizeHandle::mouseReleaseEvent(QMouseEvent *e)
{
    emit released(e->globalPosition().toPoint());
}
