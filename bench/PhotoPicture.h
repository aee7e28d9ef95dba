// A picture like a scanned illustration for the benchmarks: gradients,
// shapes and a line of text, 640 x 480, different for every seed.
#pragma once

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace bench
{

inline QImage PhotoLikePicture(int seed)
{
    // Gradients, shapes and some texture, like a scanned illustration.
    QImage img(640, 480, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 640, 480);
    g.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 120, 250));
    g.setColorAt(1, QColor::fromHsv((seed * 37 + 120) % 360, 200, 120));
    p.fillRect(img.rect(), g);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor::fromHsv((seed * 11 + i * 29) % 360, 180, 200));
        p.drawEllipse((i * 97 + seed * 13) % 600, (i * 53 + seed * 7) % 440, 40 + i % 30,
                      30 + i % 20);
    }
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("IPAPGothic"), 24));
    p.drawText(20, 60, QStringLiteral("さんすう ①②③ Tavenor"));
    p.end();
    return img;
}

} // namespace bench
