#include "math/UnitRandConditions.h"

#include "math/UnitExact128.h"

#include <algorithm>

namespace
{
// The conditions this program knows, with the highest value of each.
struct KeyRange {
    const char16_t *key;
    int max;
};
constexpr KeyRange Keys[] = {{u"kuri", 3}, {u"no01", 1}, {u"bunbo", 2}, {u"yaku", 1}};

int maxOf(QStringView key)
{
    for (const KeyRange &k : Keys)
        if (key == QStringView(k.key))
            return k.max;
    return -1;
}
} // namespace

RandConditions RandConditions::fromText(const QString &text)
{
    RandConditions c;
    c.mRead = text;
    c.mPieces = ReadKeyValueText(text);
    return c;
}

QString RandConditions::text() const
{
    return mChanged ? WriteKeyValueText(mPieces) : mRead;
}

bool RandConditions::known(const Piece &piece, int &value)
{
    const int max = maxOf(piece.key);
    if (max < 0 || !piece.hasValue)
        return false;
    // Only the plain way of writing a number: "02" or "+2" is someone
    // else's text and stays as it was.
    bool ok = false;
    const int v = piece.value.toInt(&ok);
    if (!ok || v < 0 || v > max || piece.value != QString::number(v))
        return false;
    // bunbo 1 ("①と同じ分母") lives in RandBunsuBunboY, never here.
    if (piece.key == u"bunbo" && v == 1)
        return false;
    value = v;
    return true;
}

int RandConditions::value(QStringView key) const
{
    for (const Piece &p : mPieces) {
        int v = 0;
        if (p.key == key && known(p, v))
            return v;
    }
    return 0;
}

void RandConditions::set(QStringView key, int value)
{
    if (value == this->value(key))
        return;
    mChanged = true;
    qsizetype at = -1;
    for (qsizetype i = 0; i < mPieces.size();) {
        int v = 0;
        if (mPieces[i].key == key && known(mPieces[i], v)) {
            if (at < 0)
                at = i;
            mPieces.removeAt(i);
        } else {
            ++i;
        }
    }
    if (value == 0)
        return;
    Piece p{key.toString(), QString::number(value), true};
    if (at < 0)
        mPieces.append(p);
    else
        mPieces.insert(at, p);
}

void RandConditions::setKuri(int kuri)
{
    set(u"kuri", kuri >= KuriSome && kuri <= KuriEvery ? kuri : 0);
}
void RandConditions::setNo01(bool on)
{
    set(u"no01", on ? 1 : 0);
}
void RandConditions::setBunbo(int bunbo)
{
    set(u"bunbo", bunbo == BunboOther ? BunboOther : 0);
}
void RandConditions::setYaku(bool on)
{
    set(u"yaku", on ? 1 : 0);
}

namespace
{
int64_t pow10(int k)
{
    int64_t p = 1;
    while (k-- > 0)
        p *= 10;
    return p;
}
} // namespace

bool MeetsKuri(int kuri, bool subtraction, int64_t x, int64_t y, int decimals)
{
    if (kuri < RandConditions::KuriSome || kuri > RandConditions::KuriEvery)
        return true;
    // Amounts are never negative here; a negative one has no columns to
    // speak of and meets no carrying condition.
    if (x < 0 || y < 0)
        return false;
    decimals = qBound(0, decimals, 4);
    // The columns are digits of the amounts in units of the last place.
    const int64_t unit = pow10(4 - decimals);
    x /= unit;
    y /= unit;
    // At least the ones column and every decimal place.
    int columns = decimals + 1;
    for (int64_t v = std::max(x, y) / pow10(decimals + 1); v > 0; v /= 10)
        ++columns;

    int carried = 0, below = 0; // carries in all columns, in those below the top
    int carry = 0;
    for (int i = 0; i < columns; ++i) {
        const int dx = int(x % 10), dy = int(y % 10);
        x /= 10;
        y /= 10;
        const int d = subtraction ? dx - dy - carry : dx + dy + carry;
        carry = subtraction ? (d < 0 ? 1 : 0) : (d >= 10 ? 1 : 0);
        carried += carry;
        if (i < columns - 1)
            below += carry;
    }
    switch (kuri) {
    case RandConditions::KuriSome:
        return carried > 0;
    case RandConditions::KuriNone:
        return carried == 0;
    default:
        return carried > 0 && below == columns - 1;
    }
}

bool NeedsReducing(int op, const RBunsuOperand &a, const RBunsuOperand &b)
{
    using Exact128::i128;
    if (a.den <= 0 || b.den <= 0)
        return false;
    // Operands stay below 2^34 and denominators below 2^31 (the range
    // limit), so none of these products leaves 128 bits.
    const i128 na = i128(a.whole) * a.den + a.num, da = a.den;
    const i128 nb = i128(b.whole) * b.den + b.num, db = b.den;
    i128 num = 0, den = 0;
    switch (op) {
    case 0:
    case 1: {
        const i128 l = da / i128(Exact128::gcd128(Exact128::u128(da), Exact128::u128(db))) * db;
        num = op == 0 ? na * (l / da) + nb * (l / db) : na * (l / da) - nb * (l / db);
        den = l;
        break;
    }
    case 2:
        num = na * nb;
        den = da * db;
        break;
    case 3:
        num = na * db;
        den = da * nb;
        break;
    default:
        return false;
    }
    if (num == 0 || den == 0)
        return false;
    return Exact128::gcd128(Exact128::magnitude(num), Exact128::magnitude(den)) > 1;
}
