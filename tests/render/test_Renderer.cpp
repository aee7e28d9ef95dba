// The page renderer: row order, the ink table of the display modes, on-page
// buttons, character pictures and their notice, the creation preview and
// marker, the math-problem hook and the busy flag.
#include "render/UnitCharacter.h"
#include "render/UnitRender.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

RAData textRow(const QString &text, int kotaeMode = 0, int layer = 1, int page = 0)
{
    RAData r;
    r.Syu = QStringLiteral("1");
    r.Page = page;
    r.X1 = 10;
    r.Y1 = 20;
    r.Width = 100;
    r.Height = 20;
    r.Siki = text;
    r.FontName = QStringLiteral("ＭＳ ゴシック");
    r.FontSize = 11;
    r.ForeColor = 0x123456;
    r.KotaeMode = kotaeMode;
    r.Layer = layer;
    return r;
}

RAData shapeRow(const char *syu, int kotaeMode = 0, int layer = 1)
{
    RAData r;
    r.Syu = QString::fromLatin1(syu);
    r.X1 = 5;
    r.Y1 = 5;
    r.Width = 40;
    r.Height = 30;
    r.FontSize = 1;
    r.ForeColor = 0x00AA00;
    r.KotaeMode = kotaeMode;
    r.Layer = layer;
    return r;
}

struct Host : PageButtonHost {
    int parked = 0;
    struct Placed {
        PageButton kind;
        int page;
        QRect rect;
        int fontPx;
    };
    QVector<Placed> placed;
    std::function<void()> onPark;
    void parkButtons() override
    {
        ++parked;
        if (onPark)
            onPark();
    }
    void placeButton(PageButton kind, int page, const QRect &rect, int fontPx) override
    {
        placed.append({kind, page, rect, fontPx});
    }
};

struct RendererTest : ::testing::Test {
    Document doc;
    ViewState view;
    QVector<QImage> images;
    QVector<DrawCall> log;
    std::unique_ptr<RecordingCanvas> paper;
    std::unique_ptr<Renderer> renderer;
    Host host;

    void SetUp() override
    {
        InstallFontSubstitutions();
        images = {QImage(200, 300, QImage::Format_RGB16), QImage(200, 300, QImage::Format_RGB16)};
        paper = std::make_unique<RecordingCanvas>(log, Surface::Paper);
        view.PrinterBai = Fixed4::fromInt(2);
        view.FromPg = 0;
        view.ToPg = 0;
        view.Printer = paper.get();
        renderer = std::make_unique<Renderer>(doc, images, view);
        renderer->setButtonHost(&host);
        // The print passes below are also looked at on screen.
        renderer->setPrintsPaperOnly(false);
        renderer->setCanvasFactory([this](int page, QImage &) -> std::unique_ptr<Canvas> {
            return std::make_unique<RecordingCanvas>(log, Surface::Screen, page);
        });
    }

    QVector<DrawCall> calls(Surface s, DrawCall::Kind kind) const
    {
        QVector<DrawCall> out;
        for (const DrawCall &c : log)
            if (c.surface == s && c.kind == kind)
                out.append(c);
        return out;
    }

    void redraw(bool print = false)
    {
        log.clear();
        renderer->SrcImageP(print);
    }
};

} // namespace

TEST_F(RendererTest, RowsAreDrawnInTableOrderOnTheirPages)
{
    RAData a = shapeRow("3");
    a.ForeColor = 1;
    RAData b = shapeRow("3");
    b.ForeColor = 2;
    b.Page = 1;
    RAData c = shapeRow("3");
    c.ForeColor = 3;
    RAData dead = shapeRow("0");
    RAData unknown = shapeRow("z");
    doc.AData = {a, b, dead, c, unknown};
    redraw();
    const auto boxes = calls(Surface::Screen, DrawCall::Rect);
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0].color, 1);
    EXPECT_EQ(boxes[1].color, 2);
    EXPECT_EQ(boxes[1].page, 1);
    EXPECT_EQ(boxes[2].color, 3);
    EXPECT_EQ(boxes[2].rect, QRect(5, 5, 40, 30));
    EXPECT_EQ(log.size(), 3); // deleted and unknown kinds draw nothing
}

