// The numeric text functions: every text-to-number conversion of the program
// goes through them, so that empty or non-numeric text reads as 0 everywhere.
// Used by the file reader, the paper settings, the math engines and the tools.
// They never show a window: the ten-digit warning goes through a hook that
// the application installs.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <stdexcept>

// Raised for a malformed negative number text ("-abc", "--3") and for a
// number too large for the result type (more than 64 bits, or for
// TextToFixed4 more than 64 bits once multiplied by 10000).
class NumTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when the text is non-empty, made only of digits and ".", with at most one ".".
bool IsNumText(const QString &text);
int64_t TextToInt64(const QString &text);
// Same rules as TextToInt64, wrapped to 32 bits.
int32_t TextToInt(const QString &text);
double TextToFloat(const QString &text);
// The text's value times 10000, rounded to nearest, ties to even.
int64_t TextToFixed4(const QString &text);
// Pieces between the separators; a text without the separator gives an empty list.
QStringList SplitText(const QString &text, QChar separator);
// Pieces between occurrences of a two-character separator; always at least one piece.
QStringList SplitText2(const QString &text, const QString &separator);

// The one-time warning for texts longer than ten characters. The hook is
// called at most once per run; the application sets it to show the box.
inline const QString TenDigitWarningText =
    QStringLiteral("10桁を超える値の計算では、正しく計算できない場合があります。");
void SetTenDigitWarningHook(std::function<void()> hook);
// Resets the once-per-run flag (tests only).
void ResetTenDigitWarningForTests();

// General number format: up to 15 significant digits, no trailing zeros,
// plain decimal notation (scientific only at or above 1e15 or below 1e-5).
QString FormatGeneral(double value);

// A decimal with four places held as value x 10000.
struct Fixed4 {
    int64_t raw = 0;
    static Fixed4 fromRaw(int64_t r) { return Fixed4{r}; }
    static Fixed4 fromInt(int64_t v) { return Fixed4{v * 10000}; }
    // A quotient rounded to four decimals, ties to even.
    static Fixed4 fromQuotient(double numerator, double denominator);
    double toDouble() const { return double(raw) / 10000.0; }
    // value x this, truncated toward zero (page units to pixels).
    int64_t scaleTrunc(int64_t value) const { return (value * raw) / 10000; }
    bool operator==(const Fixed4 &) const = default;
};
