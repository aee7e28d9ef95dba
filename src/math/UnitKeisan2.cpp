// The fraction evaluator (TFormKeisan2::FKeisan) over its operand and
// working tables, and the reduction of fractions.
#include "math/UnitKeisan2.h"

#include "math/UnitExact128.h"
#include "platform/UnitNumText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

using namespace Exact128;

// ---------------------------------------------------------------------------
// Cells of the fraction tables.

bool hasChar(const QString &text, char16_t c)
{
    for (QChar x : text)
        if (x.unicode() == c)
            return true;
    return false;
}

// A cell read as value x 10000, rounded to nearest. Text that is not a number
// (an empty cell included) counts as 0; spaces are ignored. `tooLarge` is set
// for a number beyond the 64-bit range.
int64_t readCell(const QString &cell, bool &tooLarge)
{
    if (cell.isEmpty())
        return 0;
    if (hasChar(cell, u' ')) {
        QString compact = cell;
        compact.remove(QLatin1Char(' '));
        return readCell(compact, tooLarge);
    }
    const bool negative = cell.front() == u'-';
    const QString digits = negative ? cell.sliced(1) : cell;
    if (IsNumText(digits)) {
        if (digits.size() == 1 && digits.front() == u'.')
            return 0;
        try {
            const int64_t raw = TextToFixed4(digits);
            return negative ? -raw : raw;
        } catch (const NumTextError &) {
            tooLarge = true;
            return 0;
        }
    }
    // Results written in scientific notation (very large or very small).
    if (hasChar(cell, u'E') && cell.size() < 40) {
        char buf[40];
        for (qsizetype i = 0; i < cell.size(); ++i)
            buf[i] = cell.at(i).unicode() < 0x80 ? char(cell.at(i).unicode()) : '\x01';
        double v = 0;
        const auto r = std::from_chars(buf, buf + cell.size(), v, std::chars_format::general);
        if (r.ec != std::errc() || r.ptr != buf + cell.size())
            return 0;
        const double scaled = std::nearbyint(v * 10000.0);
        if (!(std::fabs(scaled) < 9.2e18)) {
            tooLarge = true;
            return 0;
        }
        return int64_t(scaled);
    }
    return 0;
}

// A cell of fraction mode read exactly: the value is mantissa / 10^scale,
// rounded to four decimals (ties to even) like every cell, with any number
// of whole digits that 128 bits hold. False for a value beyond that.
// Text that is not a number (an empty cell included) counts as 0.
bool readExactCell(const QString &cell, i128 &mantissa, int &scale)
{
    mantissa = 0;
    scale = 0;
    qsizetype i = 0;
    const qsizetype n = cell.size();
    while (i < n && cell.at(i) == u' ')
        ++i;
    const bool negative = i < n && cell.at(i) == u'-';
    if (negative)
        ++i;
    // Digits, at most one point and spaces, with at least one digit.
    int points = 0;
    int digits = 0;
    for (qsizetype j = i; j < n; ++j) {
        const char16_t c = cell.at(j).unicode();
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.')
            ++points;
        else if (c != u' ')
            digits = -1000000;
    }
    if (digits <= 0 || points > 1) {
        // Results written in scientific notation (very large or very small)
        // and anything else go through the fixed-point reading.
        bool tooLarge = false;
        mantissa = readCell(cell, tooLarge);
        scale = 4;
        return !tooLarge;
    }
    try {
        bool fraction = false;
        int fractionDigits = 0;
        int roundDigit = -1;
        bool restNonZero = false;
        for (qsizetype j = i; j < n; ++j) {
            const char16_t c = cell.at(j).unicode();
            if (c == u' ')
                continue;
            if (c == u'.') {
                fraction = true;
                continue;
            }
            const int d = c - u'0';
            if (fraction && fractionDigits == 4) {
                if (roundDigit < 0)
                    roundDigit = d;
                else if (d != 0)
                    restNonZero = true;
                continue;
            }
            mantissa = checkedAdd(checkedMul(mantissa, 10), d);
            if (fraction)
                ++fractionDigits;
        }
        if (roundDigit > 5 || (roundDigit == 5 && (restNonZero || (mantissa & 1))))
            mantissa = checkedAdd(mantissa, 1);
        scale = fractionDigits;
        while (scale > 0 && mantissa % 10 == 0) {
            mantissa /= 10;
            --scale;
        }
    } catch (const Inexact &) {
        return false;
    }
    if (negative)
        mantissa = -mantissa;
    return true;
}

