// The drawing primitives through the recording canvas (coordinates on screen
// and on paper, flags, styles, pens, boxes on paper, pictures), plus a few
// pixel checks of the QPainter canvas.
#include "render/UnitDraw.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct PrimitivesTest : ::testing::Test {
    Document doc;
    ViewState view;
    Metrics metrics;
    QVector<DrawCall> log;
    RecordingCanvas screen{log, Surface::Screen, 0};
    RecordingCanvas paper{log, Surface::Paper, -1};
    Draw draw{doc, view, metrics};

    void SetUp() override
    {
        InstallFontSubstitutions();
        view.PrinterBai = Fixed4::fromRaw(62531);
        view.PrinterOffset = QPoint(30, 40);
        view.FromPg = 0;
        view.ToPg = 0;
        view.Printer = &paper;
    }

    QVector<DrawCall> on(Surface s) const
    {
        QVector<DrawCall> out;
        for (const DrawCall &c : log)
            if (c.surface == s)
                out.append(c);
        return out;
    }
};

QImage solid(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

} // namespace

TEST_F(PrimitivesTest, TextIsScaledForScreenAndPaper)
{
    view.GamenBai = Fixed4::fromRaw(15000);
    draw.FDrawText(&screen, 10, 100, 110, 120, QStringLiteral("abc"), QStringLiteral("ＭＳ ゴシック"), 11, 0,
                   0x112233, 0x00FFEE, 1, 0, 0, 0, 0, 0, true);
    const auto s = on(Surface::Screen);
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0].kind, DrawCall::Fill);
    EXPECT_EQ(s[0].rect, QRect(15, 150, 150, 30));
    EXPECT_EQ(s[0].color, 0x00FFEE);
    EXPECT_EQ(s[1].kind, DrawCall::Text);
    EXPECT_EQ(s[1].rect, QRect(15, 150, 150, 30));
    EXPECT_EQ(s[1].font.cellHeight, 16); // Trunc(11 x 1.5)
    EXPECT_EQ(s[1].color, 0x112233);
    EXPECT_EQ(s[1].text, QStringLiteral("abc"));

    // 100 x 6.2531 = 625.31 -> 625, minus the top offset.
    const auto p = on(Surface::Paper);
    ASSERT_EQ(p.size(), 2);
    EXPECT_EQ(p[1].rect, QRect(QPoint(62 - 30, 625 - 40), QPoint(687 - 30 - 1, 750 - 40 - 1)));
    EXPECT_EQ(p[0].rect, p[1].rect);
    EXPECT_EQ(p[1].font.cellHeight, 68); // Trunc(11 x 6.2531)
    EXPECT_EQ(p[1].page, 0);
}

TEST_F(PrimitivesTest, PaperOnlyDuringAPrintRunAndInsideThePageRange)
{
    view.FromPg = 1;
    view.ToPg = 2;
    for (int page : {0, 1, 2, 3})
        draw.FDrawLine(&screen, 0, 0, 10, 10, 0, 0, 1, 1, page, true);
    draw.FDrawBox(&screen, 0, 0, 10, 10, 1, 1, 0, 0, 0, 1, false);
    EXPECT_EQ(on(Surface::Screen).size(), 5);
    const auto p = on(Surface::Paper);
    ASSERT_EQ(p.size(), 2);
    EXPECT_EQ(p[0].page, 1);
    EXPECT_EQ(p[1].page, 2);
}

TEST_F(PrimitivesTest, FormatFlagsAndStylesOnlyWhenExactlyOne)
{
    draw.FDrawText(&screen, 0, 0, 50, 20, QStringLiteral("x"), QStringLiteral("IPAGothic"), 12, 256, 0, 0, 0, 2,
                   1, -1, 1, 0, false);
    draw.FDrawText(&screen, 0, 0, 50, 20, QStringLiteral("x"), QStringLiteral("IPAGothic"), 12, 1, 0, 0, 0, 1,
                   0, 1, 3, 0, false);
    ASSERT_EQ(log.size(), 2); // no background fill without BackColorB = 1
    EXPECT_EQ(log[0].flags, 256);
    EXPECT_FALSE(log[0].font.bold);
    EXPECT_TRUE(log[0].font.italic);
    EXPECT_FALSE(log[0].font.underline);
    EXPECT_TRUE(log[0].font.strikeOut);
    EXPECT_EQ(log[1].flags, 1);
    EXPECT_TRUE(log[1].font.bold);
    EXPECT_FALSE(log[1].font.italic);
    EXPECT_TRUE(log[1].font.underline);
    EXPECT_FALSE(log[1].font.strikeOut);
}

