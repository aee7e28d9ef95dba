// Fonts by cell height and the mapping of the Windows faces to the IPA fonts.
#include "render/UnitFonts.h"

#include <QFontInfo>
#include <QImage>
#include <gtest/gtest.h>

TEST(FontsTest, WindowsFacesMapToTheIpaFonts)
{
    InstallFontSubstitutions();
    InstallFontSubstitutions(); // twice does no harm
    const struct {
        const char16_t *face;
        const char *family;
    } cases[] = {{u"ＭＳ Ｐゴシック", "IPAPGothic"}, {u"MS PGothic", "IPAPGothic"}, {u"ＭＳ ゴシック", "IPAGothic"},
                 {u"MS Gothic", "IPAGothic"},       {u"ＭＳ Ｐ明朝", "IPAPMincho"}, {u"ＭＳ 明朝", "IPAMincho"}};
    for (const auto &c : cases) {
        FontSpec font;
        font.face = QString::fromUtf16(c.face);
        font.cellHeight = 16;
        EXPECT_EQ(QFontInfo(CellFont(font).font).family(), QString::fromLatin1(c.family))
            << font.face.toStdString();
        EXPECT_EQ(QFont::substitutes(font.face).count(QString::fromLatin1(c.family).toLower()), 1);
    }
}

TEST(FontsTest, AscentPlusDescentIsTheCellHeight)
{
    InstallFontSubstitutions();
    for (const char16_t *face : {u"ＭＳ Ｐゴシック", u"ＭＳ 明朝"}) {
        int exact = 0, total = 0;
        for (int h = 6; h <= 120; ++h) {
            for (bool bold : {false, true}) {
                FontSpec font;
                font.face = QString::fromUtf16(face);
                font.cellHeight = h;
                font.bold = bold;
                const QFontMetrics &fm = CellFontMetrics(font);
                const int cell = fm.ascent() + fm.descent();
                // Where the face jumps over a height the cell is one short.
                EXPECT_LE(cell, h) << h;
                EXPECT_GE(cell, h - 1) << h;
                EXPECT_EQ(CellFont(font).cellHeight, cell);
                EXPECT_EQ(CellHeightOf(font), h);
                exact += cell == h;
                ++total;
            }
        }
        EXPECT_GT(exact * 10, total * 8); // nearly every height is hit exactly
    }
    // The common sizes of the worksheets are exact.
    for (int h : {11, 12, 16, 20, 25, 50}) {
        FontSpec font;
        font.face = QStringLiteral("ＭＳ ゴシック");
        font.cellHeight = h;
        const QFontMetrics &fm = CellFontMetrics(font);
        EXPECT_EQ(fm.ascent() + fm.descent(), h) << h;
    }
}

TEST(FontsTest, CellHeightHoldsOnAPrinterResolution)
{
    InstallFontSubstitutions();
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(23622); // 600 dpi
    device.setDotsPerMeterY(23622);
    ASSERT_EQ(device.logicalDpiY(), 600);
    FontSpec font;
    font.face = QStringLiteral("ＭＳ ゴシック");
    font.cellHeight = 69;
    const QFontMetrics fm(CellFont(font).font, &device);
    EXPECT_EQ(fm.ascent() + fm.descent(), 69);
}

TEST(FontsTest, AbsurdHeightsAreBounded)
{
    FontSpec font;
    font.face = QStringLiteral("IPAGothic");
    font.cellHeight = 0;
    EXPECT_EQ(CellFont(font).cellHeight, 1);
    font.cellHeight = -5;
    EXPECT_GE(CellFont(font).cellHeight, 1);
    font.cellHeight = 2000000000;
    EXPECT_LE(CellFont(font).cellHeight, MaxCellHeight);
}