TEST_F(RendererTest, TextRowsUseTheirFontStylesAndBackground)
{
    RAData t = textRow(QStringLiteral("あ\r\nい"));
    t.BackColorB = 1;
    t.BackColor = 0xABCDEF;
    t.FontB = 1;
    t.FontU = 1;
    doc.AData = {t};
    redraw();
    const auto fills = calls(Surface::Screen, DrawCall::Fill);
    ASSERT_EQ(fills.size(), 1);
    EXPECT_EQ(fills[0].color, 0xABCDEF);
    const auto texts = calls(Surface::Screen, DrawCall::Text);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].rect, QRect(10, 20, 100, 20));
    EXPECT_EQ(texts[0].flags, 256);
    EXPECT_EQ(texts[0].text, t.Siki);
    EXPECT_TRUE(texts[0].font.bold);
    EXPECT_TRUE(texts[0].font.underline);
    EXPECT_EQ(texts[0].font.cellHeight, 11);
    EXPECT_EQ(texts[0].color, 0x123456);
}

TEST_F(RendererTest, AnswerObjectsFollowTheAnswerDisplay)
{
    doc.BMData.append(QImage(4, 4, QImage::Format_RGB32));
    doc.BMData[0].fill(QColor(250, 0, 0));
    RAData pic = shapeRow("4", 1);
    doc.AData = {textRow(QStringLiteral("answer"), 1), textRow(QStringLiteral("plain")), shapeRow("2", 1),
                 shapeRow("3", 1), pic};

    // Display off, on screen: pale ink, greyed picture.
    redraw(false);
    auto texts = calls(Surface::Screen, DrawCall::Text);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0].color, KotaeColor);
    EXPECT_EQ(texts[1].color, 0x123456);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Line).value(0).color, KotaeColor);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Rect).value(0).color, KotaeColor);
    ASSERT_EQ(calls(Surface::Screen, DrawCall::Image).size(), 1);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Image)[0].image.pixelColor(0, 0), QColor(83, 83, 83));

    // Display off, printing: the answer objects are left out everywhere.
    redraw(true);
    for (Surface s : {Surface::Screen, Surface::Paper}) {
        texts = calls(s, DrawCall::Text);
        ASSERT_EQ(texts.size(), 1);
        EXPECT_EQ(texts[0].text, QStringLiteral("plain"));
        EXPECT_TRUE(calls(s, DrawCall::Line).isEmpty());
        EXPECT_TRUE(calls(s, DrawCall::Rect).isEmpty());
        EXPECT_TRUE(calls(s, DrawCall::Image).isEmpty());
    }

    // Display on: the answer colour on screen and on paper.
    view.AnswerDisplay = true;
    view.AnswerColor = 0xFF0000;
    redraw(true);
    for (Surface s : {Surface::Screen, Surface::Paper}) {
        texts = calls(s, DrawCall::Text);
        ASSERT_EQ(texts.size(), 2);
        EXPECT_EQ(texts[0].color, 0xFF0000);
        EXPECT_EQ(calls(s, DrawCall::Line).value(0).color, 0xFF0000);
        ASSERT_EQ(calls(s, DrawCall::Image).size(), 1);
        EXPECT_EQ(calls(s, DrawCall::Image)[0].image.pixelColor(0, 0), QColor(250, 0, 0));
    }
    // Boxes on paper stay black whatever the ink.
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Rect).value(0).color, 0);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Rect).value(0).color, 0xFF0000);
}

TEST_F(RendererTest, NameFieldDisplayGreysEverythingOutsideTheNameLayer)
{
    doc.BMData.append(QImage(2, 2, QImage::Format_RGB32));
    doc.BMData[0].fill(QColor(0, 0, 255));
    RAData pic1 = shapeRow("4");
    RAData pic3 = shapeRow("4", 0, 3);
    doc.AData = {textRow(QStringLiteral("sheet")), textRow(QStringLiteral("name"), 0, 3),
                 textRow(QStringLiteral("answer in name"), 1, 3), pic1, pic3};
    view.NameDisplay = true;
    redraw(true);
    const auto texts = calls(Surface::Screen, DrawCall::Text);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0].color, KotaeColor);
    EXPECT_EQ(texts[1].color, 0x123456);
    EXPECT_EQ(texts[2].color, 0x123456); // the name layer wins over the answer mode
    const auto pics = calls(Surface::Screen, DrawCall::Image);
    ASSERT_EQ(pics.size(), 2);
    EXPECT_EQ(pics[0].image.pixelColor(0, 0), QColor(85, 85, 85));
    EXPECT_EQ(pics[1].image.pixelColor(0, 0), QColor(0, 0, 255));
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Text).size(), 3);
}

