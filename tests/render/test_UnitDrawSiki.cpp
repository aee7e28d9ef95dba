// The horizontal and column layouts of math problems, drawn through the page
// renderer onto recording canvases: cells, points, signs, bars, struck zeros,
// the division bracket and working rows, the two inks and where each part
// shows, and layout strings of any shape.
#include "math/UnitHissan.h"
#include "math/UnitHissanKakezan.h"
#include "math/UnitHissanWarizan.h"
#include "render/UnitDrawSiki.h"

#include <gtest/gtest.h>
#include <random>

namespace
{

// A proportional face whose "＋" is narrower than "×" and "÷", so that a cell
// of the wrong kind shows.
const QString Face = QStringLiteral("ＭＳ Ｐ明朝");
constexpr int Size = 20;
constexpr TColor Fore = 0x123456;
constexpr TColor Answer = 0x00FF00;

struct DrawSikiTest : ::testing::Test {
    Document doc;
    ViewState view;
    QVector<QImage> images;
    QVector<DrawCall> log;
    std::unique_ptr<RecordingCanvas> paper;
    std::unique_ptr<Renderer> renderer;
    Metrics m; // the problem's font, for the expected cell sizes
    int rh = 0, cwPlus = 0, cwTimes = 0, cwDiv = 0, dPlus = 0, dStar = 0;

    void SetUp() override
    {
        InstallFontSubstitutions();
        images = {QImage(800, 1100, QImage::Format_RGB16)};
        paper = std::make_unique<RecordingCanvas>(log, Surface::Paper);
        view.FromPg = 0;
        view.ToPg = 0;
        view.Printer = paper.get();
        view.AnswerColor = Answer;
        renderer = std::make_unique<Renderer>(doc, images, view);
        // The print passes below are also looked at on screen.
        renderer->setPrintsPaperOnly(false);
        renderer->setCanvasFactory([this](int page, QImage &) -> std::unique_ptr<Canvas> {
            return std::make_unique<RecordingCanvas>(log, Surface::Screen, page);
        });
        m.SetFont(Face, Size);
        ASSERT_NE(m.GetMojiW(QStringLiteral("＋")), m.GetMojiW(QStringLiteral("×")));
        rh = m.GetMojiH(QString());
        cwPlus = m.GetMojiW(QStringLiteral("＋"));
        cwTimes = m.GetMojiW(QStringLiteral("×"));
        cwDiv = m.GetMojiW(QStringLiteral("÷"));
        dPlus = m.GetMojiW(QStringLiteral("+"));
        dStar = m.GetMojiW(QStringLiteral("*"));
    }

    RAData column(const QString &expression, int extraWidth = 0)
    {
        RAData r;
        r.Syu = QStringLiteral("5");
        r.X1 = 100;
        r.Y1 = 50;
        r.FontName = Face;
        r.FontSize = Size;
        r.ForeColor = Fore;
        r.Layer = 1;
        EXPECT_EQ(SetHissanRow(r, expression), HissanStatus::Ok) << expression.toStdString();
        r.Width = m.GetMojiWidth(r) + extraWidth;
        r.Height = m.GetMojiHeight(r);
        m.SetFont(Face, Size);
        return r;
    }

    void redraw(const RAData &row, bool print = false)
    {
        doc.AData = {row};
        log.clear();
        renderer->SrcImageP(print);
    }

    QVector<DrawCall> calls(Surface s, DrawCall::Kind kind) const
    {
        QVector<DrawCall> out;
        for (const DrawCall &c : log)
            if (c.surface == s && c.kind == kind)
                out.append(c);
        return out;
    }

    // The screen text calls whose rectangle starts at (x, y).
    QVector<DrawCall> textsAt(int x, int y) const
    {
        QVector<DrawCall> out;
        for (const DrawCall &c : calls(Surface::Screen, DrawCall::Text))
            if (c.rect.left() == x && c.rect.top() == y)
                out.append(c);
        return out;
    }

    // The one character drawn in the cell x1..x2 of a line, or "?" when the
    // cell holds nothing or more than one text.
    QString cellText(int x1, int x2, int top, TColor color) const
    {
        const auto at = textsAt(x1, top);
        if (at.size() != 1 || at[0].rect.right() + 1 != x2 || at[0].color != color ||
            at[0].flags != TextFormat::CentreTopClipped)
            return QStringLiteral("?");
        return at[0].text;
    }

