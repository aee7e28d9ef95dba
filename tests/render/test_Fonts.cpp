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
        FontSpec spec;
        spec.face = QString::fromUtf16(c.face);
        spec.cellHeight = 16;
        EXPECT_EQ(QFontInfo(CellFont(spec).font).family(), QString::fromLatin1(c.family))
            << spec.face.toStdString();
        EXPECT_EQ(QFont::substitutes(spec.face).count(QString::fromLatin1(c.family).toLower()), 1);
    }
}

TEST(FontsTest, AscentPlusDescentIsTheCellHeight)
{
    InstallFontSubstitutions();
    for (const char16_t *face : {u"ＭＳ Ｐゴシック", u"ＭＳ 明朝"}) {
        int exact = 0, total = 0;
        for (int h = 6; h <= 120; ++h) {
            for (bool bold : {false, true}) {
                FontSpec spec;
                spec.face = QString::fromUtf16(face);
                spec.cellHeight = h;
                spec.bold = bold;
                const QFontMetrics &fm = CellFontMetrics(spec);
                const int cell = fm.ascent() + fm.descent();
                // Where the face jumps over a height the cell is one short.
                EXPECT_LE(cell, h) << h;
                EXPECT_GE(cell, h - 1) << h;
                EXPECT_EQ(CellFont(spec).cellHeight, cell);
                EXPECT_EQ(CellHeightOf(spec), h);
                exact += cell == h;
                ++total;
            }
        }
        EXPECT_GT(exact * 10, total * 8); // nearly every height is hit exactly
    }
    // The common sizes of the worksheets are exact.
    for (int h : {11, 12, 16, 20, 25, 50}) {
        FontSpec spec;
        spec.face = QStringLiteral("ＭＳ ゴシック");
        spec.cellHeight = h;
        const QFontMetrics &fm = CellFontMetrics(spec);
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
    FontSpec spec;
    spec.face = QStringLiteral("ＭＳ ゴシック");
    spec.cellHeight = 69;
    const QFontMetrics fm(CellFont(spec).font, &device);
    EXPECT_EQ(fm.ascent() + fm.descent(), 69);
}

TEST(FontsTest, AbsurdHeightsAreBounded)
{
    FontSpec spec;
    spec.face = QStringLiteral("IPAGothic");
    spec.cellHeight = 0;
    EXPECT_EQ(CellFont(spec).cellHeight, 1);
    spec.cellHeight = -5;
    EXPECT_GE(CellFont(spec).cellHeight, 1);
    spec.cellHeight = 2000000000;
    EXPECT_LE(CellFont(spec).cellHeight, MaxCellHeight);
}
