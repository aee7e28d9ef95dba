#include "platform/UnitNumText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

std::function<void()> &warningHook()
{
    static std::function<void()> hook;
    return hook;
}

// The only process-wide state of the numeric functions: the warning is shown
// once per run.
bool gTenDigitWarningShown = false;

void warnIfLong(const QString &text)
{
    if (text.size() <= 10 || gTenDigitWarningShown)
        return;
    gTenDigitWarningShown = true;
    if (warningHook())
        warningHook()();
}

bool isDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

bool allDigits(const QChar *p, qsizetype n)
{
    if (n == 0)
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (!isDigit(p[i]))
            return false;
    return true;
}

// Digits only, no sign; false when the value does not fit.
bool parseDigits(const QChar *p, qsizetype n, uint64_t limit, uint64_t &out)
{
    uint64_t v = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const uint64_t d = p[i].unicode() - u'0';
        if (v > (limit - d) / 10)
            return false;
        v = v * 10 + d;
    }
    out = v;
    return true;
}

// Holds an ASCII copy of a short text for the standard library parsers;
// texts with characters outside ASCII are refused.
class AsciiBuffer {
public:
    explicit AsciiBuffer(const QString &text)
    {
        const qsizetype n = text.size();
        char *dst = mSmall.data();
        if (n >= qsizetype(mSmall.size())) {
            mLarge.resize(size_t(n));
            dst = mLarge.data();
        }
        const QChar *src = text.constData();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = src[i].unicode();
            if (c >= 0x80)
                mOk = false;
            dst[i] = char(c);
        }
        mData = dst;
        mSize = size_t(n);
    }
    bool ok() const { return mOk; }
    const char *begin() const { return mData; }
    const char *end() const { return mData + mSize; }

private:
    std::array<char, 64> mSmall{};
    std::string mLarge;
    const char *mData = nullptr;
    size_t mSize = 0;
    bool mOk = true;
};

[[noreturn]] void throwMalformed(const QString &text)
{
    throw NumTextError(QStringLiteral("\"%1\" は数値ではありません。").arg(text).toStdString());
}

[[noreturn]] void throwTooLarge(const QString &text)
{
    throw NumTextError(QStringLiteral("\"%1\" は大きすぎて計算できません。").arg(text).toStdString());
}

// Full-text floating conversion with "." as decimal separator; the text may
// carry a leading "-" and an exponent. Names such as "inf" or "nan" are refused.
double parseFloatStrict(const QString &text)
{
    AsciiBuffer buf(text);
    const char *b = buf.begin();
    const char *e = buf.end();
    const char *digits = (b != e && *b == '-') ? b + 1 : b;
    if (!buf.ok() || digits == e || !((*digits >= '0' && *digits <= '9') || *digits == '.'))
        throwMalformed(text);
    double v = 0;
    const auto r = std::from_chars(b, e, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range)
        throwTooLarge(text);
    if (r.ec != std::errc() || r.ptr != e)
        throwMalformed(text);
    return v;
}

// Exact decimal rounding of a plain digits-and-point text to units of 1/10000,
// ties to even; false when the value does not fit.
bool plainToFixed4(const QChar *p, qsizetype n, int64_t &out)
{
    qsizetype dot = n;
    for (qsizetype i = 0; i < n; ++i)
        if (p[i] == u'.') {
            dot = i;
            break;
        }
    // Leading zeros do not count towards the size of the value.
    qsizetype start = 0;
    while (start < dot && p[start] == u'0')
        ++start;
    uint64_t whole = 0;
    if (!parseDigits(p + start, dot - start, uint64_t(std::numeric_limits<int64_t>::max() / 10000),
                     whole))
        return false;
    uint64_t frac = 0;
    qsizetype i = dot + 1;
    for (int k = 0; k < 4; ++k, ++i)
        frac = frac * 10 + ((i < n) ? uint64_t(p[i].unicode() - u'0') : 0);
    uint64_t raw = whole * 10000 + frac;
    if (i < n) {
        const int next = p[i].unicode() - u'0';
        bool restNonZero = false;
        for (qsizetype j = i + 1; j < n; ++j)
            if (p[j] != u'0') {
                restNonZero = true;
                break;
            }
        if (next > 5 || (next == 5 && (restNonZero || (raw & 1))))
            ++raw;
    }
    if (raw > uint64_t(std::numeric_limits<int64_t>::max()))
        return false;
    out = int64_t(raw);
    return true;
}

int64_t roundToInt64(double v, const QString &text)
{
    const double r = std::nearbyint(v); // default rounding mode: ties to even
    if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18))
        throwTooLarge(text);
    return int64_t(r);
}

} // namespace