TEST_F(PrimitivesTest, LineDirectionAndPenWidths)
{
    view.GamenBai = Fixed4::fromInt(2);
    draw.FDrawLine(&screen, 10, 10, 110, 60, 0xFF0000, 1, 3, 1, 0, true);
    draw.FDrawLine(&screen, 10, 10, 110, 60, 0xFF0000, 0, 3, 1, 0, false);
    const auto s = on(Surface::Screen);
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0].from, QPoint(20, 120));
    EXPECT_EQ(s[0].to, QPoint(220, 20));
    EXPECT_EQ(s[0].penWidth, 3); // not zoomed on screen
    EXPECT_EQ(s[0].color, 0xFF0000);
    EXPECT_EQ(s[1].from, QPoint(20, 20));
    EXPECT_EQ(s[1].to, QPoint(220, 120));
    const auto p = on(Surface::Paper);
    ASSERT_EQ(p.size(), 1);
    EXPECT_EQ(p[0].penWidth, 18); // Trunc(3 x 6.2531)
    EXPECT_EQ(p[0].from, QPoint(62 - 30, 375 - 40));
    EXPECT_EQ(p[0].color, 0xFF0000);
}

TEST_F(PrimitivesTest, BoxesOnPaperAreBlackOutlinesWithoutFill)
{
    draw.FDrawBox(&screen, 10, 20, 60, 80, 2, 1, 0xFF0000, 0x00FF00, 1, 0, true);
    const auto s = on(Surface::Screen);
    ASSERT_EQ(s.size(), 1);
    EXPECT_EQ(s[0].rect, QRect(10, 20, 50, 60));
    EXPECT_EQ(s[0].color, 0xFF0000);
    EXPECT_TRUE(s[0].filled);
    EXPECT_EQ(s[0].fill, 0x00FF00);
    EXPECT_EQ(s[0].penWidth, 2);
    const auto p = on(Surface::Paper);
    ASSERT_EQ(p.size(), 1);
    EXPECT_EQ(p[0].color, 0);
    EXPECT_FALSE(p[0].filled);
    EXPECT_EQ(p[0].penWidth, 12); // Trunc(2 x 6.2531)
}

TEST_F(PrimitivesTest, PicturesStretchGreyAndSkipMissingOnes)
{
    doc.BMData.append(solid(4, 4, QColor(200, 10, 30)));
    doc.BMData.append(QImage()); // an empty picture entry
    view.GamenBai = Fixed4::fromRaw(15000);
    draw.FDrawPicture(&screen, 10, 10, 20, 30, 2, 0, 0, true);  // one past the end
    draw.FDrawPicture(&screen, 10, 10, 20, 30, -1, 0, 0, true); // negative
    draw.FDrawPicture(&screen, 10, 10, 20, 30, 1, 0, 0, true);  // empty entry
    EXPECT_TRUE(log.isEmpty());

    draw.FDrawPicture(&screen, 10, 10, 21, 31, 0, 0, 1, true);
    const auto s = on(Surface::Screen);
    ASSERT_EQ(s.size(), 1);
    EXPECT_EQ(s[0].rect, QRect(15, 15, 31, 46));
    EXPECT_EQ(s[0].image.pixelColor(0, 0), QColor(80, 80, 80)); // (200+10+30)/3
    const auto p = on(Surface::Paper);
    ASSERT_EQ(p.size(), 1);
    EXPECT_EQ(p[0].rect, QRect(62 - 30, 62 - 40, 131, 193));

    log.clear();
    draw.FDrawPicture(&screen, 0, 0, 4, 4, 0, 0, 0, false);
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0].image.pixelColor(0, 0), QColor(200, 10, 30));
}