TEST_F(RendererTest, PrintRangeAndPaperScale)
{
    RAData onTwo = textRow(QStringLiteral("second page"), 0, 1, 1);
    doc.AData = {textRow(QStringLiteral("first page")), onTwo};
    view.PrinterOffset = QPoint(3, 4);
    redraw(true);
    // Only the page of the print range is drawn, on screen and on paper.
    const auto screenTexts = calls(Surface::Screen, DrawCall::Text);
    ASSERT_EQ(screenTexts.size(), 1);
    EXPECT_EQ(screenTexts[0].text, QStringLiteral("first page"));
    const auto paperTexts = calls(Surface::Paper, DrawCall::Text);
    ASSERT_EQ(paperTexts.size(), 1);
    EXPECT_EQ(paperTexts[0].text, QStringLiteral("first page"));
    EXPECT_EQ(paperTexts[0].rect, QRect(17, 36, 200, 40));
    EXPECT_EQ(paperTexts[0].font.cellHeight, 22);
    redraw(false);
    EXPECT_TRUE(calls(Surface::Paper, DrawCall::Text).isEmpty());
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Text).size(), 2);

    // A paper-only print leaves the screen and its buttons alone.
    renderer->setPrintsPaperOnly(true);
    const int parked = host.parked;
    redraw(true);
    EXPECT_TRUE(calls(Surface::Screen, DrawCall::Text).isEmpty());
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Text).size(), 1);
    EXPECT_EQ(host.parked, parked);
}

TEST_F(RendererTest, OnPageButtonsAreLiveOnTheLastRowOfTheirKind)
{
    doc.BMData = {QImage(8, 8, QImage::Format_RGB32), QImage(8, 8, QImage::Format_RGB32),
                  QImage(8, 8, QImage::Format_RGB32)};
    for (QImage &i : doc.BMData)
        i.fill(QColor(0, 200, 0));
    RAData b1 = shapeRow("b", 0, 3);
    b1.PicNo = 0;
    RAData b2 = shapeRow("b", 1, 3); // no answer rule applies to buttons
    b2.PicNo = 1;
    b2.X1 = 60;
    b2.Page = 1;
    RAData r = shapeRow("r");
    r.PicNo = 2;
    r.X1 = 11;
    r.Y1 = 21;
    r.Width = 41;
    r.Height = 31;
    doc.AData = {b1, b2, r};
    view.GamenBai = Fixed4::fromRaw(15000);
    redraw(true);
    EXPECT_EQ(host.parked, 1);
    ASSERT_EQ(host.placed.size(), 2);
    EXPECT_EQ(host.placed[0].kind, PageButton::AnswerSwitch);
    EXPECT_EQ(host.placed[0].page, 1);
    EXPECT_EQ(host.placed[0].rect, QRect(90, 7, 60, 45));
    EXPECT_EQ(host.placed[0].fontPx, 21);
    EXPECT_EQ(host.placed[1].kind, PageButton::Random);
    EXPECT_EQ(host.placed[1].rect, QRect(16, 31, 61 - 1, 46));
    // Page 1 is outside the print range: its button is placed but not drawn.
    const auto pics = calls(Surface::Screen, DrawCall::Image);
    ASSERT_EQ(pics.size(), 2);
    for (const DrawCall &c : pics)
        EXPECT_EQ(c.image.pixelColor(0, 0), QColor(0, 200, 0));
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Image).size(), 2);

    // Name-field display: buttons outside the name layer are only a grey picture.
    view.NameDisplay = true;
    host.placed.clear();
    redraw(false);
    ASSERT_EQ(host.placed.size(), 1);
    EXPECT_EQ(host.placed[0].kind, PageButton::AnswerSwitch);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Image).value(2).image.pixelColor(0, 0), QColor(67, 67, 67));
}