    // The characters of the cells ending at R, right to left, n cells.
    QString rightCells(int R, int top, int cw, int n, TColor color) const
    {
        QString s;
        for (int j = n; j >= 1; --j) {
            const QString t = textsAt(R - j * cw, top).isEmpty()
                                  ? QStringLiteral(" ")
                                  : cellText(R - j * cw, R - (j - 1) * cw, top, color);
            s += t;
        }
        return s;
    }

    // Whether a decimal point is centred on boundary x of the line.
    bool pointAt(int x, int half, int top, TColor color) const
    {
        const auto at = textsAt(x - half, top);
        for (const DrawCall &c : at)
            if (c.text == u"." && c.rect.right() + 1 == x + half && c.color == color)
                return true;
        return false;
    }

    QVector<DrawCall> linesAt(int y) const
    {
        QVector<DrawCall> out;
        for (const DrawCall &c : calls(Surface::Screen, DrawCall::Line))
            if (c.from.y() == y && c.to.y() == y)
                out.append(c);
        return out;
    }
};

} // namespace

TEST_F(DrawSikiTest, AdditionAlignsPointsSignAndBar)
{
    const RAData r = column(QStringLiteral("12.5+3.75"));
    ASSERT_EQ(r.HissanSiki, QStringLiteral("125 +375"));
    redraw(r);
    const int R = r.X1 + r.Width;
    const int top0 = r.Y1, top1 = r.Y1 + rh, top2 = r.Y1 + 2 * rh;

    EXPECT_EQ(rightCells(R, top0, cwPlus, 4, Fore), QStringLiteral("125 "));
    EXPECT_EQ(rightCells(R, top1, cwPlus, 3, Fore), QStringLiteral("375"));
    EXPECT_TRUE(pointAt(R - 2 * cwPlus, dPlus, top0, Fore));
    EXPECT_TRUE(pointAt(R - 2 * cwPlus, dPlus, top1, Fore));
    EXPECT_EQ(cellText(r.X1, r.X1 + cwPlus, top1, Fore), QStringLiteral("＋"));

    const auto bar = linesAt(top2 - 1);
    ASSERT_EQ(bar.size(), 1);
    EXPECT_EQ(bar[0].from.x(), r.X1);
    EXPECT_EQ(bar[0].to.x(), R);
    EXPECT_EQ(bar[0].color, Fore);
    EXPECT_EQ(bar[0].penWidth, Size / 20 + 1);

    // The answer in the answer ink (pale while answer display is off).
    EXPECT_EQ(rightCells(R, top2, cwPlus, 4, KotaeColor), QStringLiteral("1625"));
    EXPECT_TRUE(pointAt(R - 2 * cwPlus, dPlus, top2, KotaeColor));
    view.AnswerDisplay = true;
    redraw(r);
    EXPECT_EQ(rightCells(R, top2, cwPlus, 4, Answer), QStringLiteral("1625"));

    // A subtraction takes the full-width minus.
    const RAData s = column(QStringLiteral("7.2-3"));
    redraw(s);
    EXPECT_EQ(cellText(s.X1, s.X1 + cwPlus, s.Y1 + rh, Fore), QStringLiteral("－"));
    EXPECT_TRUE(pointAt(s.X1 + s.Width - cwPlus, dPlus, s.Y1, Fore));
    EXPECT_FALSE(pointAt(s.X1 + s.Width - cwPlus, dPlus, s.Y1 + rh, Fore)); // 3 has no point
}

TEST_F(DrawSikiTest, TrailingZerosAreStruckInTheirDirection)
{
    RAData r = column(QStringLiteral("1.25+2.25"));
    ASSERT_EQ(r.HissanKotae, QStringLiteral("350"));
    ASSERT_EQ(r.KotaeZero, 1);
    const int R = r.X1 + r.Width;
    const int top = r.Y1 + 2 * rh;
    const QPoint a(R - cwPlus + cwPlus / 8, top + rh / 8);
    const QPoint b(R - cwPlus / 8, top + rh - rh / 8);

    redraw(r);
    auto lines = calls(Surface::Screen, DrawCall::Line);
    ASSERT_EQ(lines.size(), 2); // the bar and one stroke
    EXPECT_EQ(lines[1].from, a);
    EXPECT_EQ(lines[1].to, b);
    EXPECT_EQ(lines[1].color, KotaeColor);

    r.LineSyu = 1;
    redraw(r);
    lines = calls(Surface::Screen, DrawCall::Line);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].from, QPoint(a.x(), b.y()));
    EXPECT_EQ(lines[1].to, QPoint(b.x(), a.y()));

    // A count beyond the answer's cells strikes only those cells.
    r.KotaeZero = 1000000000;
    redraw(r);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Line).size(), 1 + 3);
}

