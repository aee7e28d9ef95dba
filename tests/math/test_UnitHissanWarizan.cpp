// Long division: the division grid, the moved decimal point, quotient and
// remainder with their decimal places, the step operations and the row
// fields. Expected layouts are worked out by hand.
#include "math/UnitHissanWarizan.h"

#include "support/TestRandom.h"
#include <gtest/gtest.h>

namespace {

QString gridRow(const HissanGrid &g, int row)
{
    return g.text(row, 0, g.columnCount() - 1, u'.');
}

RAData filled(const TFormHissanWarizan &e)
{
    RAData row;
    EXPECT_TRUE(e.fillRow(row));
    return row;
}

} // namespace

TEST(Warizan, SeventyFiveByFour)
{
    TFormHissanWarizan e;
    ASSERT_TRUE(e.Warizan("75/4"));
    const RWarizanResult &r = e.result();
    EXPECT_EQ(r.quotient, "18");
    EXPECT_EQ(r.remainder, "3");
    EXPECT_EQ(r.quotientSyo, 0);
    EXPECT_EQ(r.remainderSyo, 0);
    EXPECT_EQ(r.problemDividend, "75");
    EXPECT_EQ(r.answerDividend, "  ");
    EXPECT_EQ(r.divisorDigits, "4");
    ASSERT_EQ(r.grid.rowCount(), 6);
    EXPECT_EQ(gridRow(r.grid, 0), ".18");
    EXPECT_EQ(gridRow(r.grid, 1), ".75");
    EXPECT_EQ(gridRow(r.grid, 2), ".4.");
    EXPECT_EQ(gridRow(r.grid, 3), ".35");
    EXPECT_EQ(gridRow(r.grid, 4), ".32");
    EXPECT_EQ(gridRow(r.grid, 5), "..3");
    EXPECT_EQ(e.workRows(), (QStringList{"4 ", "35", "32", " 3"}));

    const RAData row = filled(e);
    EXPECT_EQ(row.Siki, "75/4");
    EXPECT_EQ(row.Kotae, "18...3");
    EXPECT_EQ(row.HissanSiki, "75/4");
    EXPECT_EQ(row.HissanKotae, "  _4_18_4 _35_32_ 3");
    EXPECT_EQ(row.SikiSyo, "0_0");
    EXPECT_EQ(row.KaiSikiSyo, 0);
    EXPECT_EQ(row.KotaeSyo, 0);
    EXPECT_EQ(row.AmariSyo, 0);
    EXPECT_EQ(row.Siki1, 1);
    EXPECT_EQ(row.Siki2, 3);
}

TEST(Warizan, ZeroRemainderIsEmptiedToASingleZero)
{
    TFormHissanWarizan e;
    ASSERT_TRUE(e.Warizan("8/2"));
    EXPECT_EQ(e.result().remainder, "0");
    EXPECT_EQ(e.workRows(), (QStringList{"8", "0"}));
    EXPECT_EQ(filled(e).Kotae, "4...0");
    EXPECT_EQ(filled(e).HissanKotae, " _2_4_8_0");

    // 84/4: the remainder 0 of the first step is not written, the 4 is
    // brought down on its own.
    ASSERT_TRUE(e.Warizan("84/4"));
    EXPECT_EQ(e.workRows(), (QStringList{"8 ", " 4", " 4", " 0"}));
    EXPECT_EQ(e.result().quotient, "21");
}

