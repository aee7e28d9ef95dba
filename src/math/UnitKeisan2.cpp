#include "math/UnitKeisan2.h"

#include "platform/UnitNumText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// ---------------------------------------------------------------------------
// Arithmetic of Keisan: a recursive-descent evaluator over an ASCII copy of
// the expression.

// Deeper nesting than this is refused rather than risking the stack.
constexpr int kMaxNesting = 1000;

[[noreturn]] void cannotEvaluate() { throw KeisanError(KeisanCannotEvaluateText.toStdString()); }

class ArithmeticParser {
public:
    ArithmeticParser(const char *begin, const char *end) : mP(begin), mEnd(end) {}

    double run()
    {
        const double v = expression();
        skipSpaces();
        if (mP != mEnd)
            cannotEvaluate();
        return v;
    }

private:
    void skipSpaces()
    {
        while (mP != mEnd && (*mP == ' ' || *mP == '\t'))
            ++mP;
    }

    static double checked(double v)
    {
        if (!std::isfinite(v))
            cannotEvaluate();
        return v;
    }

    double expression()
    {
        double v = term();
        for (;;) {
            skipSpaces();
            if (mP == mEnd)
                return v;
            const char c = *mP;
            if (c == '+') {
                ++mP;
                v = checked(v + term());
            } else if (c == '-') {
                ++mP;
                v = checked(v - term());
            } else {
                return v;
            }
        }
    }

    double term()
    {
        double v = factor();
        for (;;) {
            skipSpaces();
            if (mP == mEnd)
                return v;
            const char c = *mP;
            if (c == '*') {
                ++mP;
                v = checked(v * factor());
            } else if (c == '/') {
                ++mP;
                const double d = factor();
                if (d == 0.0)
                    throw KeisanError(KeisanDivisionByZeroText.toStdString());
                v = checked(v / d);
            } else {
                return v;
            }
        }
    }

    double factor()
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
        double v = 0;
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
        return negative ? -v : v;
    }

    double number()
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
        double v = 0;
        const auto r = std::from_chars(start, mP, v, std::chars_format::fixed);
        if (r.ec != std::errc() || r.ptr != mP)
            cannotEvaluate();
        return v;
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
    return ArithmeticParser(buf, buf + n).run();
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

// ---------------------------------------------------------------------------
// Cells of the fraction tables.

constexpr int64_t kFixedMax = std::numeric_limits<int64_t>::max();

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

bool mul64(int64_t a, int64_t b, int64_t &out) { return !__builtin_mul_overflow(a, b, &out); }
bool add64(int64_t a, int64_t b, int64_t &out) { return !__builtin_add_overflow(a, b, &out); }
bool sub64(int64_t a, int64_t b, int64_t &out) { return !__builtin_sub_overflow(a, b, &out); }

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

// Keeps a fraction small and its denominator positive; the value is unchanged.
void normalise(int64_t &num, int64_t &den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const int64_t g = absGcd(num, den);
    if (g > 1) {
        num /= g;
        den /= g;
    }
}

// A cell value in units of 1/10000 that must fit back into a cell.
bool fitsCell(int64_t v) { return v <= kFixedMax / 10000 && v >= -(kFixedMax / 10000); }

} // namespace

// ---------------------------------------------------------------------------

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

    bool tooLarge = false;
    const int64_t den = readCell(final.den, tooLarge) / 10000;
    if (den > 0) {
        const int64_t whole = readCell(final.whole, tooLarge) / 10000;
        const int64_t num = readCell(final.num, tooLarge) / 10000;
        if (tooLarge) {
            out.result = FKeisanTooLargeText;
            return out;
        }
        const ReducedFraction r = ReduceFraction(whole, num, den);
        final.whole = QString::number(r.whole);
        if (r.numerator == 0) {
            final.num.clear();
            final.den.clear();
        } else {
            final.num = QString::number(r.numerator);
            final.den = QString::number(r.denominator);
        }
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
    // Every operand becomes an improper fraction of integers: a/b with the
    // whole part folded in, a plain number n as n/1, decimals scaled by ten
    // until both parts are whole (1.25 -> 125/100).
    mTerms.resize(table.size());
    bool tooLarge = false;
    for (size_t i = 0; i < table.size(); ++i) {
        const Column &c = table[i];
        int64_t num = 0;
        int64_t den = 10000;
        if (!c.den.isEmpty()) {
            const int64_t w = readCell(c.whole, tooLarge);
            den = readCell(c.den, tooLarge);
            const __int128 n =
                __int128(readCell(c.num, tooLarge)) + __int128(w) * __int128(den) / 10000;
            if (n > kFixedMax || n < -kFixedMax)
                return Status::TooLarge;
            num = int64_t(n);
        } else {
            num = readCell(c.whole, tooLarge);
        }
        if (tooLarge)
            return Status::TooLarge;
        while (num % 10000 != 0 || den % 10000 != 0) {
            if (!mul64(num, 10, num) || !mul64(den, 10, den))
                return Status::TooLarge;
        }
        num /= 10000;
        den /= 10000;
        if (den == 0)
            return Status::DivisionByZero;
        normalise(num, den);
        mTerms[i] = Term{num, den};
    }

    // Multiplicative pass, compacting the table in place: column w collects
    // the product or quotient while its operator is "*" or "/".
    size_t w = 0;
    for (size_t i = 1; i < table.size(); ++i) {
        const char16_t op = table[w].op;
        if (op == u'*' || op == u'/') {
            Term &a = mTerms[w];
            const Term &b = mTerms[i];
            int64_t num = 0;
            int64_t den = 0;
            if (op == u'*') {
                if (!mul64(a.num, b.num, num) || !mul64(a.den, b.den, den))
                    return Status::TooLarge;
            } else {
                if (b.num == 0)
                    return Status::DivisionByZero;
                if (!mul64(a.num, b.den, num) || !mul64(a.den, b.num, den))
                    return Status::TooLarge;
            }
            normalise(num, den);
            a = Term{num, den};
            table[w].op = table[i].op;
        } else {
            ++w;
            mTerms[w] = mTerms[i];
            table[w].op = table[i].op;
        }
    }

    // Additive pass, left to right.
    Term acc = mTerms[0];
    for (size_t i = 1; i <= w; ++i) {
        const Term &b = mTerms[i];
        int64_t left = 0;
        int64_t right = 0;
        int64_t num = 0;
        int64_t den = 0;
        if (!mul64(acc.num, b.den, left) || !mul64(b.num, acc.den, right) ||
            !mul64(acc.den, b.den, den))
            return Status::TooLarge;
        const bool ok = table[i - 1].op == u'-' ? sub64(left, right, num) : add64(left, right, num);
        if (!ok)
            return Status::TooLarge;
        normalise(num, den);
        acc = Term{num, den};
    }
    if (!fitsCell(acc.num) || !fitsCell(acc.den))
        return Status::TooLarge;
    result.whole = QStringLiteral("0");
    result.num = QString::number(acc.num);
    result.den = QString::number(acc.den);
    result.op = table[w].op;
    return Status::Ok;
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