TEST_F(DrawSikiTest, MultiplicationBarsFollowThePartialProducts)
{
    const RAData three = column(QStringLiteral("35*63"));
    ASSERT_EQ(three.HissanKotae, QStringLiteral("105_210 _2205"));
    redraw(three);
    int R = three.X1 + three.Width;
    EXPECT_EQ(rightCells(R, three.Y1, cwTimes, 2, Fore), QStringLiteral("35"));
    EXPECT_EQ(rightCells(R, three.Y1 + rh, cwTimes, 2, Fore), QStringLiteral("63"));
    const auto sign = textsAt(three.X1, three.Y1 + rh);
    ASSERT_EQ(sign.size(), 1);
    EXPECT_EQ(sign[0].text, QStringLiteral("×"));
    EXPECT_EQ(sign[0].flags, TextFormat::LeftTopClipped);
    EXPECT_EQ(rightCells(R, three.Y1 + 2 * rh, cwPlus, 3, KotaeColor), QStringLiteral("105"));
    EXPECT_EQ(rightCells(R, three.Y1 + 3 * rh, cwPlus, 4, KotaeColor), QStringLiteral("210 "));
    EXPECT_EQ(rightCells(R, three.Y1 + 4 * rh, cwPlus, 4, KotaeColor), QStringLiteral("2205"));
    auto lines = calls(Surface::Screen, DrawCall::Line);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].from, QPoint(three.X1, three.Y1 + 2 * rh - 1));
    EXPECT_EQ(lines[0].color, Fore);
    EXPECT_EQ(lines[1].from, QPoint(three.X1, three.Y1 + 4 * rh));
    EXPECT_EQ(lines[1].to, QPoint(R, three.Y1 + 4 * rh));
    EXPECT_EQ(lines[1].color, KotaeColor);

    // Rows as edited in the tool: two answer rows get no second bar.
    RAData two = three;
    two.HissanKotae = QStringLiteral("105_2205");
    redraw(two);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Line).size(), 1);
    EXPECT_EQ(rightCells(R, two.Y1 + 3 * rh, cwPlus, 4, KotaeColor), QStringLiteral("2205"));

    // One digit in the second factor: the product alone, under one bar. The
    // factor's point spans the two cell kinds; the product's point and its
    // struck zero sit on the product line.
    const RAData one = column(QStringLiteral("3.5*6"));
    ASSERT_EQ(one.HissanKotae, QStringLiteral("210"));
    ASSERT_EQ(one.KotaeSyo, 1);
    ASSERT_EQ(one.KotaeZero, 1);
    redraw(one);
    R = one.X1 + one.Width;
    const int last = one.Y1 + 2 * rh;
    EXPECT_EQ(rightCells(R, last, cwPlus, 3, KotaeColor), QStringLiteral("210"));
    lines = calls(Surface::Screen, DrawCall::Line);
    ASSERT_EQ(lines.size(), 2); // the bar and the struck zero
    EXPECT_EQ(lines[0].from.y(), last - 1);
    EXPECT_EQ(lines[1].from, QPoint(R - cwPlus + cwPlus / 8, last + rh / 8));
    const auto factorPoint = textsAt(R - cwTimes - dStar, one.Y1);
    ASSERT_EQ(factorPoint.size(), 1);
    EXPECT_EQ(factorPoint[0].text, QStringLiteral("."));
    EXPECT_EQ(factorPoint[0].rect.right() + 1, R - cwPlus + dStar);
    EXPECT_TRUE(pointAt(R - cwPlus, dPlus, last, KotaeColor));
}