TEST(Warizan, DecimalPointMovedOutOfTheDivisor)
{
    TFormHissanWarizan e;
    // One decimal place of the divisor uses up the dividend's.
    ASSERT_TRUE(e.Warizan("7.5/2.5"));
    EXPECT_EQ(e.result().quotient, "3");
    EXPECT_EQ(e.result().remainder, "0");
    EXPECT_EQ(e.result().remainderSyo, 0);
    EXPECT_EQ(e.result().answerDividendSyo, 0);
    RAData row = filled(e);
    EXPECT_EQ(row.HissanSiki, "75/25");
    EXPECT_EQ(row.HissanKotae, "  _25_3_75_ 0");
    EXPECT_EQ(row.SikiSyo, "1_1");
    EXPECT_EQ(row.KaiSikiSyo, 0);
    EXPECT_EQ(row.Kotae, "3...0");

    // The dividend has too few decimal places: two zeros are appended.
    ASSERT_TRUE(e.Warizan("3/0.25"));
    EXPECT_EQ(e.result().workDividend, "300");
    EXPECT_EQ(e.result().problemDividend, "3  ");
    EXPECT_EQ(e.result().answerDividend, " 00");
    EXPECT_EQ(e.result().divisorDigits, "025");
    EXPECT_EQ(e.result().quotient, "12");
    row = filled(e);
    EXPECT_EQ(row.HissanSiki, "3  /025");
    EXPECT_EQ(row.HissanKotae, " 00_025_12_25 _ 50_ 50_  0");
    EXPECT_EQ(row.SikiSyo, "0_2");
    EXPECT_EQ(row.Kotae, "12...0");

    // A dividend with decimals keeps its point; appended zeros move it.
    ASSERT_TRUE(e.Warizan("0.3/0.25"));
    EXPECT_EQ(e.result().problemDividend, "03 ");
    EXPECT_EQ(e.result().problemDividendSyo, 2);
    EXPECT_EQ(e.result().answerDividend, "  0");
    EXPECT_EQ(e.result().answerDividendSyo, 0);
    EXPECT_EQ(e.result().quotient, "1");
    EXPECT_EQ(e.result().remainder, "005");
    EXPECT_EQ(e.result().remainderSyo, 2);
    EXPECT_EQ(filled(e).Kotae, "1...0.05");
}

TEST(Warizan, DecimalDividendGivesDecimalQuotientAndRemainder)
{
    TFormHissanWarizan e;
    ASSERT_TRUE(e.Warizan("7.5/2"));
    EXPECT_EQ(e.result().quotient, "37");
    EXPECT_EQ(e.result().quotientSyo, 1);
    EXPECT_EQ(e.result().remainder, "01");
    EXPECT_EQ(e.result().remainderSyo, 1);
    RAData row = filled(e);
    EXPECT_EQ(row.HissanKotae, "  _2_37_6 _15_14_01");
    EXPECT_EQ(row.SikiSyo, "1_0");
    EXPECT_EQ(row.KaiSikiSyo, 1);
    EXPECT_EQ(row.KotaeSyo, 1);
    EXPECT_EQ(row.AmariSyo, 1);
    EXPECT_EQ(row.Kotae, "3.7...0.1");

    // Leading quotient zeros up to the decimals + 1: 1.5 / 5 = 0.3.
    ASSERT_TRUE(e.Warizan("1.5/5"));
    EXPECT_EQ(e.result().quotient, "03");
    EXPECT_EQ(e.result().quotientSyo, 1);
    EXPECT_EQ(filled(e).HissanKotae, "  _5_03_15_ 0");
    EXPECT_EQ(filled(e).Kotae, "0.3...0");

    // ".5" gets its ones digit, so the quotient has a cell before the point.
    ASSERT_TRUE(e.Warizan(".5/2"));
    EXPECT_EQ(e.result().workDividend, "05");
    EXPECT_EQ(e.result().quotient, "02");
    EXPECT_EQ(e.result().remainder, "01");
}

TEST(Warizan, DividendSmallerThanDivisorHasNoSteps)
{
    TFormHissanWarizan e;
    ASSERT_TRUE(e.Warizan("3/4"));
    EXPECT_EQ(e.result().grid.rowCount(), 2);
    EXPECT_EQ(e.result().quotient, "0");
    EXPECT_EQ(e.result().remainder, "3");
    EXPECT_EQ(filled(e).HissanKotae, " _4_0");
    EXPECT_EQ(filled(e).Kotae, "0...3");

    // A zero dividend: the dividend row is not emptied.
    ASSERT_TRUE(e.Warizan("0.00/4"));
    EXPECT_EQ(gridRow(e.result().grid, 1), ".000");
    EXPECT_EQ(e.result().remainder, "0");
    EXPECT_EQ(e.result().remainderSyo, 0);
}