TEST_F(PrimitivesTest, DivisionBracketOnScreenAndPaper)
{
    metrics.SetFont(QStringLiteral("ＭＳ ゴシック"), 20);
    const int s = metrics.GetMojiW(QStringLiteral("/"));
    const int hs = s / 2;
    const int q = int(metrics.GetMojiW(QStringLiteral("÷")) / 4.0 * 3.0);
    const int hd = metrics.GetMojiH(QStringLiteral("÷"));
    ASSERT_GT(s, 1);
    draw.FDrawWari(&screen, 100, 50, 120, 70, 45, 0x0000FF, 1, 0, true);
    const auto sc = on(Surface::Screen);
    ASSERT_EQ(sc.size(), 1);
    EXPECT_EQ(sc[0].kind, DrawCall::Arc);
    EXPECT_EQ(sc[0].rect, QRect(QPoint(100 + hs, 50), QPoint(120 - hs - 1, 69)));
    EXPECT_EQ(sc[0].from, QPoint(100 + s, 70));
    EXPECT_EQ(sc[0].to, QPoint(100 + s, 50));
    EXPECT_EQ(sc[0].penWidth, 3); // 45 div 20 + 1
    const auto p = on(Surface::Paper);
    ASSERT_EQ(p.size(), 1);
    auto px = [](int v) { return int(int64_t(v) * 62531 / 10000) - 30; };
    auto py = [](int v) { return int(int64_t(v) * 62531 / 10000) - 40; };
    EXPECT_EQ(p[0].rect, QRect(QPoint(px(100 - hs), py(50)), QPoint(px(120 - hs) - 1, py(70) - 1)));
    EXPECT_EQ(p[0].from, QPoint(px(100 + q - hs), py(50 + hd)));
    EXPECT_EQ(p[0].to, QPoint(px(100 + q - hs), py(50)));
    EXPECT_EQ(p[0].penWidth, 15); // Trunc(45 / 20 x 6.2531 + 1) = Trunc(15.069)
}

TEST(BitmapGrayTest, RoundsTheMeanAndKeepsTheSize)
{
    QImage img(3, 2, QImage::Format_ARGB32);
    img.fill(Qt::white);
    img.setPixelColor(0, 0, QColor(1, 2, 2));
    img.setPixelColor(1, 0, QColor(0, 0, 1));
    img.setPixelColor(2, 0, QColor(255, 255, 254));
    img.setPixelColor(0, 1, QColor(1, 1, 2)); // 4 / 3 -> 1
    const QImage g = BitmapGray(img);
    EXPECT_EQ(g.format(), QImage::Format_RGB888);
    EXPECT_EQ(g.size(), img.size());
    EXPECT_EQ(g.pixelColor(0, 0), QColor(2, 2, 2));
    EXPECT_EQ(g.pixelColor(1, 0), QColor(0, 0, 0));
    EXPECT_EQ(g.pixelColor(2, 0), QColor(255, 255, 255));
    EXPECT_EQ(g.pixelColor(0, 1), QColor(1, 1, 1));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(1, 2, 2)); // the source is untouched
    EXPECT_TRUE(BitmapGray(QImage()).isNull());
}

TEST(ColourTest, WindowsColourValues)
{
    EXPECT_EQ(ToQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ToQColor(0x00D0C0C0), QColor(192, 192, 208));
    EXPECT_EQ(ToQColor(TColor(0x80000005u)), QColor(255, 255, 255)); // window background
}

// ---------------------------------------------------------------- pixels

namespace {

struct PixelTest : ::testing::Test {
    Document doc;
    ViewState view;
    Metrics metrics;
    Draw draw{doc, view, metrics};
    QImage image = solid(200, 100, Qt::white);

    void SetUp() override { InstallFontSubstitutions(); }

    int inkInColumns(int fromX, int toX) const
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = fromX; x < toX; ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    ++n;
        return n;
    }
};

} // namespace

TEST_F(PixelTest, BoxOutlineAndFill)
{
    {
        PainterCanvas c(&image);
        draw.FDrawBox(&c, 10, 10, 30, 20, 1, 1, 255, 0xFF0000, 1, 0, false);
    }
    EXPECT_EQ(image.pixelColor(10, 10), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(29, 19), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(20, 15), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::white)); // right and bottom excluded
    EXPECT_EQ(image.pixelColor(9, 9), QColor(Qt::white));
}

