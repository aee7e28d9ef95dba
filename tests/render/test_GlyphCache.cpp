// The page canvas keeps shaped lines of text between redraws; what it draws
// from them is pixel for pixel what drawing the text afresh gives.
#include "render/UnitCanvas.h"
#include "render/UnitFonts.h"

#include <QPainter>
#include <gtest/gtest.h>

TEST(GlyphCache, CachedTextDrawsTheSamePixelsAsFreshText)
{
    InstallFontSubstitutions();
    const FontSpec fonts[] = {{QStringLiteral("ＭＳ ゴシック"), 15},
                              {QStringLiteral("ＭＳ 明朝"), 27, true},
                              {QStringLiteral("ＭＳ Ｐゴシック"), 11, false, true, true}};
    const QString texts[] = {QStringLiteral("あいう 123"), QStringLiteral("１２.５＋３.７５＝"),
                             QStringLiteral("Ag|ｙ"), QStringLiteral("二行の\r\n文字")};
    for (const FontSpec &font : fonts) {
        for (const QString &text : texts) {
            QImage fresh(240, 120, QImage::Format_RGB16);
            fresh.fill(Qt::white);
            {
                QPainter p(&fresh);
                p.setFont(CellFont(font).font);
                p.setPen(QColor(0x20, 0x40, 0x60));
                int y = 7;
                for (const QString &line : SplitTextLines(text)) {
                    p.drawText(QPoint(5, y + CellFontMetrics(font).ascent()), line);
                    y += CellHeightOf(font);
                }
            }
            for (int round = 0; round < 2; ++round) {
                QImage cached(240, 120, QImage::Format_RGB16);
                cached.fill(Qt::white);
                {
                    PainterCanvas canvas(&cached);
                    canvas.drawText(QRect(5, 7, 200, 100), text, font, 0x604020,
                                    TextFormat::NoClip);
                }
                EXPECT_TRUE(cached == fresh)
                    << font.face.toStdString() << " " << text.toStdString() << " " << round;
            }
        }
    }
}
