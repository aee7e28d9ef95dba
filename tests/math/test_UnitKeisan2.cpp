#include "math/UnitKeisan2.h"
#include "platform/UnitNumText.h"
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output for texts (internal to this file).
static void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {
struct Fraction {
    QString whole, num, den;
};
Fraction frac(const QString &expression)
{
    TFormKeisan2 engine;
    const FKeisanResult r = engine.FKeisan(expression);
    EXPECT_EQ(r.result, r.whole) << expression.toStdString();
    EXPECT_TRUE(r.remainder.isEmpty());
    return Fraction{r.whole, r.numerator, r.denominator};
}
#define EXPECT_FRAC(expr, w, n, d)                                                                 \
    do {                                                                                           \
        const Fraction f_ = frac(expr);                                                            \
        EXPECT_EQ(f_.whole, w) << QString(expr).toStdString();                                                          \
        EXPECT_EQ(f_.num, n) << QString(expr).toStdString();                                                            \
        EXPECT_EQ(f_.den, d) << QString(expr).toStdString();                                                            \
    } while (0)
} // namespace

TEST(Keisan, ArithmeticInGeneralNumberFormat)
{
    EXPECT_EQ(Keisan("12.3+6.14+4"), "22.44");
    EXPECT_EQ(Keisan("2+3*4"), "14");
    EXPECT_EQ(Keisan("(2+3)*4"), "20");
    EXPECT_EQ(Keisan("10-4-3"), "3");
    EXPECT_EQ(Keisan("1-0.5"), "0.5");
    EXPECT_EQ(Keisan("-3+5"), "2");
    EXPECT_EQ(Keisan("2*-3"), "-6");
    EXPECT_EQ(Keisan("--4"), "4");
    EXPECT_EQ(Keisan(" 2 * ( 3 + 4 ) "), "14");
    EXPECT_EQ(Keisan("123456*98765"), "12193131840"); // eleven digits written out
    EXPECT_EQ(Keisan("0.1*3"), "0.3");
    EXPECT_EQ(Keisan(".5+5."), "5.5");
    EXPECT_EQ(Keisan(""), "");
}

TEST(Keisan, ArithmeticIsExactAndRoundsOnlyTheFinalValue)
{
    // Double precision left floating leftovers in these answers.
    EXPECT_EQ(Keisan("4.7-4.1"), "0.6");
    EXPECT_EQ(Keisan("100-99.9"), "0.1");
    EXPECT_EQ(Keisan("77.9*6-(46+415)"), "6.4");
    EXPECT_EQ(Keisan("0.1+0.2"), "0.3");
    EXPECT_EQ(Keisan("1.1*1.1"), "1.21");
    EXPECT_EQ(Keisan("615.2-614"), "1.2");
    EXPECT_EQ(Keisan("0.3-0.1-0.2"), "0");
    // Quotients are exact fractions, rounded once at the end to 15 digits.
    EXPECT_EQ(Keisan("(1)/3"), "0.333333333333333");
    EXPECT_EQ(Keisan("2/3+0"), "0.666666666666667");
    EXPECT_EQ(Keisan("1/3*3"), "1");
    EXPECT_EQ(Keisan("(1/3+1/6)*4"), "2");
    EXPECT_EQ(Keisan("-1/8+0"), "-0.125");
    EXPECT_EQ(Keisan("0.000001*1"), "1E-6");
    EXPECT_EQ(Keisan("-(2-2)"), "0");
    // Beyond 128 bits the value is still computed (in double precision).
    EXPECT_EQ(Keisan("99999999999999999999*99999999999999999999"), "1E40");
    EXPECT_EQ(Keisan("123456789012345678901234567890*10-1234567890123456789012345678900"), "0");
    EXPECT_THROW(Keisan("1/(0.5-0.5)"), KeisanError);
}

TEST(Keisan, PlainDivisionGivesQuotientAndRemainder)
{
    EXPECT_EQ(Keisan("7/2"), "3...1");
    EXPECT_EQ(Keisan("8/2"), "4");
    EXPECT_EQ(Keisan("7.5/2"), "3...1.5");
    EXPECT_EQ(Keisan("7.5/2.5"), "3");
    EXPECT_EQ(Keisan("75/4"), "18...3");
    EXPECT_EQ(Keisan("1/3"), "0...1");
    EXPECT_EQ(Keisan("10/0.3"), "33...0.1");
    EXPECT_EQ(Keisan("7/0"), "");
    EXPECT_EQ(Keisan("7/0.00001"), ""); // rounds to a zero divisor at four decimals
}

