#include "math/UnitHissanOptions.h"

#include <QStringList>

HissanOptions HissanOptions::fromText(const QString &text)
{
    HissanOptions o;
    o.mRead = text;
    o.mPieces = ReadKeyValueText(text);
    return o;
}

QString HissanOptions::text() const
{
    return mChanged ? WriteKeyValueText(mPieces) : mRead;
}

// Only "1" switches an option on; "0" is the option written off by hand,
// and anything else ("01", "yes") is someone else's text, kept as it was.
bool HissanOptions::isOn(const Piece &piece, QStringView key)
{
    return piece.key == key && piece.hasValue && piece.value == u"1";
}

bool HissanOptions::value(QStringView key) const
{
    for (const Piece &p : mPieces)
        if (isOn(p, key))
            return true;
    return false;
}

void HissanOptions::set(QStringView key, bool on)
{
    if (on == value(key))
        return;
    mChanged = true;
    qsizetype at = -1;
    for (qsizetype i = 0; i < mPieces.size();) {
        const Piece &p = mPieces.at(i);
        // The option's own pieces give way: "1" and an explicit "0".
        if (p.key == key && p.hasValue && (p.value == u"1" || p.value == u"0")) {
            if (at < 0)
                at = i;
            mPieces.removeAt(i);
        } else {
            ++i;
        }
    }
    if (!on)
        return;
    Piece p{key.toString(), QStringLiteral("1"), true};
    if (at < 0)
        mPieces.append(p);
    else
        mPieces.insert(at, p);
}

int HissanMemoHeightOf(const QString &RandZ2, int rh)
{
    if (RandZ2.isEmpty())
        return 0;
    return HissanOptions::fromText(RandZ2).memo() ? HissanMemoHeight(rh) : 0;
}