TEST_F(RendererTest, CharacterPicturesBringTheCreditNotice)
{
    RAData k = shapeRow("k");
    k.Width = CharacterPicture().width() / 2;
    k.Height = CharacterPicture().height() / 2;
    doc.AData = {k};
    doc.Paper.PaperH = 2970000;
    view.ActivePage = 1;
    view.PrinterDpiY = 600;
    view.PrinterOffset = QPoint(150, 50);
    redraw(false);
    const auto pics = calls(Surface::Screen, DrawCall::Image);
    ASSERT_EQ(pics.size(), 1);
    EXPECT_EQ(pics[0].image.size(), CharacterPicture().size());
    EXPECT_EQ(pics[0].page, 0);
    const auto texts = calls(Surface::Screen, DrawCall::Text);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].text, CharacterCreditText());
    EXPECT_EQ(texts[0].page, 1);
    EXPECT_EQ(texts[0].font.face, QStringLiteral("Tahoma"));
    EXPECT_EQ(texts[0].font.cellHeight, 16);
    EXPECT_EQ(texts[0].flags, 0);
    EXPECT_EQ(texts[0].color, 0);
    // 297 mm at 600 dpi over 300 pixels: 23.3858 dots per pixel; the margins
    // are 150 dots across (offset above 100) and 100 dots down.
    EXPECT_EQ(texts[0].rect.right() + 1, 200 - 6);
    EXPECT_EQ(texts[0].rect.bottom() + 1, 300 - 4);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Fill).value(0).color, 0xFFFFFF);

    // An answer character with answer display off is grey on screen.
    doc.AData[0].KotaeMode = 1;
    redraw(false);
    const QImage grey = calls(Surface::Screen, DrawCall::Image).value(0).image;
    EXPECT_EQ(grey.format(), QImage::Format_RGB888);

    doc.AData.clear();
    redraw(false);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(RendererTest, CreationAidsAreScreenOnlyAndNeverInThePageImages)
{
    view.ActivePage = 1;
    view.Creation.ToolKind = QStringLiteral("3");
    view.Creation.Dragging = true;
    view.Creation.StartX = 10;
    view.Creation.StartY = 10;
    view.Creation.CurX = 50;
    view.Creation.CurY = 40;
    view.Creation.LineColor = 0x0000FF;
    view.Creation.FillColor = 0x00FF00;
    view.Creation.FillB = 1;
    view.Creation.MarkerOn = true;
    view.Creation.MarkerPage = 0;
    view.Creation.MarkerX = 100;
    view.Creation.MarkerY = 60;
    view.FromPg = 0;
    view.ToPg = 1;
    // Neither a redraw nor a print pass draws them: they live on the
    // editor's overlay.
    redraw(true);
    EXPECT_TRUE(log.isEmpty());
    redraw(false);
    EXPECT_TRUE(log.isEmpty());

    // The overlay draws the rubber band on the active page and the cross on
    // the marker's page, each only there.
    auto aids = [&](int page) {
        log.clear();
        RecordingCanvas canvas(log, Surface::Screen, page);
        DrawCreationAids(renderer->draw(), &canvas, view, page);
    };
    aids(1);
    const auto boxes = calls(Surface::Screen, DrawCall::Rect);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].page, 1);
    EXPECT_EQ(boxes[0].rect, QRect(10, 10, 40, 30));
    EXPECT_TRUE(boxes[0].filled);
    EXPECT_EQ(boxes[0].penWidth, 1);
    EXPECT_EQ(log.size(), 1);
    EXPECT_EQ(CreationAidsRect(view, 1), QRect(QPoint(10, 10), QPoint(50, 40)));
    aids(0);
    const auto lines = calls(Surface::Screen, DrawCall::Line);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].from, QPoint(96, 60));
    EXPECT_EQ(lines[0].to, QPoint(105, 60));
    EXPECT_EQ(lines[1].from, QPoint(100, 56));
    EXPECT_EQ(lines[1].to, QPoint(100, 65));
    EXPECT_EQ(lines[0].color, 0x808080);
    EXPECT_EQ(lines[0].page, 0);
    EXPECT_EQ(log.size(), 2);
    EXPECT_EQ(CreationAidsRect(view, 0), QRect(96, 56, 10, 10));

    view.Creation.ToolKind = QStringLiteral("2");
    view.Creation.LineSyu = 1;
    view.Creation.MarkerOn = false;
    aids(1);
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0].from, QPoint(10, 40));
    EXPECT_EQ(log[0].to, QPoint(50, 10));
    aids(0);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(CreationAidsRect(view, 0).isNull());
}