bool add64(int64_t a, int64_t b, int64_t &out)
{
    return !__builtin_add_overflow(a, b, &out);
}
bool sub64(int64_t a, int64_t b, int64_t &out)
{
    return !__builtin_sub_overflow(a, b, &out);
}

int64_t absGcd(int64_t a, int64_t b)
{
    uint64_t x = a < 0 ? 0 - uint64_t(a) : uint64_t(a);
    uint64_t y = b < 0 ? 0 - uint64_t(b) : uint64_t(b);
    while (y) {
        const uint64_t t = x % y;
        x = y;
        y = t;
    }
    return int64_t(x);
}

} // namespace

// ---------------------------------------------------------------------------

int64_t KouyakuSu(int64_t a, int64_t b)
{
    if (std::min(a, b) <= 0)
        return 0;
    return absGcd(a, b);
}

ReducedFraction ReduceFraction(int64_t whole, int64_t numerator, int64_t denominator)
{
    const int64_t c = KouyakuSu(numerator, denominator);
    if (c == 0)
        return ReducedFraction{whole, 0, 1};
    int64_t a = numerator / c;
    const int64_t b = denominator / c;
    if (a >= b) {
        whole += a / b;
        a %= b;
    }
    return ReducedFraction{whole, a, b};
}

FKeisanResult FKeisan(const QString &expression)
{
    TFormKeisan2 engine;
    return engine.FKeisan(expression);
}

FKeisanResult TFormKeisan2::FKeisan(const QString &expression)
{
    FKeisanResult out;
    qsizetype opens = 0;
    qsizetype closes = 0;
    for (QChar c : expression) {
        if (c == u'(')
            ++opens;
        else if (c == u')')
            ++closes;
    }
    if (opens != closes) {
        out.result = FKeisanMessage1;
        return out;
    }
    if (!expression.isEmpty() && expression.front() == u')') {
        out.result = FKeisanMessage2;
        return out;
    }
    if (!expression.isEmpty() && expression.back() == u'(') {
        out.result = FKeisanMessage3;
        return out;
    }

    tokenise(expression);
    Status status = resolveBrackets();
    Column final;
    if (status == Status::Ok) {
        mWork.clear();
        for (int i = 0; i != -1; i = mNext[size_t(i)]) {
            const Column &c = mOperands[size_t(i)];
            mWork.push_back(Column{0, c.whole, c.num, c.den, 0, c.op});
        }
        status = evaluate(mWork, final);
    }
    switch (status) {
    case Status::Ok:
        break;
    case Status::NoClose:
        out.result = FKeisanMessage4;
        return out;
    case Status::TooLarge:
        out.result = FKeisanTooLargeText;
        return out;
    case Status::DivisionByZero:
        return out;
    }

    // A fraction result holds whole integers of up to 128 bits; it is
    // reduced like ReduceFraction does, without narrowing them.
    i128 den = 0;
    int denScale = 0;
    bool fits = readExactCell(final.den, den, denScale);
    if (fits && denScale == 0 && den > 0) {
        i128 whole = 0;
        i128 num = 0;
        int wholeScale = 0;
        int numScale = 0;
        fits = readExactCell(final.whole, whole, wholeScale) &&
               readExactCell(final.num, num, numScale);
        if (!fits) {
            out.result = FKeisanTooLargeText;
            return out;
        }
        whole /= pow10(wholeScale);
        num /= pow10(numScale);
        i128 a = 0;
        i128 b = 1;
        if (num > 0) {
            const i128 c = i128(gcd128(magnitude(num), magnitude(den)));
            a = num / c;
            b = den / c;
            if (a >= b) {
                whole += a / b;
                a %= b;
            }
        }
        final.whole = text128(whole);
        if (a == 0) {
            final.num.clear();
            final.den.clear();
        } else {
            final.num = text128(a);
            final.den = text128(b);
        }
    } else if (!fits) {
        out.result = FKeisanTooLargeText;
        return out;
    }
    out.result = final.whole;
    out.whole = final.whole;
    out.numerator = final.num;
    out.denominator = final.den;
    return out;
}

