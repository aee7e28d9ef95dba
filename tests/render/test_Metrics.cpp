// Text metrics of strings and object rows, the fraction splitter and the
// fit-to-content command.
#include "render/UnitMetrics.h"

#include <gtest/gtest.h>

namespace {

RAData mathRow(int siki1, int siki2)
{
    RAData r;
    r.Syu = QStringLiteral("5");
    r.FontName = QStringLiteral("ＭＳ ゴシック");
    r.FontSize = 20;
    r.Siki1 = siki1;
    r.Siki2 = siki2;
    return r;
}

struct MetricsTest : ::testing::Test {
    Metrics m;
    void SetUp() override
    {
        InstallFontSubstitutions();
        m.SetFont(QStringLiteral("ＭＳ ゴシック"), 20);
    }
    int w(const QString &t) { return m.GetMojiW(t); }
    int h() { return m.GetMojiH(QStringLiteral("あ")); }
};

} // namespace

TEST(GetBunsuTest, SplitsTwoFractionsAndTheAnswer)
{
    const BunsuParts p = GetBunsu(QStringLiteral("1s1b2＋s1b3"), QStringLiteral("1s5b6"));
    EXPECT_EQ(p.bunsu1t, QStringLiteral("1"));
    EXPECT_EQ(p.bunsu1s, QStringLiteral("1"));
    EXPECT_EQ(p.bunsu1b, QStringLiteral("2"));
    EXPECT_EQ(p.bunsukigou, QStringLiteral("＋"));
    EXPECT_EQ(p.bunsu2t, QString());
    EXPECT_EQ(p.bunsu2s, QStringLiteral("1"));
    EXPECT_EQ(p.bunsu2b, QStringLiteral("3"));
    EXPECT_EQ(p.bunsukt, QStringLiteral("1"));
    EXPECT_EQ(p.bunsuks, QStringLiteral("5"));
    EXPECT_EQ(p.bunsukb, QStringLiteral("6"));
    EXPECT_EQ(p.bunsu1W, 0);
    EXPECT_EQ(p.bunsu2W, 0);
    EXPECT_EQ(p.bunsukW, 0);

    const BunsuParts q = GetBunsu(QStringLiteral("3s2b5÷2"), QStringLiteral("12"));
    EXPECT_EQ(q.bunsukigou, QStringLiteral("÷"));
    EXPECT_EQ(q.bunsu2t, QStringLiteral("2"));
    EXPECT_EQ(q.bunsukt, QStringLiteral("12"));
}

TEST(GetBunsuTest, KeepsTheQuirksOfItsStateMachine)
{
    // A whole first operand: the operator is not taken, and what follows is
    // read into the first operand.
    const BunsuParts a = GetBunsu(QStringLiteral("2＋1s1b3"), QString());
    EXPECT_EQ(a.bunsukigou, QString());
    EXPECT_EQ(a.bunsu1t, QStringLiteral("21"));
    EXPECT_EQ(a.bunsu1s, QStringLiteral("1"));
    EXPECT_EQ(a.bunsu1b, QStringLiteral("3"));
    EXPECT_EQ(a.bunsu2s, QString());

    // A second operator right after the first replaces it; one inside the
    // second operand is ignored.
    const BunsuParts b = GetBunsu(QStringLiteral("s1b2＋－3s1b4×5"), QString());
    EXPECT_EQ(b.bunsukigou, QStringLiteral("－"));
    EXPECT_EQ(b.bunsu2t, QStringLiteral("3"));
    EXPECT_EQ(b.bunsu2s, QStringLiteral("1"));
    EXPECT_EQ(b.bunsu2b, QStringLiteral("45"));

    // The answer keeps operators as characters and drops anything after a
    // second "s" or "b".
    const BunsuParts c = GetBunsu(QString(), QStringLiteral("－1s2b3s9b9"));
    EXPECT_EQ(c.bunsukt, QStringLiteral("－1"));
    EXPECT_EQ(c.bunsuks, QStringLiteral("2"));
    EXPECT_EQ(c.bunsukb, QStringLiteral("3"));

    const BunsuParts empty = GetBunsu(QString(), QString());
    EXPECT_EQ(empty.bunsu1t, QString());
    EXPECT_EQ(empty.bunsukb, QString());
}

TEST_F(MetricsTest, StringsAndTextRows)
{
    EXPECT_EQ(m.GetMojiH(QStringLiteral("abc")), 20);
    EXPECT_GT(w(QStringLiteral("あいう")), w(QStringLiteral("あ")));

    RAData t;
    t.Syu = QStringLiteral("1");
    t.FontName = QStringLiteral("ＭＳ ゴシック");
    t.FontSize = 30;
    t.Siki = QStringLiteral("ab\r\nabcdef\r\nc");
    const int width = m.GetMojiWidth(t);
    EXPECT_EQ(m.Font().cellHeight, 30); // the row set the measuring font
    EXPECT_EQ(width, w(QStringLiteral("abcdef")));
    EXPECT_EQ(m.GetMojiHeight(t), 3 * 30);
    t.Siki = QStringLiteral("single");
    EXPECT_EQ(m.GetMojiHeight(t), 30);
}