TEST_F(DrawSikiTest, DivisionOfSevenByFour)
{
    TFormHissanWarizan engine;
    ASSERT_TRUE(engine.Warizan(QStringLiteral("7/4")));
    RAData r = column(QStringLiteral("7/4"));
    ASSERT_EQ(r.HissanKotae, QStringLiteral(" _4_1_4_3"));
    redraw(r);
    const int R = r.X1 + r.Width;
    const int xb = r.X1 + cwDiv, xd = xb + cwDiv;
    const int line1 = r.Y1 + rh;

    EXPECT_EQ(cellText(r.X1, r.X1 + cwDiv, line1, Fore), QStringLiteral("4"));
    EXPECT_EQ(cellText(xd, xd + cwDiv, line1, Fore), QStringLiteral("7"));
    const auto arcs = calls(Surface::Screen, DrawCall::Arc);
    ASSERT_EQ(arcs.size(), 1);
    EXPECT_EQ(arcs[0].color, Fore);
    EXPECT_EQ(arcs[0].rect.top(), line1);
    EXPECT_EQ(arcs[0].rect.bottom() + 1, line1 + rh);
    EXPECT_GE(arcs[0].rect.left(), xb);
    EXPECT_LE(arcs[0].rect.right() + 1, xb + cwDiv);

    EXPECT_EQ(cellText(R - cwDiv, R, r.Y1, KotaeColor), QStringLiteral("1"));
    EXPECT_EQ(cellText(xd, xd + cwDiv, r.Y1 + 2 * rh, KotaeColor), QStringLiteral("4"));
    EXPECT_EQ(cellText(xd, xd + cwDiv, r.Y1 + 3 * rh, KotaeColor), QStringLiteral("3"));
    const auto over = linesAt(line1);
    ASSERT_EQ(over.size(), 1);
    EXPECT_EQ(over[0].from.x(), xb + cwDiv / 3);
    EXPECT_EQ(over[0].to.x(), R);
    EXPECT_EQ(over[0].color, Fore);
    const auto under = linesAt(r.Y1 + 3 * rh);
    ASSERT_EQ(under.size(), 1);
    EXPECT_EQ(under[0].color, KotaeColor);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Line).size(), 2);

    // Carried on to 1.75: two zeros brought into the dividend, the moved
    // point of the working dividend and the quotient's point, and a bar above
    // every second working row only.
    ASSERT_TRUE(engine.WarizanNext());
    ASSERT_TRUE(engine.WarizanNext());
    ASSERT_TRUE(engine.fillRow(r));
    const QStringList work = r.HissanKotae.split(u'_');
    ASSERT_EQ(work.size(), 3 + 6);
    r.Width = m.GetMojiWidth(r);
    m.SetFont(Face, Size);
    redraw(r);
    const int R2 = r.X1 + r.Width;
    EXPECT_EQ(rightCells(R2, r.Y1, cwDiv, 3, KotaeColor), QStringLiteral("175"));
    EXPECT_EQ(cellText(xd + cwDiv, xd + 2 * cwDiv, line1, KotaeColor), QStringLiteral("0"));
    EXPECT_TRUE(pointAt(R2 - 2 * cwPlus, dPlus, r.Y1, KotaeColor));
    EXPECT_TRUE(pointAt(R2 - 2 * cwPlus, dPlus, line1, KotaeColor));
    for (int j = 3; j < work.size(); ++j)
        EXPECT_EQ(linesAt(r.Y1 + (j - 1) * rh).size(), j % 2 == 0 ? 1 : 0) << j;
}

TEST_F(DrawSikiTest, DivisorPointMovesIntoTheDividend)
{
    // 7.5 / 2.5: the divisor's point and the dividend's old point are crossed
    // out; the working dividend is whole, so no moved point is drawn.
    RAData r = column(QStringLiteral("7.5/2.5"));
    ASSERT_EQ(r.SikiSyo, QStringLiteral("1_1"));
    ASSERT_EQ(r.KaiSikiSyo, 0);
    r.Width += 2 * cwDiv;
    redraw(r);
    const int R = r.X1 + r.Width;
    const int line1 = r.Y1 + rh;
    const int xp = r.X1 + cwPlus;
    EXPECT_TRUE(pointAt(xp, dPlus, line1, Fore));
    EXPECT_TRUE(pointAt(R - cwPlus, dPlus, line1, Fore));
    QVector<QPoint> strokes;
    for (const DrawCall &c : calls(Surface::Screen, DrawCall::Line))
        if (c.color == KotaeColor && c.from.y() != c.to.y())
            strokes.append(c.from);
    const int dx = 2 * cwDiv / 16;
    EXPECT_EQ(strokes, (QVector<QPoint>{QPoint(xp - dx, line1 + 10 * rh / 16),
                                        QPoint(R - cwPlus - dx, line1 + 10 * rh / 16)}));
    int points = 0;
    for (const DrawCall &c : calls(Surface::Screen, DrawCall::Text))
        points += c.text == u"." ? 1 : 0;
    EXPECT_EQ(points, 2);
}

