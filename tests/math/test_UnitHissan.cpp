// Column addition, subtraction and multiplication, and the row fields they
// fill. Expected layouts are worked out by hand from the column method.
#include "math/UnitHissan.h"
#include "math/UnitHissanKakezan.h"

#include "support/TestRandom.h"
#include <gtest/gtest.h>

namespace {

// A grid row with "." for every empty cell, so that empties, spaces and
// digits can all be told apart.
QString gridRow(const HissanGrid &g, int row)
{
    return g.text(row, 0, g.columnCount() - 1, u'.');
}

} // namespace

TEST(Tasizan, AlignsDecimalPointsWithSpaces)
{
    TFormHissan e;
    ASSERT_TRUE(e.Tasizan("12.3+6.14+4"));
    const RHissanResult &r = e.result();
    ASSERT_EQ(r.operands.size(), 4);
    EXPECT_EQ(r.operands[0], (RHissanOperand{"12.3", 1, "123 ", 2}));
    EXPECT_EQ(r.operands[1], (RHissanOperand{"6.14", 2, "614", 2}));
    EXPECT_EQ(r.operands[2], (RHissanOperand{"4", 0, "4  ", 0}));
    EXPECT_EQ(r.operands[3], (RHissanOperand{"22.44", 2, "2244", 2}));
    EXPECT_EQ(r.kotaeDigits, "2244");
    EXPECT_EQ(r.kotaeSyo, 2);
    EXPECT_EQ(r.kotaeZero, 0);
    EXPECT_EQ(r.width, 5);
    ASSERT_EQ(r.grid.rowCount(), 4);
    EXPECT_EQ(gridRow(r.grid, 0), ".123 ");
    EXPECT_EQ(gridRow(r.grid, 1), "..614");
    EXPECT_EQ(gridRow(r.grid, 2), "..4  ");
    EXPECT_EQ(gridRow(r.grid, 3), ".2244");

    RAData row;
    ASSERT_TRUE(e.fillRow(row));
    EXPECT_EQ(row.Siki, "12.3+6.14+4");
    EXPECT_EQ(row.Kotae, "22.44");
    EXPECT_EQ(row.HissanSiki, "123 +614+4  ");
    EXPECT_EQ(row.HissanKotae, "2244");
    EXPECT_EQ(row.SikiSyo, "2_2_0");
    EXPECT_EQ(row.KotaeSyo, 2);
    EXPECT_EQ(row.KotaeZero, 0);
    EXPECT_EQ(row.Siki1, 1);
    EXPECT_EQ(row.Siki2, 0);
}

TEST(Tasizan, SmallSumsGetLeadingZerosAndTrailingZerosAreCounted)
{
    TFormHissan e;
    ASSERT_TRUE(e.Tasizan("0.02+0.03"));
    EXPECT_EQ(e.result().kotaeDigits, "005");
    EXPECT_EQ(e.result().kotaeSyo, 2);
    EXPECT_EQ(e.result().kotaeZero, 0);
    EXPECT_EQ(e.result().width, 4);
    EXPECT_EQ(gridRow(e.result().grid, 2), ".005");

    ASSERT_TRUE(e.Tasizan("1.25+2.25"));
    EXPECT_EQ(e.result().kotaeDigits, "350");
    EXPECT_EQ(e.result().kotaeSyo, 2);
    EXPECT_EQ(e.result().kotaeZero, 1);

    // Both decimal places zero: 0.5 + 0.5 = 1.0, one place, one zero.
    ASSERT_TRUE(e.Tasizan("0.5+0.5"));
    EXPECT_EQ(e.result().kotaeDigits, "10");
    EXPECT_EQ(e.result().kotaeZero, 1);

    // Zeros of the whole part are not decimal zeros.
    ASSERT_TRUE(e.Tasizan("60+40"));
    EXPECT_EQ(e.result().kotaeDigits, "100");
    EXPECT_EQ(e.result().kotaeZero, 0);

    // 0.1 + 0.2 is not 0.30000000000000004 in a grid.
    ASSERT_TRUE(e.Tasizan("0.1+0.2"));
    EXPECT_EQ(e.result().kotaeDigits, "03");
}

TEST(Tasizan, LongOperandsAddExactly)
{
    TFormHissan e;
    ASSERT_TRUE(e.Tasizan("99999999999999999+1"));
    EXPECT_EQ(e.result().kotaeDigits, "100000000000000000");
    EXPECT_EQ(e.result().width, 18);
}