TEST_F(PixelTest, LineLeavesItsEndPointUnpainted)
{
    {
        PainterCanvas c(&image);
        draw.FDrawLine(&c, 10, 50, 20, 50, 0, 0, 1, 1, 0, false);
    }
    EXPECT_EQ(image.pixelColor(10, 50), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(19, 50), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(20, 50), QColor(Qt::white));
}

TEST_F(PixelTest, ClippedAndUnclippedText)
{
    const QString t = QStringLiteral("WWWWWWWWWW");
    {
        PainterCanvas c(&image);
        draw.FDrawText(&c, 0, 0, 20, 30, t, QStringLiteral("ＭＳ ゴシック"), 20, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                       false);
    }
    EXPECT_GT(inkInColumns(0, 20), 0);
    EXPECT_EQ(inkInColumns(20, 200), 0);
    {
        PainterCanvas c(&image);
        draw.FDrawText(&c, 0, 0, 20, 30, t, QStringLiteral("ＭＳ ゴシック"), 20, 256, 0, 0, 0, 0, 0, 0, 0, 0,
                       false);
    }
    EXPECT_GT(inkInColumns(40, 200), 0);
}

TEST_F(PixelTest, TextLinesAreOneCellApart)
{
    // Two lines of a 20-pixel cell: the second starts at y = 20.
    {
        PainterCanvas c(&image);
        draw.FDrawText(&c, 0, 0, 200, 100, QStringLiteral("■\r\n■"), QStringLiteral("ＭＳ ゴシック"), 20, 0, 0,
                       0, 0, 0, 0, 0, 0, 0, false);
    }
    auto rowHasInk = [&](int y) {
        for (int x = 0; x < 40; ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return true;
        return false;
    };
    int firstInkSecondLine = -1;
    for (int y = 20; y < 40 && firstInkSecondLine < 0; ++y)
        if (rowHasInk(y) && !rowHasInk(y - 1))
            firstInkSecondLine = y;
    int firstInkFirstLine = -1;
    for (int y = 0; y < 20 && firstInkFirstLine < 0; ++y)
        if (rowHasInk(y))
            firstInkFirstLine = y;
    ASSERT_GE(firstInkFirstLine, 0);
    EXPECT_EQ(firstInkSecondLine - firstInkFirstLine, 20);
}

TEST_F(PixelTest, PicturesStretchWithoutBlending)
{
    QImage pic(2, 1, QImage::Format_RGB32);
    pic.setPixelColor(0, 0, QColor(255, 0, 0));
    pic.setPixelColor(1, 0, QColor(0, 0, 255));
    doc.BMData.append(pic);
    {
        PainterCanvas c(&image);
        draw.FDrawPicture(&c, 0, 0, 10, 3, 0, 0, 0, false);
    }
    for (int x = 0; x < 10; ++x) {
        const QColor c = image.pixelColor(x, 1);
        EXPECT_TRUE(c == QColor(255, 0, 0) || c == QColor(0, 0, 255)) << x;
    }
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(9, 2), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(10, 0), QColor(Qt::white));
}

TEST_F(PixelTest, DivisionBracketIsTheRightHalfOfTheEllipse)
{
    metrics.SetFont(QStringLiteral("ＭＳ ゴシック"), 20);
    const int s = metrics.GetMojiW(QStringLiteral("/"));
    const int hs = s / 2;
    {
        PainterCanvas c(&image);
        draw.FDrawWari(&c, 50, 10, 90, 90, 0, 0, 1, 0, false);
    }
    // Ink near the right end of the box at mid height, none near its left end.
    auto inkNear = [&](int x0, int x1, int y) {
        for (int x = x0; x <= x1; ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return true;
        return false;
    };
    EXPECT_TRUE(inkNear(90 - hs - 3, 90 - hs, 50));
    EXPECT_FALSE(inkNear(50 + hs, 50 + hs + 3, 50));
    EXPECT_FALSE(inkNear(0, 199, 5)); // nothing above the cell
}