TEST(Warizan, DivisorWithoutDigitsGivesNoLayout)
{
    TFormHissanWarizan e;
    EXPECT_FALSE(e.Warizan("75/0"));
    EXPECT_EQ(e.result().status, HissanStatus::ZeroDivisor);
    EXPECT_FALSE(e.Warizan("75/0.00"));
    EXPECT_EQ(e.result().status, HissanStatus::ZeroDivisor);
    EXPECT_FALSE(e.Warizan("75/x"));
    EXPECT_EQ(e.result().status, HissanStatus::ZeroDivisor);
    EXPECT_FALSE(e.WarizanNext());
    EXPECT_FALSE(e.WarizanBack());
    RAData row;
    EXPECT_FALSE(e.fillRow(row));
    EXPECT_EQ(row, RAData{});
    EXPECT_TRUE(e.kotae().isEmpty());

    EXPECT_FALSE(e.Warizan("75"));
    EXPECT_EQ(e.result().status, HissanStatus::MissingOperand);
    EXPECT_FALSE(e.Warizan(QString(70, u'9') + "/7"));
    EXPECT_EQ(e.result().status, HissanStatus::TooLarge);
    EXPECT_FALSE(e.Warizan("5/" + QString(20, u'9')));
    EXPECT_EQ(e.result().status, HissanStatus::TooLarge);
}

TEST(WarizanNext, CarriesTheQuotientOneDecimalPlaceFurther)
{
    TFormHissanWarizan e;
    ASSERT_TRUE(e.Warizan("75/4"));
    ASSERT_TRUE(e.WarizanNext());
    const RWarizanResult &r = e.result();
    EXPECT_EQ(r.quotient, "187");
    EXPECT_EQ(r.quotientSyo, 1);
    EXPECT_EQ(r.remainder, "02");
    EXPECT_EQ(r.remainderSyo, 1);
    EXPECT_EQ(r.problemDividend, "75 ");
    EXPECT_EQ(r.problemDividendSyo, 0);
    EXPECT_EQ(r.answerDividend, "  0");
    EXPECT_EQ(r.answerDividendSyo, 1);
    EXPECT_EQ(gridRow(r.grid, 1), ".750");
    RAData row = filled(e);
    EXPECT_EQ(row.HissanSiki, "75 /4");
    EXPECT_EQ(row.HissanKotae, "  0_4_187_4  _35 _32 _ 30_ 28_ 02");
    EXPECT_EQ(row.KaiSikiSyo, 1);
    EXPECT_EQ(row.KotaeSyo, 1);
    EXPECT_EQ(row.AmariSyo, 1);
    EXPECT_EQ(row.Kotae, "18.7...0.2");

    // Once more: 18.75, nothing left over.
    ASSERT_TRUE(e.WarizanNext());
    EXPECT_EQ(r.quotient, "1875");
    EXPECT_EQ(r.quotientSyo, 2);
    EXPECT_EQ(r.remainder, "0");
    EXPECT_EQ(r.remainderSyo, 0);
    row = filled(e);
    EXPECT_EQ(row.HissanKotae, "  00_4_1875_4   _35  _32  _ 30 _ 28 _  20_  20_   0");
    EXPECT_EQ(row.Kotae, "18.75...0");
}