TEST(Hikizan, SubtractsEveryLaterOperandWithBorrow)
{
    TFormHissan e;
    ASSERT_TRUE(e.Hikizan("72.3-6.14-4"));
    EXPECT_EQ(e.result().answer, "62.16");
    EXPECT_EQ(e.result().kotaeDigits, "6216");
    EXPECT_EQ(e.result().kotaeSyo, 2);
    RAData row;
    ASSERT_TRUE(e.fillRow(row));
    EXPECT_EQ(row.HissanSiki, "723 -614-4  ");
    EXPECT_EQ(row.HissanKotae, "6216");
    EXPECT_EQ(row.SikiSyo, "2_2_0");
    EXPECT_EQ(row.Kotae, "62.16");
    EXPECT_EQ(row.Siki2, 1);

    ASSERT_TRUE(e.Hikizan("1000-1"));
    EXPECT_EQ(e.result().kotaeDigits, "999");
    EXPECT_EQ(e.result().width, 5);
    EXPECT_EQ(gridRow(e.result().grid, 1), "....1");
    EXPECT_EQ(gridRow(e.result().grid, 2), "..999");

    ASSERT_TRUE(e.Hikizan("5.2-3.75"));
    EXPECT_EQ(e.result().kotaeDigits, "145");
    EXPECT_EQ(e.result().operands[0].digits, "52 ");
}

TEST(Hikizan, DifferenceBelowOneKeepsADigitBeforeThePoint)
{
    TFormHissan e;
    ASSERT_TRUE(e.Hikizan("1.05-1"));
    EXPECT_EQ(e.result().kotaeDigits, "005");
    EXPECT_EQ(e.result().kotaeSyo, 2);

    ASSERT_TRUE(e.Hikizan("2.5-1.5"));
    EXPECT_EQ(e.result().kotaeDigits, "10");
    EXPECT_EQ(e.result().kotaeZero, 1);

    // A column subtraction takes the smaller number from the larger: a
    // negative difference has no layout and no row is filled.
    for (const char *negative : {"3-5", "10-20", "1-0.5-0.6", "0.1-0.10001"}) {
        EXPECT_FALSE(e.Hikizan(negative)) << negative;
        EXPECT_EQ(e.result().status, HissanStatus::NegativeDifference) << negative;
        EXPECT_TRUE(e.result().kotaeDigits.isEmpty());
        RAData row;
        EXPECT_FALSE(e.fillRow(row));
        EXPECT_TRUE(row.HissanSiki.isEmpty());
    }
    RAData row;
    EXPECT_EQ(SetHissanRow(row, "10-20"), HissanStatus::NegativeDifference);
    EXPECT_TRUE(row.Kotae.isEmpty());
    EXPECT_FALSE(HissanStatusText(HissanStatus::NegativeDifference).isEmpty());
    ASSERT_TRUE(e.Hikizan("5-5"));
    EXPECT_EQ(e.result().kotaeDigits, "0");
}

TEST(Hissan, AnswersAreExactDecimals)
{
    // The answer text of the column engines has no floating leftovers.
    TFormHissan e;
    ASSERT_TRUE(e.Hikizan("615.2-614"));
    EXPECT_EQ(e.result().answer, "1.2");
    RAData row;
    ASSERT_TRUE(e.fillRow(row));
    EXPECT_EQ(row.Kotae, "1.2");
    ASSERT_TRUE(e.Hikizan("4.7-4.1"));
    EXPECT_EQ(e.result().answer, "0.6");
    ASSERT_TRUE(e.Tasizan("0.1+0.2+100.7"));
    EXPECT_EQ(e.result().answer, "101");
    TFormHissanKakezan k;
    ASSERT_TRUE(k.Kakezan("77.9*6"));
    EXPECT_EQ(k.result().answer, "467.4");
    ASSERT_TRUE(k.Kakezan("1.1*1.1"));
    EXPECT_EQ(k.result().answer, "1.21");
    ASSERT_TRUE(k.fillRow(row));
    EXPECT_EQ(row.Kotae, "1.21");
}

TEST(Tasizan, BadOperandsCountAsZeroWithoutFailing)
{
    TFormHissan e;
    ASSERT_TRUE(e.Tasizan("abc+1"));
    EXPECT_EQ(e.result().kotaeDigits, "1");
    ASSERT_TRUE(e.Tasizan("-a+1"));
    EXPECT_EQ(e.result().kotaeDigits, "1");
    ASSERT_TRUE(e.Tasizan("1+"));
    EXPECT_EQ(e.result().kotaeDigits, "1");

    EXPECT_FALSE(e.Tasizan(""));
    EXPECT_EQ(e.result().status, HissanStatus::Empty);
    RAData row;
    EXPECT_FALSE(e.fillRow(row));
    EXPECT_EQ(row, RAData{});

    EXPECT_FALSE(e.Tasizan(QString(2000, u'1')));
    EXPECT_EQ(e.result().status, HissanStatus::TooLarge);
}