TEST_F(RendererTest, MathProblemsGoToTheirDrawer)
{
    RAData siki = textRow(QStringLiteral("1+2"), 1);
    siki.Syu = QStringLiteral("5");
    doc.AData = {siki};
    // The renderer's own layouts draw the problem without anyone setting
    // them up: "1＋2＝" on screen.
    redraw(false);
    const auto texts = calls(Surface::Screen, DrawCall::Text);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts[0].text, QStringLiteral("1＋2＝"));

    struct Seen : ProblemDrawer {
        QVector<RowInk> inks;
        void drawProblem(const SikiContext &c) override
        {
            inks.append(c.problemInk);
            EXPECT_EQ(c.row.Siki, QStringLiteral("1+2"));
            EXPECT_NE(c.screen, nullptr);
        }
    } drawer;
    QVector<RowInk> &seen = drawer.inks;
    renderer->setProblemDrawer(&drawer);
    redraw(true);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].leftOut);
    doc.AData[0].KotaeMode = 2; // for problems only 1 marks an answer
    redraw(true);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_FALSE(seen[1].leftOut);
    EXPECT_EQ(seen[1].color, 0x123456);

    // With the name field shown the problem part takes the name-field ink,
    // but an answer problem still stays off the paper.
    view.NameDisplay = true;
    doc.AData[0].KotaeMode = 1;
    redraw(true);
    ASSERT_EQ(seen.size(), 3);
    EXPECT_TRUE(seen[2].leftOut);
    EXPECT_EQ(seen[2].color, KotaeColor);
    doc.AData[0].Layer = 3;
    redraw(false);
    ASSERT_EQ(seen.size(), 4);
    EXPECT_FALSE(seen[3].leftOut);
    EXPECT_EQ(seen[3].color, 0x123456);
}

TEST_F(RendererTest, NestedRedrawsAreDroppedAndErrorsClearTheBusyFlag)
{
    doc.AData = {shapeRow("3")};
    int nested = 0;
    host.onPark = [&] {
        EXPECT_TRUE(renderer->SrcB());
        ++nested;
        renderer->SrcImageP(false); // dropped
    };
    redraw();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(host.parked, 1);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Rect).size(), 1);
    EXPECT_FALSE(renderer->SrcB());

    host.onPark = nullptr;
    RAData siki = shapeRow("5");
    doc.AData.append(siki);
    struct Failing : ProblemDrawer {
        void drawProblem(const SikiContext &) override { throw std::runtime_error("layout failed"); }
    } failing;
    renderer->setProblemDrawer(&failing);
    EXPECT_THROW(renderer->SrcImageP(false), std::runtime_error);
    EXPECT_FALSE(renderer->SrcB());
    renderer->setProblemDrawer(nullptr);
    redraw();
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Rect).size(), 1);
}

TEST(RendererPixelsTest, PagesAreRepaintedWhiteIn16BitColour)
{
    InstallFontSubstitutions();
    Document doc;
    ViewState view;
    QVector<QImage> images = {QImage(100, 80, QImage::Format_RGB32)};
    images[0].fill(Qt::black);
    RAData a = shapeRow("3");
    a.ForeColor = 255;
    a.BackColorB = 1;
    a.BackColor = 0xFF0000;
    RAData b = a; // a later box covers the earlier one
    b.X1 = 25;
    b.BackColor = 0x00FF00;
    doc.AData = {a, b};
    Renderer renderer(doc, images, view);
    renderer.SrcImageP(false);
    EXPECT_EQ(images[0].format(), QImage::Format_RGB16);
    EXPECT_EQ(images[0].size(), QSize(100, 80));
    EXPECT_EQ(images[0].pixelColor(90, 70), QColor(Qt::white));
    EXPECT_EQ(images[0].pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(images[0].pixelColor(15, 20), QColor(0, 0, 255));
    EXPECT_EQ(images[0].pixelColor(30, 20), QColor(0, 255, 0));
}
