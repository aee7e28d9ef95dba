// Keisan: the answer text of a horizontal, column or word problem from its
// expression text (arithmetic, or a division with remainder such as 7/2 ->
// "3...1"). Called by the expression tool, random generation, the column
// engines and the command-line tool. Shows no window and keeps no state
// between calls (apart from the once-per-run ten-digit warning of the
// numeric text functions).
#pragma once

#include <QString>
#include <stdexcept>

// Raised by Keisan for an expression that cannot be evaluated (a syntax
// error, a division by zero, a number out of range or a malformed negative
// number). The message is in the user's words, ready for a message box.
class KeisanError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    QString message() const { return QString::fromUtf8(what()); }
};

inline const QString KeisanCannotEvaluateText = QStringLiteral("数式を計算できません。");
inline const QString KeisanDivisionByZeroText = QStringLiteral("0で割る計算はできません。");

// The answer of an ASCII expression ("12.3+6.14+4" -> "22.44"). A single
// division of two plain numbers gives quotient and remainder ("7/2" ->
// "3...1", "8/2" -> "4"; a divisor of 0 gives an empty answer); anything else
// is evaluated with numbers, + - * /, brackets and unary minus. The numbers
// are finite decimals, so the arithmetic is exact (a quotient is an exact
// fraction: 1/3*3 is 1); only the final value is rounded, to the 15
// significant digits of the general number format (4.7-4.1 -> "0.6",
// 1/3 -> "0.333333333333333"). Values beyond 128 bits are computed in double
// precision instead. A blank expression gives an empty answer. Throws
// KeisanError.
QString Keisan(const QString &expression);

// An expression as shown: its ASCII operators + - * / as the full-width
// signs ＋ － × ÷ ("3*4" -> "3×4"). Expressions are stored with the ASCII
// operators.
QString FullWidthOperators(const QString &expression);