TEST(Kakezan, PartialProductsShiftOnePlacePerDigit)
{
    TFormHissanKakezan e;
    ASSERT_TRUE(e.Kakezan("35*63"));
    const RKakezanResult &r = e.result();
    EXPECT_EQ(r.partials, (QStringList{"105", "210 "}));
    EXPECT_EQ(r.kotaeDigits, "2205");
    EXPECT_EQ(r.width, 4);
    ASSERT_EQ(r.grid.rowCount(), 5);
    EXPECT_EQ(gridRow(r.grid, 0), "..35");
    EXPECT_EQ(gridRow(r.grid, 1), "..63");
    EXPECT_EQ(gridRow(r.grid, 2), ".105");
    EXPECT_EQ(gridRow(r.grid, 3), "210 ");
    EXPECT_EQ(gridRow(r.grid, 4), "2205");

    RAData row;
    ASSERT_TRUE(e.fillRow(row));
    EXPECT_EQ(row.HissanSiki, "35*63");
    EXPECT_EQ(row.HissanKotae, "105_210 _2205");
    EXPECT_EQ(row.SikiSyo, "0_0");
    EXPECT_EQ(row.Kotae, "2205");
    EXPECT_EQ(row.KotaeSyo, 0);
    EXPECT_EQ(row.KotaeZero, 0);
    EXPECT_EQ(row.Siki2, 2);

    // A zero digit gives the partial product "0".
    ASSERT_TRUE(e.Kakezan("12*105"));
    EXPECT_EQ(e.result().partials, (QStringList{"60", "0 ", "12  "}));
    EXPECT_EQ(e.result().kotaeDigits, "1260");

    // A one-digit factor 2: the product alone.
    ASSERT_TRUE(e.Kakezan("123*4"));
    EXPECT_TRUE(e.result().partials.isEmpty());
    EXPECT_EQ(e.result().grid.rowCount(), 3);
    ASSERT_TRUE(e.fillRow(row));
    EXPECT_EQ(row.HissanKotae, "492");
}

TEST(Kakezan, LeadingZerosOfAFactorBelowOneAreNoMultiplierDigits)
{
    // One product row, its trailing zero struck, as textbooks write it.
    TFormHissanKakezan e;
    for (const char *single : {"0.6*0.5", "2.3*0.4", "0.5*0.4", "12*0.05", "0.6*0.005"}) {
        ASSERT_TRUE(e.Kakezan(single)) << single;
        EXPECT_TRUE(e.result().partials.isEmpty()) << single;
        EXPECT_EQ(e.result().grid.rowCount(), 3) << single;
    }
    ASSERT_TRUE(e.Kakezan("0.6*0.5"));
    EXPECT_EQ(e.result().kotaeDigits, "030");
    EXPECT_EQ(e.result().kotaeSyo, 2);
    EXPECT_EQ(e.result().kotaeZero, 1);
    EXPECT_EQ(e.result().answer, "0.3");
    RAData row;
    ASSERT_TRUE(e.fillRow(row));
    EXPECT_EQ(row.HissanKotae, "030");
    EXPECT_EQ(row.HissanSiki, "06*05");
    EXPECT_EQ(row.KotaeZero, 1);

    // Digits of the multiplier keep their partial products, a zero inside
    // the multiplier included.
    ASSERT_TRUE(e.Kakezan("2.4*1.5"));
    EXPECT_EQ(e.result().partials, (QStringList{"120", "24 "}));
    ASSERT_TRUE(e.Kakezan("2.4*0.15"));
    EXPECT_EQ(e.result().partials, (QStringList{"120", "24 "}));
    ASSERT_TRUE(e.Kakezan("3*1.05"));
    EXPECT_EQ(e.result().partials, (QStringList{"15", "0 ", "3  "}));
}