TEST_F(MetricsTest, ColumnArithmeticRows)
{
    // "12.3+6.14+4" as the expression tool stores it.
    RAData add = mathRow(1, 0);
    add.HissanSiki = QStringLiteral("123 +614+4  ");
    add.HissanKotae = QStringLiteral("2244");
    add.Kotae = QStringLiteral("22.44");
    const int plus = m.GetMojiW(QStringLiteral("＋"));
    EXPECT_EQ(m.GetMojiWidth(add), std::max(5 * plus, w(QStringLiteral("22.44"))));
    EXPECT_EQ(m.GetMojiHeight(add), 20 * 4);

    RAData mul = mathRow(1, 2);
    mul.HissanSiki = QStringLiteral("35*63");
    mul.HissanKotae = QStringLiteral("105_210 _2205");
    mul.Kotae = QStringLiteral("2205");
    const int times = w(QStringLiteral("×"));
    EXPECT_EQ(m.GetMojiWidth(mul), std::max({3 * times, w(QStringLiteral("2205")), 4 * times}));
    EXPECT_EQ(m.GetMojiHeight(mul), 20 * 5);
    mul.HissanKotae = QStringLiteral("63"); // a one-digit factor: the product alone
    EXPECT_EQ(m.GetMojiHeight(mul), 3 * 20);

    // "75/4": width from the dividend and divisor, height from the rows.
    RAData div = mathRow(1, 3);
    div.HissanSiki = QStringLiteral("75/4");
    div.HissanKotae = QStringLiteral("  _4_18_4 _35_32_ 3");
    EXPECT_EQ(m.GetMojiWidth(div), plus * 4);
    EXPECT_EQ(m.GetMojiHeight(div), 20 * 6);
    // Damaged layouts measure without reading past their pieces.
    div.HissanSiki = QStringLiteral("75");
    div.HissanKotae = QString();
    EXPECT_EQ(m.GetMojiWidth(div), 0 + plus * 1);
    EXPECT_EQ(m.GetMojiHeight(div), 0);

    EXPECT_EQ(m.GetMojiWidth(mathRow(2, 0)), 0);
    EXPECT_EQ(m.GetMojiHeight(mathRow(2, 0)), 0);
}

TEST_F(MetricsTest, FitToContent)
{
    QVector<RAData> rows(6);
    rows[0].Syu = QStringLiteral("1");
    rows[0].FontName = QStringLiteral("ＭＳ ゴシック");
    rows[0].FontSize = 20;
    rows[0].Siki = QStringLiteral("abc\r\na");
    rows[1] = mathRow(0, 0);
    rows[1].Siki = QStringLiteral("3+4");
    rows[1].Kotae = QStringLiteral("7");
    rows[2] = mathRow(2, 0);
    rows[2].Siki = QStringLiteral("1s1b2+s1b3");
    rows[2].Kotae = QStringLiteral("s5b6");
    rows[3] = mathRow(3, 0);
    rows[3].X1 = 150;
    rows[3].Y1 = 120;
    rows[3].Width = 50;
    rows[3].Height = 33;
    rows[4].Syu = QStringLiteral("4");
    rows[4].Width = 7;
    rows[4].Height = 9;
    rows[5] = rows[0];

    const FrameResize resize{QRect(100, 100, 100, 50), QRect(100, 100, 150, 75)};
    m.FitToContent(rows, {0, 1, 2, 3, 4, 17, -1}, &resize);
    EXPECT_EQ(rows[0].Width, w(QStringLiteral("abc")));
    EXPECT_EQ(rows[0].Height, 40);
    EXPECT_EQ(rows[1].Width, w(QStringLiteral("3＋4＝")) + w(QStringLiteral("7")));
    EXPECT_EQ(rows[1].Height, 20);
    EXPECT_EQ(rows[2].Width, w(QStringLiteral("1a2a＋a3a＝a6a")));
    EXPECT_EQ(rows[2].Height, 40);
    EXPECT_EQ(rows[3].X1, 175);    // 100 + 50 x 1.5
    EXPECT_EQ(rows[3].Y1, 130);    // 100 + 20 x 1.5
    EXPECT_EQ(rows[3].Width, 75);
    EXPECT_EQ(rows[3].Height, 49); // Trunc(49.5)
    EXPECT_EQ(rows[4].Width, 7);
    EXPECT_EQ(rows[4].Height, 9);
    EXPECT_EQ(rows[5].Width, 0); // not listed

    // Without a resize, word problems keep their box.
    m.FitToContent(rows, {3});
    EXPECT_EQ(rows[3].Width, 75);
}

TEST_F(MetricsTest, HorizontalExpressionIsMeasuredAsDrawn)
{
    // The page draws full-width signs: measured with the ASCII ones, two
    // or more operators left the answer cut off after a resize.
    QVector<RAData> rows{mathRow(0, 0)};
    rows[0].Siki = QStringLiteral("2.5*1.4-6/3");
    rows[0].Kotae = QStringLiteral("1.5");
    m.FitToContent(rows, {0});
    const int drawn = w(QStringLiteral("2.5×1.4－6÷3＝")) + w(QStringLiteral("1.5"));
    EXPECT_EQ(rows[0].Width, drawn);
    EXPECT_GT(drawn, w(QStringLiteral("2.5*1.4-6/3+＝1.5")));
    EXPECT_EQ(m.GetMojiWidth(rows[0]), drawn);
    // A text (kind 1) is still measured by its widest line.
    RAData text = rows[0];
    text.Syu = QStringLiteral("1");
    EXPECT_EQ(m.GetMojiWidth(text), w(QStringLiteral("2.5*1.4-6/3")));
}