bool IsNumText(const QString &text)
{
    if (text.isEmpty())
        return false;
    int dots = 0;
    for (QChar c : text) {
        if (c == u'.') {
            if (++dots > 1)
                return false;
        } else if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

int64_t TextToInt64(const QString &text)
{
    warnIfLong(text);
    if (text.isEmpty())
        return 0;
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    if (p[0] == u'-') {
        if (!allDigits(p + 1, n - 1))
            throwMalformed(text);
        uint64_t v = 0;
        if (!parseDigits(p + 1, n - 1, uint64_t(std::numeric_limits<int64_t>::max()) + 1, v))
            throwTooLarge(text);
        return int64_t(0 - v);
    }
    if (!allDigits(p, n))
        return 0; // also covers texts with a "."
    uint64_t v = 0;
    if (!parseDigits(p, n, uint64_t(std::numeric_limits<int64_t>::max()), v))
        throwTooLarge(text);
    return int64_t(v);
}

int32_t TextToInt(const QString &text)
{
    // Wraps to 32 bits like the integer conversion it stands for.
    return int32_t(uint32_t(uint64_t(TextToInt64(text))));
}

double TextToFloat(const QString &text)
{
    warnIfLong(text);
    if (text.isEmpty())
        return 0.0;
    if (text.front() == u'-')
        return parseFloatStrict(text);
    if (!IsNumText(text) || (text.size() == 1 && text.front() == u'.'))
        return 0.0;
    return parseFloatStrict(text);
}

int64_t TextToFixed4(const QString &text)
{
    if (text.isEmpty())
        return 0;
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    if (p[0] == u'-') {
        const double v = parseFloatStrict(text); // validates the whole text
        int64_t raw = 0;
        if (IsNumText(text.sliced(1)) && plainToFixed4(p + 1, n - 1, raw))
            return -raw;
        return roundToInt64(v * 10000.0, text);
    }
    if (!IsNumText(text))
        return 0;
    int64_t raw = 0;
    if (!plainToFixed4(p, n, raw))
        throwTooLarge(text);
    return raw;
}

QStringList SplitText(const QString &text, QChar separator)
{
    QStringList pieces;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) == separator) {
            pieces.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    if (!pieces.isEmpty())
        pieces.append(text.mid(start));
    return pieces;
}

QStringList SplitText2(const QString &text, const QString &separator)
{
    if (separator.isEmpty())
        return QStringList{text};
    return text.split(separator, Qt::KeepEmptyParts);
}

void SetTenDigitWarningHook(std::function<void()> hook) { warningHook() = std::move(hook); }

void ResetTenDigitWarningForTests() { gTenDigitWarningShown = false; }

QString FormatGeneral(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0)
        return QStringLiteral("0");

    // Fifteen significant digits, rounded once; the layout is decided on the
    // rounded exponent so that 999999999999999.9 becomes 1E15.
    char sci[40];
    const auto r = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 14);
    const char *p = sci;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[16];
    int nd = 0;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.')
            digits[nd++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exponent);
    while (nd > 1 && digits[nd - 1] == '0')
        --nd;

    char out[48];
    int o = 0;
    if (negative)
        out[o++] = '-';
    if (exponent >= 15 || exponent < -5) {
        out[o++] = digits[0];
        if (nd > 1) {
            out[o++] = '.';
            for (int i = 1; i < nd; ++i)
                out[o++] = digits[i];
        }
        out[o++] = 'E';
        const auto er = std::to_chars(out + o, out + sizeof out, exponent);
        o = int(er.ptr - out);
    } else if (exponent < 0) {
        out[o++] = '0';
        out[o++] = '.';
        for (int i = -1; i > exponent; --i)
            out[o++] = '0';
        for (int i = 0; i < nd; ++i)
            out[o++] = digits[i];
    } else {
        for (int i = 0; i <= exponent; ++i)
            out[o++] = i < nd ? digits[i] : '0';
        if (nd > exponent + 1) {
            out[o++] = '.';
            for (int i = exponent + 1; i < nd; ++i)
                out[o++] = digits[i];
        }
    }
    return QString::fromLatin1(out, o);
}

Fixed4 Fixed4::fromQuotient(double numerator, double denominator)
{
    if (denominator == 0.0)
        return Fixed4{0};
    // Scaling before dividing keeps exact quotients such as 1/20000 exact.
    const double r = std::nearbyint(numerator * 10000.0 / denominator);
    if (std::isnan(r))
        return Fixed4{0};
    if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18))
        return Fixed4{r > 0 ? std::numeric_limits<int64_t>::max()
                            : std::numeric_limits<int64_t>::min()};
    return Fixed4{int64_t(r)};
}