TEST(WarizanNext, DividendRowKeepsItsZerosWhenNothingWasDividedYet)
{
    TFormHissanWarizan e;
    ASSERT_TRUE(e.Warizan("0.3/4"));
    EXPECT_EQ(e.result().quotient, "00");
    ASSERT_TRUE(e.WarizanNext());
    EXPECT_EQ(gridRow(e.result().grid, 1), ".030");
    EXPECT_EQ(e.result().quotient, "007");
    EXPECT_EQ(e.result().remainder, "002");
    EXPECT_EQ(e.kotae(), "0.07...0.02");

    ASSERT_TRUE(e.Warizan("3/4"));
    ASSERT_TRUE(e.WarizanNext());
    EXPECT_EQ(filled(e).HissanKotae, " 0_4_07_28_02");
    EXPECT_EQ(e.kotae(), "0.7...0.2");
}

TEST(WarizanBack, CutsTheQuotientBackToTheOnesPlace)
{
    TFormHissanWarizan e;
    ASSERT_TRUE(e.Warizan("75/4"));
    EXPECT_FALSE(e.WarizanBack()); // no decimal places to cut
    EXPECT_EQ(filled(e).HissanKotae, "  _4_18_4 _35_32_ 3");

    ASSERT_TRUE(e.WarizanNext());
    ASSERT_TRUE(e.WarizanBack());
    EXPECT_EQ(e.result().quotient, "18 ");
    EXPECT_EQ(e.result().quotientSyo, 0);
    EXPECT_EQ(e.result().remainder, " 30");
    EXPECT_EQ(e.result().remainderSyo, 1);
    RAData row = filled(e);
    EXPECT_EQ(row.HissanKotae, "  0_4_18 _4  _35 _32 _ 30");
    EXPECT_EQ(row.KaiSikiSyo, 1);
    EXPECT_EQ(row.KotaeSyo, 0);
    EXPECT_EQ(row.AmariSyo, 1);
    EXPECT_EQ(row.Kotae, "18...3.0");

    // The dividend's own decimals: 7.5 / 2 = 3 remainder 1.5.
    ASSERT_TRUE(e.Warizan("7.5/2"));
    ASSERT_TRUE(e.WarizanBack());
    EXPECT_EQ(e.workRows(), (QStringList{"6 ", "15"}));
    EXPECT_EQ(e.kotae(), "3...1.5");
}

TEST(WarizanBack, RemovesEveryDecimalStepAndBringsDownTheRest)
{
    TFormHissanWarizan e;
    // 7.25 / 2: back to 3 remainder 1.25, not 1.20.
    ASSERT_TRUE(e.Warizan("7.25/2"));
    EXPECT_EQ(e.kotae(), "3.62...0.01");
    ASSERT_TRUE(e.WarizanBack());
    EXPECT_EQ(e.workRows(), (QStringList{"6  ", "125"}));
    EXPECT_EQ(e.kotae(), "3...1.25");

    // After two further places, back goes all the way to 18 remainder 3.00.
    ASSERT_TRUE(e.Warizan("75/4"));
    ASSERT_TRUE(e.WarizanNext());
    ASSERT_TRUE(e.WarizanNext());
    const RAData twoPlaces = filled(e);
    ASSERT_TRUE(e.WarizanBack());
    EXPECT_EQ(filled(e).HissanKotae, "  00_4_18  _4   _35  _32  _ 300");
    EXPECT_EQ(e.kotae(), "18...3.00");
    EXPECT_EQ(e.result().remainderSyo, 2);

    // Carrying on again divides the cut columns once more, one at a time,
    // and ends in the same layout as before.
    ASSERT_TRUE(e.WarizanNext());
    EXPECT_EQ(e.result().quotient, "187 ");
    EXPECT_EQ(e.result().quotientSyo, 2);
    EXPECT_EQ(e.kotae(), "18.7...0.20");
    ASSERT_TRUE(e.WarizanNext());
    EXPECT_EQ(filled(e), twoPlaces);
}