void TFormKeisan2::tokenise(const QString &expression)
{
    mOperands.clear();
    mOperands.emplace_back();
    enum { Whole, Num, Den } state = Whole;
    QString number;
    // The number read so far belongs to the current state's cell of the last
    // column; it is written there whenever that cell is about to change hands.
    bool unstored = false;
    auto cell = [&]() -> QString & {
        Column &c = mOperands.back();
        return state == Whole ? c.whole : state == Num ? c.num : c.den;
    };
    auto store = [&] {
        cell() = number;
        unstored = false;
    };
    for (QChar ch : expression) {
        switch (ch.unicode()) {
        case u'(':
            ++mOperands.back().open;
            break;
        case u')':
            ++mOperands.back().close;
            break;
        case u'+':
        case u'-':
        case u'*':
        case u'/':
            store();
            number.clear();
            mOperands.back().op = ch.unicode();
            mOperands.emplace_back();
            state = Whole;
            break;
        case u't':
            if (unstored)
                store();
            number.clear();
            state = Whole;
            break;
        case u's':
            store();
            number.clear();
            state = Num;
            break;
        case u'b':
            store();
            number.clear();
            state = Den;
            break;
        default:
            number.append(ch);
            unstored = true;
            break;
        }
    }
    if (unstored)
        store();

    const int n = int(mOperands.size());
    mNext.resize(size_t(n));
    mPrev.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        mNext[size_t(i)] = i + 1 < n ? i + 1 : -1;
        mPrev[size_t(i)] = i - 1;
    }
}

TFormKeisan2::Status TFormKeisan2::resolveBrackets()
{
    // Columns are unlinked instead of erased, so that a long expression with
    // many groups costs time in proportion to its length.
    int s = int(mOperands.size()) - 1;
    while (s >= 0) {
        Column &start = mOperands[size_t(s)];
        if (start.open == 0) {
            s = mPrev[size_t(s)];
            continue;
        }
        mWork.clear();
        int e = s;
        for (;;) {
            const Column &c = mOperands[size_t(e)];
            mWork.push_back(Column{0, c.whole, c.num, c.den, 0, c.op});
            if (c.close > 0)
                break;
            e = mNext[size_t(e)];
            if (e == -1)
                return Status::NoClose;
        }
        Column group;
        const Status st = evaluate(mWork, group);
        if (st != Status::Ok)
            return st;
        start.open -= 1;
        start.close = mOperands[size_t(e)].close - 1;
        start.whole = std::move(group.whole);
        start.num = std::move(group.num);
        start.den = std::move(group.den);
        start.op = group.op;
        const int after = mNext[size_t(e)];
        mNext[size_t(s)] = after;
        if (after != -1)
            mPrev[size_t(after)] = s;
        // Column s is looked at again: it may carry more "(" marks.
    }
    return Status::Ok;
}

TFormKeisan2::Status TFormKeisan2::evaluate(std::vector<Column> &table, Column &result)
{
    bool fractions = false;
    for (const Column &c : table)
        if (!c.den.isEmpty()) {
            fractions = true;
            break;
        }
    return fractions ? evaluateFractions(table, result) : evaluateDecimals(table, result);
}

