// Exact integer arithmetic of 128 bits shared by the two evaluators (Keisan
// and the fraction evaluator): products and sums that throw Inexact when a
// value outgrows 2^126, the greatest common divisor, powers of ten, fractions
// in lowest terms and their decimal text.
#pragma once

#include <QString>
#include <cstdint>
#include <limits>

namespace Exact128 {

// The exact values of the arithmetic: every number of an expression is a
// finite decimal, so sums, differences and products are exact decimals and a
// quotient is an exact fraction. A value is num / den with den > 0, both
// kept below 2^126 in magnitude so that a sum of two never overflows.
using i128 = __int128;
using u128 = unsigned __int128;

// Thrown when a value outgrows the exact range: Keisan then evaluates the
// expression again in double precision (as inexact as the ten-digit warning
// says), the fraction evaluator reports the number as too large.
struct Inexact {
};

constexpr u128 kExactLimit = u128(1) << 126;

inline u128 magnitude(i128 v)
{
    return v < 0 ? u128(0) - u128(v) : u128(v);
}

inline i128 checkedMul(i128 a, i128 b)
{
    const u128 ua = magnitude(a);
    const u128 ub = magnitude(b);
    // Two factors below 2^63 always fit; otherwise divide to check.
    if ((ua >> 63) == 0 && (ub >> 63) == 0)
        return a * b;
    if (ua != 0 && ub > kExactLimit / ua)
        throw Inexact{};
    return a * b;
}

inline i128 checkedAdd(i128 a, i128 b)
{
    const i128 r = a + b; // both below 2^126: cannot overflow
    if (magnitude(r) > kExactLimit)
        throw Inexact{};
    return r;
}

inline u128 gcd128(u128 a, u128 b)
{
    if ((a >> 64) == 0 && (b >> 64) == 0) {
        uint64_t x = uint64_t(a);
        uint64_t y = uint64_t(b);
        while (y) {
            const uint64_t t = x % y;
            x = y;
            y = t;
        }
        return x;
    }
    while (b) {
        const u128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

inline i128 pow10(int k)
{
    i128 p = 1;
    while (k-- > 0)
        p *= 10;
    return p;
}

// A fraction of 128-bit integers in lowest terms with a positive denominator.
inline void normalise128(i128 &num, i128 &den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const u128 g = gcd128(magnitude(num), magnitude(den));
    if (g > 1) {
        num /= i128(g);
        den /= i128(g);
    }
}

inline QString text128(i128 v)
{
    if (v >= std::numeric_limits<int64_t>::min() && v <= std::numeric_limits<int64_t>::max())
        return QString::number(int64_t(v));
    char buf[48];
    int at = sizeof buf;
    u128 m = magnitude(v);
    do {
        buf[--at] = char('0' + int(m % 10));
        m /= 10;
    } while (m);
    if (v < 0)
        buf[--at] = '-';
    return QString::fromLatin1(buf + at, qsizetype(sizeof buf) - at);
}

} // namespace Exact128
