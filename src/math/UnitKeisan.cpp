// Keisan: the arithmetic of horizontal, column and word problems over an
// ASCII copy of the expression, exact on 128-bit fractions with a fallback
// to double precision, and the division with remainder of two numbers.
#include "math/UnitKeisan.h"

#include "math/UnitExact128.h"
#include "platform/UnitNumText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

using namespace Exact128;

// ---------------------------------------------------------------------------
// Arithmetic of Keisan: a recursive-descent evaluator over an ASCII copy of
// the expression.

// Deeper nesting than this is refused rather than risking the stack.
constexpr int kMaxNesting = 1000;

[[noreturn]] void cannotEvaluate() { throw KeisanError(KeisanCannotEvaluateText.toStdString()); }

struct Exact {
    i128 num = 0;
    i128 den = 1;

    void reduce()
    {
        if (den == 1)
            return;
        const u128 g = gcd128(magnitude(num), u128(den));
        if (g > 1) {
            num /= i128(g);
            den /= i128(g);
        }
    }
};

// The arithmetic of one kind of value: exact fractions or doubles.
struct ExactOps {
    using Value = Exact;

    static Value number(const char *begin, const char *end)
    {
        Value v;
        bool fraction = false;
        for (const char *p = begin; p != end; ++p) {
            if (*p == '.') {
                fraction = true;
                continue;
            }
            v.num = checkedAdd(checkedMul(v.num, 10), *p - '0');
            if (fraction)
                v.den = checkedMul(v.den, 10);
        }
        return v;
    }
    static Value negate(Value v)
    {
        v.num = -v.num;
        return v;
    }
    static Value add(Value a, Value b, bool subtract)
    {
        if (subtract)
            b.num = -b.num;
        if (a.den == b.den)
            return Value{checkedAdd(a.num, b.num), a.den};
        // Decimal denominators are powers of ten: the larger one is a
        // multiple of the smaller, so one scaling is enough.
        if (a.den < b.den && b.den % a.den == 0)
            return Value{checkedAdd(checkedMul(a.num, b.den / a.den), b.num), b.den};
        if (b.den < a.den && a.den % b.den == 0)
            return Value{checkedAdd(a.num, checkedMul(b.num, a.den / b.den)), a.den};
        a.reduce();
        b.reduce();
        return Value{checkedAdd(checkedMul(a.num, b.den), checkedMul(b.num, a.den)),
                     checkedMul(a.den, b.den)};
    }
    static Value multiply(Value a, Value b)
    {
        try {
            return Value{checkedMul(a.num, b.num), checkedMul(a.den, b.den)};
        } catch (const Inexact &) {
            a.reduce();
            b.reduce();
            return Value{checkedMul(a.num, b.num), checkedMul(a.den, b.den)};
        }
    }
    static Value divide(Value a, Value b)
    {
        if (b.num == 0)
            throw KeisanError(KeisanDivisionByZeroText.toStdString());
        if (b.num < 0) {
            b.num = -b.num;
            a.num = -a.num;
        }
        a.reduce();
        b.reduce();
        Value q{checkedMul(a.num, b.den), checkedMul(a.den, b.num)};
        q.reduce();
        return q;
    }
    static double finish(Value v)
    {
        v.reduce();
        // Both parts exact in a double: one correctly rounded division.
        constexpr i128 exactInDouble = i128(1) << 53;
        if (magnitude(v.num) <= u128(exactInDouble) && v.den <= exactInDouble)
            return double(v.num) / double(v.den);
        const i128 whole = v.num / v.den;
        const i128 rest = v.num % v.den;
        return double(static_cast<long double>(whole) +
                      static_cast<long double>(rest) / static_cast<long double>(v.den));
    }
};

struct DoubleOps {
    using Value = double;

    static double checked(double v)
    {
        if (!std::isfinite(v))
            cannotEvaluate();
        return v;
    }
    static Value number(const char *begin, const char *end)
    {
        double v = 0;
        const auto r = std::from_chars(begin, end, v, std::chars_format::fixed);
        if (r.ec != std::errc() || r.ptr != end)
            cannotEvaluate();
        return v;
    }
    static Value negate(Value v) { return -v; }
    static Value add(Value a, Value b, bool subtract) { return checked(subtract ? a - b : a + b); }
    static Value multiply(Value a, Value b) { return checked(a * b); }
    static Value divide(Value a, Value b)
    {
        if (b == 0.0)
            throw KeisanError(KeisanDivisionByZeroText.toStdString());
        return checked(a / b);
    }
    static double finish(Value v) { return v; }
};