namespace {

// value x 10^8 of a plain decimal text such as "18.75"
__int128 scaled(const QString &text)
{
    const QStringList parts = text.split(u'.');
    __int128 v = 0;
    for (QChar c : parts.at(0))
        v = v * 10 + (c.unicode() - u'0');
    QString frac = parts.size() > 1 ? parts.at(1) : QString();
    frac = frac.leftJustified(8, u'0');
    for (QChar c : frac)
        v = v * 10 + (c.unicode() - u'0');
    return v;
}

// quotient x divisor + remainder = dividend, and the remainder is smaller
// than the divisor times one unit of the quotient's last place.
void expectExactDivision(const TFormHissanWarizan &e, const QString &problem)
{
    const QStringList qr = e.kotae().split(QStringLiteral("..."));
    ASSERT_EQ(qr.size(), 2) << problem.toStdString();
    const __int128 q = scaled(qr.at(0));
    const __int128 r = scaled(qr.at(1));
    const __int128 divisor = scaled(e.result().divisor);
    const __int128 dividend = scaled(e.result().dividend);
    const __int128 unit = 1e8;
    EXPECT_TRUE(q * divisor / unit + r == dividend)
        << problem.toStdString() << " -> " << e.kotae().toStdString();
    // The quotient's own decimal places (while cut-back columns wait to be
    // divided again, quotientSyo counts from the grid's right end instead).
    const QStringList qParts = qr.at(0).split(u'.');
    __int128 place = unit;
    for (qsizetype i = 0; qParts.size() > 1 && i < qParts.at(1).size(); ++i)
        place /= 10;
    EXPECT_TRUE(r < divisor * place / unit) << problem.toStdString() << " -> "
                                            << e.kotae().toStdString();
    // The quotient and the remainder are written in digits and spaces only.
    for (QChar c : e.result().quotient + e.result().remainder)
        EXPECT_TRUE(c == u' ' || (c >= u'0' && c <= u'9')) << problem.toStdString();
}

} // namespace

TEST(Warizan, EveryStepLeavesAnExactDivision)
{
    TestRandom rnd(2024);
    auto number = [&](int maxWhole) { return rnd.decimal(maxWhole); };
    TFormHissanWarizan e;
    for (int i = 0; i < 400; ++i) {
        const QString problem = number(9999) + u'/' + number(99);
        if (!e.Warizan(problem)) {
            EXPECT_EQ(e.result().status, HissanStatus::ZeroDivisor) << problem.toStdString();
            continue;
        }
        expectExactDivision(e, problem);
        e.WarizanNext();
        expectExactDivision(e, problem + " next");
        e.WarizanNext();
        expectExactDivision(e, problem + " next next");
        e.WarizanBack();
        expectExactDivision(e, problem + " next next back");
        EXPECT_EQ(e.result().quotientSyo, 0);
        e.WarizanNext();
        expectExactDivision(e, problem + " next next back next");
    }
}

TEST(Warizan, ArbitraryTextNeverBreaksTheDivision)
{
    TestRandom rnd(9);
    auto next = [&](int n) { return rnd.below(n); };
    const QString alphabet = QStringLiteral("0123456789000.../a");
    TFormHissanWarizan e;
    for (int i = 0; i < 3000; ++i) {
        QString text;
        const int length = next(30);
        for (int k = 0; k < length; ++k)
            text += alphabet.at(next(int(alphabet.size())));
        if (!e.Warizan(text))
            continue;
        for (int step = next(6); step > 0; --step) {
            if (next(2) == 0)
                e.WarizanNext();
            else
                e.WarizanBack();
        }
        const RWarizanResult &r = e.result();
        const int n = int(r.workDividend.size());
        ASSERT_EQ(r.grid.columnCount(), n + 1) << text.toStdString();
        EXPECT_EQ(r.grid.text(1, 1, n), r.workDividend) << text.toStdString();
        EXPECT_EQ(r.answerDividend.size(), n);
        EXPECT_EQ(r.grid.rowCount() % 2, 0);
        EXPECT_FALSE(e.kotae().isEmpty());
    }
}
