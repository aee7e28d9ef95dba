#include "platform/UnitNumText.h"
#include <gtest/gtest.h>

TEST(UnitNumText, IsNumTextAcceptsDigitsAndOnePointOnly)
{
    EXPECT_TRUE(IsNumText("0"));
    EXPECT_TRUE(IsNumText("12.5"));
    EXPECT_TRUE(IsNumText(".5"));
    EXPECT_FALSE(IsNumText(""));
    EXPECT_FALSE(IsNumText("-3"));
    EXPECT_FALSE(IsNumText("1.2.3"));
    EXPECT_FALSE(IsNumText("1 2"));
    EXPECT_FALSE(IsNumText("１２")); // full-width digits are not numbers here
}

TEST(UnitNumText, IntegerConversionsReadNonNumbersAsZero)
{
    EXPECT_EQ(TextToInt64(""), 0);
    EXPECT_EQ(TextToInt64("abc"), 0);
    EXPECT_EQ(TextToInt64("12.5"), 0);
    EXPECT_EQ(TextToInt64("0042"), 42);
    EXPECT_EQ(TextToInt64("-17"), -17);
    EXPECT_EQ(TextToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(TextToInt("123"), 123);
    EXPECT_EQ(TextToInt("4294967297"), 1); // wraps to 32 bits
    EXPECT_THROW(TextToInt64("-abc"), NumTextError);
    EXPECT_THROW(TextToInt64("--3"), NumTextError);
    EXPECT_THROW(TextToInt64("-"), NumTextError);
    EXPECT_THROW(TextToInt64("-1.5"), NumTextError);
    EXPECT_THROW(TextToInt64("99999999999999999999"), NumTextError);
}

TEST(UnitNumText, FloatAndFixedConversions)
{
    EXPECT_DOUBLE_EQ(TextToFloat("12.25"), 12.25);
    EXPECT_DOUBLE_EQ(TextToFloat("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(TextToFloat("5."), 5.0);
    EXPECT_EQ(TextToFloat("."), 0.0);
    EXPECT_EQ(TextToFloat("1,5"), 0.0);
    EXPECT_THROW(TextToFloat("-abc"), NumTextError);
    EXPECT_THROW(TextToFloat("--3"), NumTextError);
    EXPECT_THROW(TextToFloat("-inf"), NumTextError);

    EXPECT_EQ(TextToFixed4("1.25"), 12500);
    EXPECT_EQ(TextToFixed4("0.00005"), 0);  // tie goes to the even 0
    EXPECT_EQ(TextToFixed4("0.00015"), 2);  // tie goes to the even 2
    EXPECT_EQ(TextToFixed4("0.000051"), 1); // above the tie
    EXPECT_EQ(TextToFixed4("2.71828"), 27183);
    EXPECT_EQ(TextToFixed4("-2.5"), -25000);
    EXPECT_EQ(TextToFixed4("x"), 0);
    EXPECT_THROW(TextToFixed4("-x"), NumTextError);
}

TEST(UnitNumText, SplitTextGivesNoPiecesWithoutSeparator)
{
    EXPECT_EQ(SplitText("12.3", '.'), (QStringList{"12", "3"}));
    EXPECT_TRUE(SplitText("12", '.').isEmpty());
    EXPECT_TRUE(SplitText("", '.').isEmpty());
    EXPECT_EQ(SplitText(".", '.'), (QStringList{"", ""}));
    EXPECT_EQ(SplitText("a//b", '/'), (QStringList{"a", "", "b"}));

    EXPECT_EQ(SplitText2("", "\r\n"), QStringList{""});
    EXPECT_EQ(SplitText2("a\r\nb\r\n", "\r\n"), (QStringList{"a", "b", ""}));
    EXPECT_EQ(SplitText2("a\nb", "\r\n"), QStringList{"a\nb"});
}

TEST(UnitNumText, TenDigitWarningOncePerRunAndConversionGoesOn)
{
    int shown = 0;
    SetTenDigitWarningHook([&shown] { ++shown; });
    ResetTenDigitWarningForTests();
    EXPECT_EQ(TextToInt64("1234567890"), 1234567890); // ten characters: no warning
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(TextToInt64("12345678901"), 12345678901);
    EXPECT_EQ(shown, 1);
    EXPECT_DOUBLE_EQ(TextToFloat("123456789.01"), 123456789.01);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(TextToFixed4("123456789012"), 1234567890120000);
    EXPECT_EQ(shown, 1);
    SetTenDigitWarningHook({});
    ResetTenDigitWarningForTests();
    EXPECT_EQ(TextToInt("12345678901"), int32_t(uint32_t(12345678901ULL)));
}

TEST(UnitNumText, FormatGeneralAndQuotients)
{
    EXPECT_EQ(FormatGeneral(22.44), "22.44");
    EXPECT_EQ(FormatGeneral(12.3 + 6.14 + 4), "22.44");
    EXPECT_EQ(FormatGeneral(28.0), "28");
    EXPECT_EQ(FormatGeneral(0.5), "0.5");
    EXPECT_EQ(FormatGeneral(-0.0), "0");
    EXPECT_EQ(FormatGeneral(-1.5), "-1.5");
    EXPECT_EQ(FormatGeneral(12345678901.0 * 1), "12345678901");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(0.00001), "0.00001");
    EXPECT_EQ(FormatGeneral(0.000001), "1E-6");
    EXPECT_EQ(FormatGeneral(999999999999999.0), "999999999999999");
    EXPECT_EQ(FormatGeneral(1e15), "1E15");
    EXPECT_EQ(FormatGeneral(1.5e20), "1.5E20");
    EXPECT_EQ(FormatGeneral(100.0), "100");

    EXPECT_EQ(Fixed4::fromQuotient(1, 3).raw, 3333);
    EXPECT_EQ(Fixed4::fromQuotient(1, 20000).raw, 0);  // 0.5 in units: to even
    EXPECT_EQ(Fixed4::fromQuotient(3, 20000).raw, 2);  // 1.5 in units: to even
    EXPECT_EQ(Fixed4::fromQuotient(2, 3).raw, 6667);
    EXPECT_EQ(Fixed4::fromQuotient(5, 0).raw, 0);
}