TEST_F(DrawSikiTest, WideWidthKeepsDigitsRightAndSignLeft)
{
    const RAData narrow = column(QStringLiteral("12+345"));
    const RAData wide = column(QStringLiteral("12+345"), 300);
    redraw(wide);
    const int R = wide.X1 + wide.Width;
    EXPECT_EQ(R, narrow.X1 + narrow.Width + 300);
    EXPECT_EQ(rightCells(R, wide.Y1, cwPlus, 3, Fore), QStringLiteral(" 12"));
    EXPECT_EQ(rightCells(R, wide.Y1 + rh, cwPlus, 3, Fore), QStringLiteral("345"));
    EXPECT_EQ(cellText(wide.X1, wide.X1 + cwPlus, wide.Y1 + rh, Fore), QStringLiteral("＋"));
    EXPECT_EQ(rightCells(R, wide.Y1 + 2 * rh, cwPlus, 3, KotaeColor), QStringLiteral("357"));
    const auto bar = linesAt(wide.Y1 + 2 * rh - 1);
    ASSERT_EQ(bar.size(), 1);
    EXPECT_EQ(bar[0].from.x(), wide.X1);
    EXPECT_EQ(bar[0].to.x(), R);
}

TEST_F(DrawSikiTest, AnswerProblemOnPaperFollowsAnswerDisplay)
{
    RAData r = column(QStringLiteral("12+345"));
    r.KotaeMode = 1;

    // Answer display off: nothing on paper; on screen only the answer part.
    redraw(r, true);
    for (const DrawCall &c : log)
        EXPECT_EQ(c.surface, Surface::Screen);
    ASSERT_FALSE(log.isEmpty());
    for (const DrawCall &c : log)
        EXPECT_EQ(c.color, KotaeColor);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Text).size(), 3); // 3, 5, 7

    // On screen outside a print pass the problem part shows pale too.
    redraw(r, false);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Text).size(), 3 + 5 + 1);

    // Answer display on: problem and answer on paper, both in the answer colour.
    view.AnswerDisplay = true;
    redraw(r, true);
    const auto paperTexts = calls(Surface::Paper, DrawCall::Text);
    EXPECT_EQ(paperTexts.size(), 3 + 5 + 1);
    for (const DrawCall &c : paperTexts)
        EXPECT_EQ(c.color, Answer);
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Line).size(), 1);

    // An ordinary problem printed with answer display off: problem only.
    r.KotaeMode = 0;
    view.AnswerDisplay = false;
    redraw(r, true);
    QString onPaper;
    for (const DrawCall &c : calls(Surface::Paper, DrawCall::Text)) {
        EXPECT_EQ(c.color, Fore);
        onPaper += c.text;
    }
    EXPECT_EQ(onPaper, QStringLiteral("21543＋"));
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Text).size(), 3 + 5 + 1);

    // Name-field display: the problem part takes the pale ink outside the
    // name layer; the answer part keeps the answer rules.
    view.NameDisplay = true;
    redraw(r, false);
    for (const DrawCall &c : log)
        EXPECT_EQ(c.color, KotaeColor);
    r.Layer = 3;
    redraw(r, false);
    EXPECT_EQ(calls(Surface::Screen, DrawCall::Text)[0].color, Fore);
    // An answer problem still stays off paper while the name field shows.
    r.KotaeMode = 1;
    redraw(r, true);
    EXPECT_TRUE(calls(Surface::Paper, DrawCall::Text).isEmpty());
    EXPECT_TRUE(calls(Surface::Paper, DrawCall::Line).isEmpty());
}

