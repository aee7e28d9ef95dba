// The extra conditions of a random math problem, kept in the row's text
// field RandZ1 as "key=value" pairs joined by ";" (for example
// "kuri=2;no01=1"): carrying or borrowing (kuri), no operand 0 or 1 (no01),
// a second fraction over another denominator (bunbo) and an answer that
// needs reducing (yaku). The random panel reads and writes the field through
// RandConditions; the generator asks the checks below whether a drawn
// problem meets them. A pair this program does not know is kept as it was
// written and ignored, a condition at 0 is not written at all, so a row
// without conditions keeps an empty field. Nothing here touches the
// document or a window.
#pragma once

#include "math/UnitKeyValueText.h"

#include <QList>
#include <QString>

#include <cstdint>

class RandConditions
{
public:
    // Carrying (addition) or borrowing (subtraction) of the columns.
    enum Kuri { KuriAny = 0, KuriSome = 1, KuriNone = 2, KuriEvery = 3 };
    // The value of bunbo that asks for another denominator than ①'s.
    static constexpr int BunboOther = 2;

    RandConditions() = default;
    // Reads the field; pieces without "=", unknown keys and values out of
    // their range are kept for text() but count as no condition.
    static RandConditions fromText(const QString &text);
    // The field as it is to be stored: the pieces in their order, a changed
    // condition where it stood (or at the end), conditions at 0 left out.
    // Until a condition changes it is the text read, byte for byte.
    QString text() const;

    int kuri() const { return value(u"kuri"); }
    bool no01() const { return value(u"no01") == 1; }
    int bunbo() const { return value(u"bunbo"); }
    bool yaku() const { return value(u"yaku") == 1; }
    void setKuri(int kuri);
    void setNo01(bool on);
    void setBunbo(int bunbo);
    void setYaku(bool on);

private:
    using Piece = KeyValuePiece;
    int value(QStringView key) const;
    void set(QStringView key, int value);
    static bool known(const Piece &piece, int &value);

    QList<Piece> mPieces;
    QString mRead;         // the text as read
    bool mChanged = false; // a condition was set to another value
};

// Whether ① + ② (or ① - ② with subtraction) carries (borrows) as kuri asks.
// The amounts are in units of 1/10000; decimals is the number of decimal
// places of the longer operand as written, so that the columns are those of
// the column layout, aligned at the decimal point: from the last decimal
// place up to the highest digit of either operand. "すべての位で" wants every
// column below the highest to carry and at least one carry, so a single
// column must carry itself. KuriAny always holds.
bool MeetsKuri(int kuri, bool subtraction, int64_t x, int64_t y, int decimals);

// A fraction operand: whole part, numerator and denominator as drawn.
struct RBunsuOperand {
    int64_t whole = 0, num = 0, den = 0;
};

// Whether the answer of a (operator 0 "+", 1 "-", 2 "*", 3 "/") b, worked out
// without reducing, can be reduced: addition and subtraction over the least
// common denominator, multiplication and division straight across, mixed
// numbers made improper first. A zero answer or a zero denominator is never
// "to be reduced".
bool NeedsReducing(int op, const RBunsuOperand &a, const RBunsuOperand &b);