TEST(Kakezan, DecimalsAndTrailingZerosOfTheProduct)
{
    TFormHissanKakezan e;
    ASSERT_TRUE(e.Kakezan("12.5*3.4"));
    EXPECT_EQ(e.result().partials, (QStringList{"500", "375 "}));
    EXPECT_EQ(e.result().kotaeDigits, "4250");
    EXPECT_EQ(e.result().kotaeSyo, 2);
    EXPECT_EQ(e.result().kotaeZero, 1);
    RAData row;
    ASSERT_TRUE(e.fillRow(row));
    EXPECT_EQ(row.HissanSiki, "125*34");
    EXPECT_EQ(row.HissanKotae, "500_375 _4250");
    EXPECT_EQ(row.SikiSyo, "1_1");
    EXPECT_EQ(row.Kotae, "42.5");

    // 0.5 x 0.2 = 0.10: leading zero up to the decimals + 1, one trailing zero.
    ASSERT_TRUE(e.Kakezan("0.5*0.2"));
    EXPECT_EQ(e.result().kotaeDigits, "010");
    EXPECT_EQ(e.result().kotaeSyo, 2);
    EXPECT_EQ(e.result().kotaeZero, 1);
    EXPECT_TRUE(e.result().partials.isEmpty());
    EXPECT_EQ(e.result().width, 3);

    ASSERT_TRUE(e.Kakezan("0.25*4"));
    EXPECT_EQ(e.result().kotaeDigits, "100");
    EXPECT_EQ(e.result().kotaeZero, 2);

    ASSERT_TRUE(e.Kakezan("0.02*0.3"));
    EXPECT_EQ(e.result().kotaeDigits, "0006");
    EXPECT_EQ(e.result().kotaeSyo, 3);
}

TEST(Kakezan, LongFactorsMultiplyExactly)
{
    TFormHissanKakezan e;
    ASSERT_TRUE(e.Kakezan("123456789012*987654321098"));
    EXPECT_EQ(e.result().kotaeDigits, "121932631136585886175176");
    ASSERT_EQ(e.result().partials.size(), 12);
    EXPECT_EQ(e.result().partials.front(), "987654312096");
    EXPECT_EQ(e.result().partials.back(), "1111111101108" + QString(11, u' '));
}

TEST(Kakezan, MissingOrBadFactors)
{
    TFormHissanKakezan e;
    EXPECT_FALSE(e.Kakezan("35"));
    EXPECT_EQ(e.result().status, HissanStatus::MissingOperand);
    ASSERT_TRUE(e.Kakezan("-a*3"));
    EXPECT_EQ(e.result().kotaeDigits, "0");
    // Only the first two factors are laid out.
    ASSERT_TRUE(e.Kakezan("2*3*4"));
    EXPECT_EQ(e.result().kotaeDigits, "6");
}

TEST(HissanSyu, PicksTheOperationOfPlainNumberExpressions)
{
    EXPECT_EQ(HissanSyu("12.3+6.14+4"), 0);
    EXPECT_EQ(HissanSyu("72.3-6.14-4"), 1);
    EXPECT_EQ(HissanSyu("35*63"), 2);
    EXPECT_EQ(HissanSyu("75/4"), 3);
    EXPECT_EQ(HissanSyu("5-3+2"), -1);   // two kinds of operator
    EXPECT_EQ(HissanSyu("-5+3"), -1);    // a sign
    EXPECT_EQ(HissanSyu("1a+2"), -1);    // a letter
    EXPECT_EQ(HissanSyu("12"), -1);      // no operator
    EXPECT_EQ(HissanSyu("2*3*4"), -1);   // a third factor would be left out
    EXPECT_EQ(HissanSyu("8/4/2"), -1);
    EXPECT_EQ(HissanSyu(""), -1);
}

TEST(SetHissanRow, FillsTheRowOrLeavesItAlone)
{
    RAData row;
    row.FontName = "ＭＳ ゴシック";
    row.AmariSyo = 4; // left from an earlier division
    EXPECT_EQ(SetHissanRow(row, "12.3+6.14+4"), HissanStatus::Ok);
    EXPECT_EQ(row.HissanSiki, "123 +614+4  ");
    EXPECT_EQ(row.AmariSyo, 0);
    EXPECT_EQ(row.FontName, "ＭＳ ゴシック");

    EXPECT_EQ(SetHissanRow(row, "35*63"), HissanStatus::Ok);
    EXPECT_EQ(row.HissanKotae, "105_210 _2205");
    EXPECT_EQ(row.Siki2, 2);

    const RAData before = row;
    EXPECT_EQ(SetHissanRow(row, "75/0"), HissanStatus::ZeroDivisor);
    EXPECT_EQ(SetHissanRow(row, "5-3+2"), HissanStatus::NotColumn);
    EXPECT_EQ(SetHissanRow(row, ""), HissanStatus::Empty);
    EXPECT_EQ(row, before);
    EXPECT_FALSE(HissanStatusText(HissanStatus::ZeroDivisor).isEmpty());
}