TFormKeisan2::Status TFormKeisan2::evaluateFractions(std::vector<Column> &table, Column &result)
{
    // Every operand becomes an improper fraction of whole numbers: a/b with
    // the whole part folded in, a plain number n as n/1, decimals scaled by
    // ten until both parts are whole (1.25 -> 125/100). The integers are
    // exact and 128 bits wide, so products of four-digit boxes always fit.
    try {
        mFractions.resize(table.size());
        for (size_t i = 0; i < table.size(); ++i) {
            const Column &c = table[i];
            i128 num = 0;
            i128 den = 1;
            int numScale = 0;
            int denScale = 0;
            if (!c.den.isEmpty()) {
                i128 w = 0;
                i128 a = 0;
                int wScale = 0;
                int aScale = 0;
                if (!readExactCell(c.whole, w, wScale) || !readExactCell(c.num, a, aScale) ||
                    !readExactCell(c.den, den, denScale))
                    return Status::TooLarge;
                // numerator + whole x denominator, on a common decimal scale.
                const int wbScale = wScale + denScale;
                numScale = std::max(aScale, wbScale);
                num = checkedAdd(checkedMul(a, pow10(numScale - aScale)),
                                 checkedMul(checkedMul(w, den), pow10(numScale - wbScale)));
            } else if (!readExactCell(c.whole, num, numScale)) {
                return Status::TooLarge;
            }
            const int common = std::max(numScale, denScale);
            num = checkedMul(num, pow10(common - numScale));
            den = checkedMul(den, pow10(common - denScale));
            if (den == 0)
                return Status::DivisionByZero;
            normalise128(num, den);
            mFractions[i] = {num, den};
        }

        // Multiplicative pass, compacting the table in place: column w
        // collects the product or quotient while its operator is "*" or "/".
        size_t w = 0;
        for (size_t i = 1; i < table.size(); ++i) {
            const char16_t op = table[w].op;
            if (op == u'*' || op == u'/') {
                auto &[an, ad] = mFractions[w];
                const auto [bn, bd] = mFractions[i];
                i128 num = 0;
                i128 den = 0;
                if (op == u'*') {
                    num = checkedMul(an, bn);
                    den = checkedMul(ad, bd);
                } else {
                    if (bn == 0)
                        return Status::DivisionByZero;
                    num = checkedMul(an, bd);
                    den = checkedMul(ad, bn);
                }
                normalise128(num, den);
                an = num;
                ad = den;
                table[w].op = table[i].op;
            } else {
                ++w;
                mFractions[w] = mFractions[i];
                table[w].op = table[i].op;
            }
        }

        // Additive pass, left to right.
        auto [accNum, accDen] = mFractions[0];
        for (size_t i = 1; i <= w; ++i) {
            const auto [bn, bd] = mFractions[i];
            const i128 left = checkedMul(accNum, bd);
            const i128 right = checkedMul(bn, accDen);
            i128 num = checkedAdd(left, table[i - 1].op == u'-' ? -right : right);
            i128 den = checkedMul(accDen, bd);
            normalise128(num, den);
            accNum = num;
            accDen = den;
        }
        result.whole = QStringLiteral("0");
        result.num = text128(accNum);
        result.den = text128(accDen);
        result.op = table[w].op;
        return Status::Ok;
    } catch (const Inexact &) {
        return Status::TooLarge;
    }
}

TFormKeisan2::Status TFormKeisan2::evaluateDecimals(std::vector<Column> &table, Column &result)
{
    // Values are held as value x 10000; each intermediate result is written
    // as text in general number format and read back, so every step counts
    // with at most four decimals.
    mTerms.resize(table.size());
    bool tooLarge = false;
    for (size_t i = 0; i < table.size(); ++i)
        mTerms[i].num = readCell(table[i].whole, tooLarge);
    if (tooLarge)
        return Status::TooLarge;

    auto setValue = [&](size_t at, double v) {
        if (!std::isfinite(v)) {
            tooLarge = true;
            return;
        }
        table[at].whole = FormatGeneral(v);
        mTerms[at].num = readCell(table[at].whole, tooLarge);
    };

    size_t w = 0;
    for (size_t i = 1; i < table.size(); ++i) {
        const char16_t op = table[w].op;
        if (op == u'*' || op == u'/') {
            const int64_t x = mTerms[w].num;
            const int64_t y = mTerms[i].num;
            if (op == u'*') {
                const long double p = static_cast<long double>(__int128(x) * __int128(y));
                setValue(w, double(p / 100000000.0L));
            } else {
                if (y == 0)
                    return Status::DivisionByZero;
                setValue(w, double(static_cast<long double>(x) / static_cast<long double>(y)));
            }
            if (tooLarge)
                return Status::TooLarge;
            table[w].op = table[i].op;
        } else {
            ++w;
            if (w != i)
                table[w] = std::move(table[i]);
            mTerms[w] = mTerms[i];
        }
    }

    for (size_t i = 1; i <= w; ++i) {
        int64_t sum = 0;
        const bool ok = table[0].op == u'-' ? sub64(mTerms[0].num, mTerms[i].num, sum)
                                            : add64(mTerms[0].num, mTerms[i].num, sum);
        if (!ok)
            return Status::TooLarge;
        setValue(0, double(sum) / 10000.0);
        if (tooLarge)
            return Status::TooLarge;
        table[0].op = table[i].op;
    }
    result = std::move(table[0]);
    return Status::Ok;
}