template <typename Ops> class ArithmeticParser
{
public:
    using Value = typename Ops::Value;

    ArithmeticParser(const char *begin, const char *end) : mP(begin), mEnd(end) {}

    double run()
    {
        const Value v = expression();
        skipSpaces();
        if (mP != mEnd)
            cannotEvaluate();
        return Ops::finish(v);
    }

private:
    void skipSpaces()
    {
        while (mP != mEnd && (*mP == ' ' || *mP == '\t'))
            ++mP;
    }

    Value expression()
    {
        Value v = term();
        for (;;) {
            skipSpaces();
            if (mP == mEnd)
                return v;
            const char c = *mP;
            if (c == '+' || c == '-') {
                ++mP;
                v = Ops::add(v, term(), c == '-');
            } else {
                return v;
            }
        }
    }

    Value term()
    {
        Value v = factor();
        for (;;) {
            skipSpaces();
            if (mP == mEnd)
                return v;
            const char c = *mP;
            if (c == '*') {
                ++mP;
                v = Ops::multiply(v, factor());
            } else if (c == '/') {
                ++mP;
                v = Ops::divide(v, factor());
            } else {
                return v;
            }
        }
    }

    Value factor()
    {
        // Signs in front of a factor are counted, not recursed into, so a
        // long run of them cannot exhaust the stack.
        bool negative = false;
        for (;;) {
            skipSpaces();
            if (mP != mEnd && *mP == '-')
                negative = !negative;
            else if (mP == mEnd || *mP != '+')
                break;
            ++mP;
        }
        if (mP == mEnd)
            cannotEvaluate();
        Value v{};
        if (*mP == '(') {
            ++mP;
            if (++mDepth > kMaxNesting)
                cannotEvaluate();
            v = expression();
            --mDepth;
            skipSpaces();
            if (mP == mEnd || *mP != ')')
                cannotEvaluate();
            ++mP;
        } else {
            v = number();
        }
        return negative ? Ops::negate(v) : v;
    }

    Value number()
    {
        const char *start = mP;
        int digits = 0;
        int points = 0;
        while (mP != mEnd) {
            if (*mP >= '0' && *mP <= '9')
                ++digits;
            else if (*mP == '.')
                ++points;
            else
                break;
            ++mP;
        }
        if (digits == 0 || points > 1)
            cannotEvaluate();
        return Ops::number(start, mP);
    }

    const char *mP;
    const char *mEnd;
    int mDepth = 0;
};

double evaluateArithmetic(const QString &expression)
{
    std::array<char, 256> small;
    std::string large;
    const qsizetype n = expression.size();
    char *buf = small.data();
    if (n > qsizetype(small.size())) {
        large.resize(size_t(n));
        buf = large.data();
    }
    const QChar *src = expression.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i].unicode();
        // Characters outside ASCII (full-width signs, letters) are refused by
        // the parser as an unknown character.
        buf[i] = c < 0x80 ? char(c) : '\x01';
    }
    try {
        return ArithmeticParser<ExactOps>(buf, buf + n).run();
    } catch (const Inexact &) {
        return ArithmeticParser<DoubleOps>(buf, buf + n).run();
    }
}

bool isBlank(const QString &text)
{
    for (QChar c : text)
        if (c != u' ' && c != u'\t')
            return false;
    return true;
}

// The division with remainder of two plain numbers, in units of 1/10000.
QString divideWithRemainder(const QString &dividendText, const QString &divisorText)
{
    int64_t dividend = 0;
    int64_t divisor = 0;
    try {
        // TextToFloat gives the ten-digit warning for long numbers; the
        // arithmetic itself is done on exactly rounded fixed-point values.
        TextToFloat(dividendText);
        TextToFloat(divisorText);
        dividend = TextToFixed4(dividendText);
        divisor = TextToFixed4(divisorText);
    } catch (const NumTextError &e) {
        throw KeisanError(e.what());
    }
    // A divisor that rounds to 0 at four decimals cannot divide either.
    if (divisor <= 0)
        return QString();
    const int64_t q = dividend / divisor;
    const int64_t r = dividend - q * divisor;
    QString answer = QString::number(q);
    if (r > 0) {
        answer += QStringLiteral("...");
        answer += FormatGeneral(double(r) / 10000.0);
    }
    return answer;
}

} // namespace

QString Keisan(const QString &expression)
{
    if (isBlank(expression))
        return QString();
    qsizetype slashes = 0;
    qsizetype slashAt = -1;
    for (qsizetype i = 0; i < expression.size(); ++i)
        if (expression.at(i) == u'/') {
            ++slashes;
            slashAt = i;
        }
    if (slashes == 1 && slashAt > 0) {
        const QString dividend = expression.first(slashAt);
        const QString divisor = expression.sliced(slashAt + 1);
        if (IsNumText(dividend) && IsNumText(divisor))
            return divideWithRemainder(dividend, divisor);
    }
    return FormatGeneral(evaluateArithmetic(expression));
}

QString FullWidthOperators(const QString &expression)
{
    QString out = expression;
    out.replace(u'+', u'＋');
    out.replace(u'-', u'－');
    out.replace(u'*', u'×');
    out.replace(u'/', u'÷');
    return out;
}