TEST(HissanGrid, ReadsAndWritesOutsideTheGridAreHarmless)
{
    HissanGrid g;
    g.reset(2, 3);
    g.writeRight(0, "12345", 2); // only the last three characters fit
    EXPECT_EQ(gridRow(g, 0), "345");
    g.set(5, 5, u'9');
    g.set(-1, 0, u'9');
    EXPECT_TRUE(g.isEmpty(7, -2));
    EXPECT_EQ(g.cell(1, 1), QString());
    g.appendColumn();
    EXPECT_EQ(gridRow(g, 0), "345.");
    g.removeLastRows(5);
    EXPECT_EQ(g.rowCount(), 0);
}

namespace {
// value x 10^6 of a plain decimal text
__int128 scaled6(const QString &text)
{
    const QStringList parts = text.split(u'.');
    __int128 v = 0;
    for (QChar c : parts.at(0))
        v = v * 10 + (c.unicode() - u'0');
    const QString frac = (parts.size() > 1 ? parts.at(1) : QString()).leftJustified(6, u'0');
    for (QChar c : frac)
        v = v * 10 + (c.unicode() - u'0');
    return v;
}
// value x 10^6 of answer digits with the given decimal places
__int128 digitsValue(const QString &digits, int syosu)
{
    __int128 v = 0;
    for (QChar c : digits)
        v = v * 10 + (c.unicode() - u'0');
    for (int i = syosu; i < 6; ++i)
        v *= 10;
    return v;
}
} // namespace

TEST(Hissan, AnswerDigitsMatchTheExactValue)
{
    TestRandom rnd(77);
    auto next = [&](int lo, int hi) { return rnd.between(lo, hi); };
    auto number = [&](int maxWhole) { return rnd.decimal(maxWhole); };
    TFormHissan add;
    TFormHissanKakezan mul;
    for (int i = 0; i < 300; ++i) {
        const QString a = number(999), b = number(999), c = number(99);
        ASSERT_TRUE(add.Tasizan(a + u'+' + b + u'+' + c));
        const RHissanResult &s = add.result();
        EXPECT_TRUE(digitsValue(s.kotaeDigits, s.kotaeSyo) == scaled6(a) + scaled6(b) + scaled6(c))
            << (a + u'+' + b + u'+' + c).toStdString();
        EXPECT_GE(s.kotaeDigits.size(), s.kotaeSyo + 1);

        // Larger first operand, so the difference stays positive.
        const QString big = QString::number(next(2000, 9999));
        ASSERT_TRUE(add.Hikizan(big + u'-' + a + u'-' + c));
        EXPECT_TRUE(digitsValue(add.result().kotaeDigits, add.result().kotaeSyo) ==
                    scaled6(big) - scaled6(a) - scaled6(c))
            << (big + u'-' + a + u'-' + c).toStdString();
        EXPECT_GE(add.result().kotaeDigits.size(), add.result().kotaeSyo + 1);

        ASSERT_TRUE(mul.Kakezan(a + u'*' + b));
        const RKakezanResult &m = mul.result();
        EXPECT_TRUE(digitsValue(m.kotaeDigits, m.kotaeSyo) == scaled6(a) * scaled6(b) / 1000000)
            << (a + u'*' + b).toStdString();
        EXPECT_GE(m.kotaeDigits.size(), m.kotaeSyo + 1);
        EXPECT_LE(m.kotaeZero, m.kotaeSyo);
    }
}

TEST(Hissan, ArbitraryTextNeverBreaksTheEngines)
{
    TestRandom rnd(5);
    auto next = [&](int n) { return rnd.below(n); };
    const QString alphabet = QStringLiteral("0123456789012345.+-*/a ");
    auto onlyDigitsAfterSign = [](const QString &s) {
        for (qsizetype i = 0; i < s.size(); ++i)
            if (!(s.at(i).isDigit() || (i == 0 && s.at(i) == u'-')))
                return false;
        return !s.isEmpty();
    };
    TFormHissan add;
    TFormHissanKakezan mul;
    for (int i = 0; i < 3000; ++i) {
        QString text;
        const int length = next(40);
        for (int k = 0; k < length; ++k)
            text += alphabet.at(next(int(alphabet.size())));

        if (add.Tasizan(text)) {
            EXPECT_TRUE(onlyDigitsAfterSign(add.result().kotaeDigits)) << text.toStdString();
            EXPECT_EQ(add.result().grid.columnCount(), add.result().width);
        }
        if (add.Hikizan(text)) {
            EXPECT_TRUE(onlyDigitsAfterSign(add.result().kotaeDigits)) << text.toStdString();
        }
        if (mul.Kakezan(text)) {
            EXPECT_TRUE(onlyDigitsAfterSign(mul.result().kotaeDigits)) << text.toStdString();
        }
        RAData row;
        if (SetHissanRow(row, text) == HissanStatus::Ok) {
            EXPECT_EQ(row.Siki, text);
        }
    }
}
