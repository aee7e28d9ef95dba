#include "render/UnitCharacter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// A friendly pencil with a face, in the program's colours.
QImage paintCharacter()
{
    QImage img(120, 160, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(60, 60, 60), 3));

    // Body of the pencil.
    p.setBrush(QColor(255, 200, 60));
    p.drawRoundedRect(QRectF(30, 30, 60, 90), 8, 8);
    // Eraser and its band.
    p.setBrush(QColor(240, 140, 160));
    p.drawRoundedRect(QRectF(30, 10, 60, 22), 8, 8);
    p.setBrush(QColor(180, 180, 190));
    p.drawRect(QRectF(30, 28, 60, 8));
    // Sharpened tip.
    QPolygonF tip;
    tip << QPointF(30, 120) << QPointF(90, 120) << QPointF(60, 155);
    p.setBrush(QColor(245, 220, 180));
    p.drawPolygon(tip);
    QPolygonF lead;
    lead << QPointF(52, 145) << QPointF(68, 145) << QPointF(60, 155);
    p.setBrush(QColor(60, 60, 60));
    p.drawPolygon(lead);

    // Face.
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(48, 66), 4, 5);
    p.drawEllipse(QPointF(72, 66), 4, 5);
    p.setBrush(QColor(255, 150, 150));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(40, 80), 6, 4);
    p.drawEllipse(QPointF(80, 80), 6, 4);
    p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath smile;
    smile.moveTo(48, 86);
    smile.quadTo(60, 98, 72, 86);
    p.drawPath(smile);

    // Arms waving.
    p.drawLine(QPointF(30, 80), QPointF(12, 64));
    p.drawLine(QPointF(90, 80), QPointF(108, 64));
    p.end();
    return img;
}

} // namespace

const QImage &CharacterPicture()
{
    static const QImage picture = paintCharacter();
    return picture;
}

QString CharacterCreditText()
{
    return QStringLiteral("キャラクター：えんぴつくん (Tavenor プリント オリジナル)");
}