TEST(Keisan, OtherExpressionsWithSlashAreArithmetic)
{
    EXPECT_EQ(Keisan("1+6/3"), "3");
    EXPECT_EQ(Keisan("6*(4+5*2)/3"), "28");
    EXPECT_EQ(Keisan("8/2/2"), "2");
    EXPECT_EQ(Keisan("-7/2"), "-3.5");
    EXPECT_EQ(Keisan("7/ 2"), "3.5");
    EXPECT_THROW(Keisan("/5"), KeisanError); // a leading "/" is a syntax error
}

TEST(Keisan, UnevaluableExpressionsRaiseTypedError)
{
    for (const char *bad : {"3+", "(2", "2)", "abc", "1..2", "1.2.3", "2(3)", "()", "3＋4", "*2",
                            "1+2/0", "7/", "1e5"}) {
        try {
            Keisan(QString::fromUtf8(bad));
            ADD_FAILURE() << "no error for " << bad;
        } catch (const KeisanError &e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
    }
    try {
        Keisan("1+2/0");
        ADD_FAILURE();
    } catch (const KeisanError &e) {
        EXPECT_EQ(e.message(), KeisanDivisionByZeroText);
    }
    try {
        Keisan("3+");
        ADD_FAILURE();
    } catch (const KeisanError &e) {
        EXPECT_EQ(e.message(), KeisanCannotEvaluateText);
    }
    // Too large for the fixed-point division: an error, not a wrong answer.
    EXPECT_THROW(Keisan("99999999999999999999/3"), KeisanError);
}

TEST(Keisan, DeepNestingIsRefusedWithoutCrashing)
{
    const QString deep = QString(100000, u'(') + "1" + QString(100000, u')');
    EXPECT_THROW(Keisan(deep), KeisanError);
    const QString fine = QString(50, u'(') + "1" + QString(50, u')');
    EXPECT_EQ(Keisan(fine), "1");
    EXPECT_EQ(Keisan(QString(100000, u'-') + "2"), "2");
}

TEST(Keisan, LongNumbersWarnOnceAndStillDivide)
{
    int shown = 0;
    SetTenDigitWarningHook([&shown] { ++shown; });
    ResetTenDigitWarningForTests();
    EXPECT_EQ(Keisan("12345678901/2"), "6172839450...1");
    EXPECT_EQ(Keisan("12345678901/3"), "4115226300...1");
    EXPECT_EQ(shown, 1);
    SetTenDigitWarningHook({});
}

TEST(KouyakuSu, GreatestCommonDivisorAndReduction)
{
    EXPECT_EQ(KouyakuSu(12, 18), 6);
    EXPECT_EQ(KouyakuSu(7, 5), 1);
    EXPECT_EQ(KouyakuSu(5, 5), 5);
    EXPECT_EQ(KouyakuSu(0, 5), 0);
    EXPECT_EQ(KouyakuSu(-4, 8), 0);

    EXPECT_EQ(ReduceFraction(0, 13, 5), (ReducedFraction{2, 3, 5}));
    EXPECT_EQ(ReduceFraction(1, 2, 4), (ReducedFraction{1, 1, 2}));
    EXPECT_EQ(ReduceFraction(0, 10, 5), (ReducedFraction{2, 0, 1}));
    EXPECT_EQ(ReduceFraction(3, 0, 4), (ReducedFraction{3, 0, 1}));
    EXPECT_EQ(ReduceFraction(0, -2, 3), (ReducedFraction{0, 0, 1}));
}

TEST(FKeisan, MixedNumbersAndReduction)
{
    EXPECT_FRAC("t2s3b5+t1s4b7", "4", "6", "35");
    EXPECT_FRAC("2s3b5+1s4b7", "4", "6", "35");
    EXPECT_FRAC("t1s1b2-t1s1b2", "0", "", "");
    EXPECT_FRAC("t1s1b3-t2s0b1", "0", "", ""); // negative difference
    EXPECT_FRAC("s13b5", "2", "3", "5");
    EXPECT_FRAC("t0s2b4", "0", "1", "2");
    EXPECT_FRAC("t0s10b5", "2", "", "");
    EXPECT_FRAC("t0s1b2*t0s2b3", "0", "1", "3");
    EXPECT_FRAC("t0s1b2/t0s1b4", "2", "", "");
    EXPECT_FRAC("t0s3b4-t0s1b4-t0s1b4", "0", "1", "4"); // left to right
    EXPECT_FRAC("2+t0s1b2", "2", "1", "2");
    EXPECT_FRAC("t0s1b3+t0s1b3*3", "1", "1", "3"); // "*" before "+"
}

TEST(FKeisan, DecimalsCountWithFourPlaces)
{
    EXPECT_FRAC("1.25+t0s1b4", "1", "1", "2"); // 125/100 + 1/4
    EXPECT_FRAC("0.5*t0s2b3", "0", "1", "3");
    EXPECT_FRAC("1.25*2", "2.5", "", "");
    EXPECT_FRAC("1.25+2.5-0.75", "3", "", "");
    EXPECT_FRAC("1/3", "0.333333333333333", "", "");
    EXPECT_FRAC("1/3*3", "0.9999", "", ""); // the quotient is read back with four decimals
    EXPECT_FRAC("2-3", "-1", "", "");
    EXPECT_FRAC("-3+5", "2", "", ""); // 0 - 3 + 5
    EXPECT_FRAC(" 6 * 7 ", "42", "", "");
    EXPECT_FRAC("6", "6", "", "");
}

TEST(FKeisan, Brackets)
{
    EXPECT_FRAC("6*(4+5*2)/3", "28", "", "");
    EXPECT_FRAC("6*((2+2)*(5+2))/3", "56", "", "");
    EXPECT_FRAC("((2+3))", "5", "", "");
    EXPECT_FRAC("(2+3)*(4-1)", "15", "", "");
    EXPECT_FRAC("(t0s1b2+t0s1b3)*6", "5", "", "");
    EXPECT_FRAC("t1s1b2*(1+1)", "3", "", "");
    EXPECT_FRAC("10-(2+3)-1", "4", "", "");
}

TEST(FKeisan, MessagesForUnbalancedBrackets)
{
    EXPECT_EQ(FKeisan("(2+3").result, QString::fromUtf8("\"（\"と\"）\"の数が合いません。"));
    EXPECT_EQ(FKeisan(")2+3(").result, QString::fromUtf8("\"）\"で始まる数式は、計算できません。"));
    EXPECT_EQ(FKeisan("2)+3(").result, QString::fromUtf8("\"（\"で終わる数式は、計算できません。"));
    const FKeisanResult r = FKeisan("2)+(3");
    EXPECT_EQ(r.result, QString::fromUtf8("\"）\"が見つかりません。"));
    EXPECT_TRUE(r.whole.isEmpty() && r.numerator.isEmpty() && r.denominator.isEmpty());
    EXPECT_EQ(FKeisan("2)+(3+(4)").result, FKeisanMessage4);
}

TEST(FKeisan, DivisionByZeroAndLargeNumbers)
{
    // A division by zero anywhere empties the whole answer.
    for (const char *e : {"1/0", "1/0+2", "t0s1b2/t0s0b3", "t1s2b0", "t1s2b0+1", "(2-2)/(3-3)"}) {
        const FKeisanResult r = FKeisan(e);
        EXPECT_TRUE(r.result.isEmpty()) << e << " " << r.result.toStdString();
        EXPECT_TRUE(r.numerator.isEmpty() && r.denominator.isEmpty()) << e;
    }
    // Four-digit numerators and denominators multiply beyond 32 bits.
    EXPECT_FRAC("t0s9999b9998*t0s9997b9996*t0s9995b9994", "1", "99930011", "332933479984");
    // Four-digit boxes of mixed numbers multiply exactly, whatever their size.
    EXPECT_FRAC("t9999s1b9999*t9999s1b9998", "99980003", "5000", "49985001");
    EXPECT_FRAC("t9999s9998b9999*t9999s9997b9998/t1s1b9997", "99989995", "999000279977",
                "999500079996");
    EXPECT_FRAC("t9999s1b9999*t9999s1b9998-t9999s1b9999*t9999s1b9998", "0", "", "");
    EXPECT_FRAC("t0s99999999b99999997*t0s99999999b99999991*t0s99999999b99999989", "1",
                "199999984400000296", "999999770000015899999703");
    // Results beyond 128 bits give a message, never a wrapped value.
    EXPECT_EQ(FKeisan("t0s99999999b99999997*t0s99999999b99999991*t0s99999999b99999989*"
                      "t0s99999999b99999971*t0s99999999b99999959")
                  .result,
              FKeisanTooLargeText);
    EXPECT_EQ(FKeisan("99999999999999999999+1").result, FKeisanTooLargeText);
}

TEST(FKeisan, MalformedOperandsCountAsZeroAndLongInputIsLinear)
{
    EXPECT_FRAC("xyz+2", "2", "", "");
    EXPECT_FRAC("abc+2", "", "", ""); // "b" starts a denominator "c", which reads as 0
    EXPECT_FRAC("t2s3b5x+1", "", "", ""); // "5x" is no number: a zero denominator
    EXPECT_FRAC("", "", "", "");
    EXPECT_FRAC("t", "", "", "");
    // Many groups and many operators: must finish quickly and correctly.
    QString many;
    for (int i = 0; i < 20000; ++i)
        many += "(1+1)*(t0s1b2)+";
    many += "0";
    EXPECT_FRAC(many, "20000", "", "");
    const QString deep = QString(50000, u'(') + "7" + QString(50000, u')');
    EXPECT_FRAC(deep, "7", "", "");
}