TEST_F(DrawSikiTest, HorizontalExpressionAndItsAnswerBox)
{
    RAData r;
    r.Syu = QStringLiteral("5");
    r.Siki1 = 0;
    r.Siki = QStringLiteral("12+3*4-8/2");
    r.Kotae = QStringLiteral("20");
    r.X1 = 30;
    r.Y1 = 40;
    r.FontName = Face;
    r.FontSize = Size;
    r.ForeColor = Fore;
    r.Width = 400;
    r.Height = 25;
    view.AnswerDisplay = true;
    redraw(r, true);
    const auto texts = calls(Surface::Screen, DrawCall::Text);
    ASSERT_EQ(texts.size(), 2);
    const QString d = QStringLiteral("12＋3×4－8÷2＝");
    EXPECT_EQ(texts[0].text, d);
    EXPECT_EQ(texts[0].rect, QRect(QPoint(30, 40), QPoint(429, 64)));
    EXPECT_EQ(texts[0].flags, TextFormat::LeftTopClipped);
    EXPECT_EQ(texts[0].color, Fore);
    EXPECT_EQ(texts[1].text, QStringLiteral("20"));
    EXPECT_EQ(texts[1].rect, QRect(QPoint(30 + m.GetMojiW(d), 40), QPoint(429, 64)));
    EXPECT_EQ(texts[1].color, Answer);
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Text).size(), 2);

    view.AnswerDisplay = false;
    redraw(r, true);
    ASSERT_EQ(calls(Surface::Paper, DrawCall::Text).size(), 1);
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Text)[0].text, d);
}

TEST_F(DrawSikiTest, UnknownKindsAreLeftToOthers)
{
    RAData r = column(QStringLiteral("1+2"));
    const SikiContext ctx{r,     0,    nullptr,          RowInk{Fore, false, false},
                          false, view, renderer->draw(), renderer->metrics(),
                          800};
    SikiLayouts layouts;
    EXPECT_TRUE(layouts.DrawSiki(ctx));
    EXPECT_TRUE(DrawSiki(ctx));
    r.Siki2 = 7; // a column kind that does not exist: claimed, nothing drawn
    redraw(r, true);
    EXPECT_TRUE(log.isEmpty());
    for (int siki1 : {-1, 4, 9}) {
        r.Siki1 = siki1;
        EXPECT_FALSE(layouts.DrawSiki(ctx));
        EXPECT_FALSE(DrawSiki(ctx));
        redraw(r, true);
        EXPECT_TRUE(log.isEmpty());
    }
}

TEST_F(DrawSikiTest, MalformedLayoutStringsDrawWhatTheyCan)
{
    std::mt19937 rng(20261209);
    const QString alphabet = QStringLiteral("0123456789 ._+-*/あ");
    auto randomText = [&](int maxLen) {
        QString s;
        const int n = int(rng() % (maxLen + 1));
        for (int i = 0; i < n; ++i)
            s += alphabet.at(int(rng() % alphabet.size()));
        return s;
    };
    auto randomNumber = [&]() -> int {
        switch (rng() % 8) {
        case 0:
            return INT32_MAX;
        case 1:
            return INT32_MIN;
        case 2:
            return -int(rng() % 50);
        default:
            return int(rng() % 12);
        }
    };
    view.AnswerDisplay = true;
    for (int round = 0; round < 400; ++round) {
        RAData r;
        r.Syu = QStringLiteral("5");
        r.Siki1 = int(rng() % 2);
        r.Siki2 = int(rng() % 4);
        r.Siki = randomText(14);
        r.Kotae = randomText(8);
        r.HissanSiki = randomText(20);
        r.HissanKotae = randomText(30);
        r.SikiSyo = rng() % 4 == 0 ? QStringLiteral("-x_99999999999999999999999") : randomText(6);
        r.KaiSikiSyo = randomNumber();
        r.KotaeSyo = randomNumber();
        r.KotaeZero = randomNumber();
        r.AmariSyo = randomNumber();
        r.LineSyu = int(rng() % 2);
        r.FontName = Face;
        r.FontSize = rng() % 10 == 0 ? randomNumber() : 8 + int(rng() % 30);
        r.X1 = rng() % 10 == 0 ? randomNumber() : int(rng() % 700);
        r.Y1 = int(rng() % 1000);
        r.Width = rng() % 10 == 0 ? randomNumber() : int(rng() % 300);
        r.Height = int(rng() % 200);
        r.ForeColor = Fore;
        redraw(r, true);

        // Column layouts draw one character per text call, and never more
        // marks than the strings give cells, rows and decimal fields.
        const qsizetype budget =
            2 * (3 * (r.HissanSiki.size() + r.HissanKotae.size()) + r.Siki.size() + 12);
        EXPECT_LE(log.size(), budget) << round;
        for (const DrawCall &c : log) {
            if (r.Siki1 == 1 && c.kind == DrawCall::Text) {
                EXPECT_EQ(c.text.size(), 1) << round;
            }
        }
    }
}
