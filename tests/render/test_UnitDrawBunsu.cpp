// The fraction and word-problem layouts drawn through the page renderer onto
// recording canvases: where each part goes, in which ink, and what reaches
// paper in the display modes.
#include "render/UnitDrawSiki.h"

#include <gtest/gtest.h>

namespace
{

const QString Face = QStringLiteral("ＭＳ Ｐ明朝");
constexpr int Size = 20;
constexpr TColor Fore = 0x123456;
constexpr TColor Answer = 0x00FF00;

struct DrawBunsuTest : ::testing::Test {
    Document doc;
    ViewState view;
    QVector<QImage> images;
    QVector<DrawCall> log;
    std::unique_ptr<RecordingCanvas> paper;
    std::unique_ptr<Renderer> renderer;
    Metrics m;
    int h = 0;

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
        h = m.GetMojiH(QStringLiteral("a"));
    }

    RAData row(int siki1)
    {
        RAData r;
        r.Syu = QStringLiteral("5");
        r.Siki1 = siki1;
        r.X1 = 100;
        r.Y1 = 50;
        r.FontName = Face;
        r.FontSize = Size;
        r.ForeColor = Fore;
        r.Layer = 1;
        return r;
    }

    void redraw(const RAData &r, bool print = false)
    {
        doc.AData = {r};
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

    // The one screen text call with this text.
    DrawCall text(const QString &t) const
    {
        DrawCall found;
        int n = 0;
        for (const DrawCall &c : calls(Surface::Screen, DrawCall::Text))
            if (c.text == t) {
                found = c;
                ++n;
            }
        EXPECT_EQ(n, 1) << t.toStdString();
        return found;
    }
    QStringList texts(Surface s) const
    {
        QStringList out;
        for (const DrawCall &c : calls(s, DrawCall::Text))
            out << c.text;
        return out;
    }
};

TEST_F(DrawBunsuTest, FractionColumnsWholePartsAndAnswer)
{
    // 2 3/5 + 14/9 = 4 7/45: a two-digit numerator over a one-digit
    // denominator gets a column as wide as the numerator plus one "a".
    RAData r = row(2);
    r.Siki = QStringLiteral("2s3b5+s14b9");
    r.Kotae = QStringLiteral("4s7b45");
    r.Width = 300;
    r.Height = 2 * h;
    redraw(r);

    int x = 100;
    const int wWhole = m.GetMojiW(QStringLiteral("2a"));
    DrawCall c = text(QStringLiteral("2"));
    EXPECT_EQ(c.rect, QRect(QPoint(x, 50 + h / 2), QPoint(x + wWhole - 1, 50 + h / 2 + h - 1)));
    EXPECT_EQ(c.flags, TextFormat::CentreTopClipped);
    EXPECT_EQ(c.color, Fore);
    x += wWhole;
    const int w1 = m.GetMojiW(QStringLiteral("5a"));
    EXPECT_EQ(text(QStringLiteral("3")).rect, QRect(QPoint(x, 50), QPoint(x + w1 - 1, 50 + h - 1)));
    EXPECT_EQ(text(QStringLiteral("5")).rect,
              QRect(QPoint(x, 50 + h), QPoint(x + w1 - 1, 50 + 2 * h - 1)));
    x += w1;
    // The signs stand clear of the bars: each is centred in the room of
    // itself and one "a", so half an "a" is left on either side.
    const int halfA = m.GetMojiW(QStringLiteral("a")) / 2;
    ASSERT_GT(halfA, 0);
    const DrawCall plus = text(QStringLiteral("＋"));
    EXPECT_EQ(plus.rect.topLeft(), QPoint(x, 50 + h / 2));
    EXPECT_EQ(plus.rect.width(), m.GetMojiW(QStringLiteral("＋a")));
    EXPECT_EQ(plus.flags, TextFormat::CentreTopClipped);
    EXPECT_GE((plus.rect.width() - m.GetMojiW(QStringLiteral("＋"))) / 2, halfA);
    x += m.GetMojiW(QStringLiteral("＋a"));
    const int w2 = m.GetMojiW(QStringLiteral("14a"));
    EXPECT_EQ(text(QStringLiteral("14")).rect,
              QRect(QPoint(x, 50), QPoint(x + w2 - 1, 50 + h - 1)));
    EXPECT_EQ(text(QStringLiteral("9")).rect,
              QRect(QPoint(x, 50 + h), QPoint(x + w2 - 1, 50 + 2 * h - 1)));
    x += w2;
    const DrawCall equals = text(QStringLiteral("＝"));
    EXPECT_EQ(equals.rect.left(), x);
    EXPECT_EQ(equals.rect.width(), m.GetMojiW(QStringLiteral("＝a")));
    EXPECT_GE((equals.rect.width() - m.GetMojiW(QStringLiteral("＝"))) / 2, halfA);
    x += m.GetMojiW(QStringLiteral("＝a"));

    // The answer in answer ink (pale while answer display is off).
    const DrawCall four = text(QStringLiteral("4"));
    EXPECT_EQ(four.rect.left(), x);
    EXPECT_EQ(four.color, KotaeColor);
    x += m.GetMojiW(QStringLiteral("4a"));
    const int wk = m.GetMojiW(QStringLiteral("45a"));
    EXPECT_EQ(text(QStringLiteral("7")).rect, QRect(QPoint(x, 50), QPoint(x + wk - 1, 50 + h - 1)));
    EXPECT_EQ(text(QStringLiteral("45")).rect.left(), x);

    // Three bars on the numerator lines, in the bar pen.
    const auto bars = calls(Surface::Screen, DrawCall::Line);
    ASSERT_EQ(bars.size(), 3);
    EXPECT_EQ(bars[0].from.y(), 50 + h);
    EXPECT_EQ(bars[0].penWidth, Size / 20 + 1);
    EXPECT_EQ(bars[2].color, KotaeColor);

    // Paper: the answer only with answer display on; an answer problem's
    // problem part only then too.
    redraw(r, true);
    EXPECT_FALSE(texts(Surface::Paper).contains(QStringLiteral("45")));
    EXPECT_TRUE(texts(Surface::Paper).contains(QStringLiteral("14")));
    r.KotaeMode = 1;
    redraw(r, true);
    EXPECT_TRUE(texts(Surface::Paper).isEmpty());
    view.AnswerDisplay = true;
    redraw(r, true);
    EXPECT_EQ(texts(Surface::Paper).size(), 10);
    EXPECT_EQ(text(QStringLiteral("45")).color, Answer);
}

TEST_F(DrawBunsuTest, FractionWithoutSecondOperandOrDenominator)
{
    // A single operand: no operator. A numerator without a denominator is
    // not drawn, and an answer without both parts shows its whole part only.
    RAData r = row(2);
    r.Siki = QStringLiteral("s3+");
    r.Kotae = QStringLiteral("2s5");
    r.Width = 200;
    redraw(r);
    EXPECT_EQ(texts(Surface::Screen), (QStringList{QStringLiteral("＝"), QStringLiteral("2")}));
    EXPECT_TRUE(calls(Surface::Screen, DrawCall::Line).isEmpty());
}

TEST_F(DrawBunsuTest, WordProblemLinesBoxAndBrackets)
{
    RAData r = row(3);
    r.BunsyoText = QStringLiteral("りんごが①こ、\r\nみかんが②こ。");
    r.BunsyoR1 = QStringLiteral("3");
    r.BunsyoR2 = QStringLiteral("4");
    r.BunsyoSiki = QStringLiteral("（しき）");
    r.Bunsyo1 = QStringLiteral("3+4");
    r.Bunsyo2 = QStringLiteral("7");
    r.BunsyoKotaeCombo = QStringLiteral("こたえ");
    r.BunsyoKotae = QStringLiteral("7");
    r.BunsyoKotaeTani = QStringLiteral("こ");
    r.BunsyoTani = 1;
    r.Width = 400;
    r.Height = 9 * h;
    redraw(r);
    const int R = 500, n = 2;

    const DrawCall sentence = text(QStringLiteral("りんごが3こ、\r\nみかんが4こ。"));
    EXPECT_EQ(sentence.rect, QRect(QPoint(100, 50), QPoint(799, 50 + 9 * h - 1)));
    EXPECT_EQ(sentence.color, Fore);
    const int yS = 50 + (n + 1) * h;
    EXPECT_EQ(text(QStringLiteral("（しき）")).rect.topLeft(), QPoint(100, yS - h / 4));

    const int yA = 50 + (n + 6) * h;
    const int u = m.GetMojiW(QStringLiteral("こ"));
    const int bw = m.GetMojiW(QStringLiteral("7")) + 2 * m.GetMojiW(QStringLiteral("あ"));
    EXPECT_EQ(text(QStringLiteral("こ")).rect,
              QRect(QPoint(R - u, yA - h / 4), QPoint(R - 1, yA + h - h / 4 - 1)));
    const auto boxes = calls(Surface::Screen, DrawCall::Rect);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].rect.topLeft(), QPoint(R - u - bw, yA - h / 2));
    EXPECT_EQ(boxes[0].color, Fore);
    EXPECT_FALSE(boxes[0].filled);
    const int a = m.GetMojiW(QStringLiteral("こたえ"));
    EXPECT_EQ(text(QStringLiteral("こたえ")).rect.left(), R - u - bw - a);

    // Answer part: the formula one line below the label, the answer centred
    // in the box.
    const DrawCall formula = text(QStringLiteral("3＋4＝7"));
    EXPECT_EQ(formula.rect.topLeft(),
              QPoint(100 + m.GetMojiW(QStringLiteral("（しき）")), 50 + (n + 2) * h - h / 4));
    EXPECT_EQ(formula.color, KotaeColor);
    const DrawCall seven = text(QStringLiteral("7"));
    EXPECT_EQ(seven.rect,
              QRect(QPoint(R - u - bw, yA - h / 4), QPoint(R - u - 1, yA + h - h / 4 - 1)));
    EXPECT_EQ(seven.flags, TextFormat::CentreTopClipped);

    // Printed with answer display off: no formula, no answer; the box prints.
    redraw(r, true);
    EXPECT_FALSE(texts(Surface::Paper).contains(QStringLiteral("3＋4＝7")));
    EXPECT_FALSE(texts(Surface::Paper).contains(QStringLiteral("7")));
    EXPECT_EQ(calls(Surface::Paper, DrawCall::Rect).size(), 1);

    // Unit inside the brackets after the answer; a box too low for the
    // text puts the label and answer lines on its last line.
    r.BunsyoTani = 0;
    r.Height = 3 * h;
    redraw(r);
    const int bottomLine = 50 + 3 * h - h;
    const int p = m.GetMojiW(QStringLiteral("）"));
    const int bw2 = m.GetMojiW(QStringLiteral("（あ7こあ"));
    EXPECT_EQ(text(QStringLiteral("）")).rect.left(), R - p);
    EXPECT_EQ(text(QStringLiteral("（")).rect.left(), R - p - bw2);
    EXPECT_EQ(text(QStringLiteral("（しき）")).rect.top(), bottomLine - h / 4);
    const DrawCall inside = text(QStringLiteral("7こ"));
    EXPECT_EQ(inside.rect, QRect(QPoint(R - bw2, bottomLine - h / 4),
                                 QPoint(R - p - 1, bottomLine + h - h / 4 - 1)));
    EXPECT_TRUE(calls(Surface::Screen, DrawCall::Rect).isEmpty());

    // An answer problem printed with answer display off leaves everything out.
    r.KotaeMode = 1;
    redraw(r, true);
    EXPECT_TRUE(calls(Surface::Paper, DrawCall::Text).isEmpty());
}

} // namespace
