// Random generation of the expression tool: MakeRandom draws numbers within
// the random panel's settings, builds the problem of the current page, checks
// it against the conditions and tries again until one holds or the attempt
// limit is reached; the SetRandomKaitou writers put the result into the row
// being regenerated. Amounts are built in units of 1/10000 so that decimal
// places come out exactly.
#include "math/UnitSiki.h"

#include "math/UnitRandConditions.h"

#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"

#include <QtNumeric>
#include <algorithm>

namespace
{
constexpr int64_t Unit = 10000;
// Range boxes take any typed text; anything beyond this is cut to it so that
// amounts in ten-thousandths and their sums stay inside 64 bits. The product
// that builds a division's dividend can still pass them and is checked.
constexpr int64_t RangeLimit = 1000000000;

const QString Signs = QStringLiteral("+-*/");

// A range box as a number: text that is not a number counts as 0.
int64_t rangeValue(const SikiRangeBox *box)
{
    int64_t v = 0;
    try {
        v = TextToInt64(box->text());
    } catch (const NumTextError &) {
        v = 0;
    }
    return std::clamp<int64_t>(v, -RangeLimit, RangeLimit);
}

// An amount in 1/10000 written in general number format: 3 as "3", 2.5 as
// "2.5", never with trailing zeros.
QString amountText(int64_t v)
{
    const bool negative = v < 0;
    const uint64_t a = negative ? uint64_t(0) - uint64_t(v) : uint64_t(v);
    QString out = QString::number(a / Unit);
    uint64_t frac = a % Unit;
    if (frac != 0) {
        QString digits = QString::number(frac).rightJustified(4, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        out += u'.' + digits;
    }
    return negative ? u'-' + out : out;
}

// Digits after the "." of a number text; -1 when it has no ".".
int decimalsOf(const QString &text)
{
    const int dot = int(text.indexOf(u'.'));
    return dot < 0 ? -1 : int(text.size()) - dot - 1;
}

// Whether an operand drawn from lo..hi (negative draws become 0) can be
// something else than 0, 1 or a multiple of 10: only then does
// "0と1を使わない" keep multiples of 10 out of an addition or subtraction.
bool rangeHoldsPlainNumbers(int64_t lo, int64_t hi)
{
    const int64_t from = std::max<int64_t>(lo, 2);
    // Among eleven numbers in a row at least one is no multiple of 10.
    for (int64_t v = from; v <= hi && v <= from + 10; ++v)
        if (v % 10 != 0)
            return true;
    return false;
}

int64_t wholeOf(const QString &text)
{
    try {
        return TextToInt64(text);
    } catch (const NumTextError &) {
        return 0;
    }
}
} // namespace

void TFormSiki::ClearRandomLog()
{
    mRandomLog.clear();
    mRandomDuplicates = 0;
}

namespace
{
// A range box whose number lies beyond what the generator can hold: texts
// that are no number count as 0 and are fine, a number past the limit (or
// past any 64-bit count) is not.
bool beyondRangeLimit(const SikiRangeBox *box)
{
    const QString text = box->text();
    try {
        const int64_t v = TextToInt64(text);
        return v < -RangeLimit || v > RangeLimit;
    } catch (const NumTextError &) {
        // Too long for 64 bits when it is all digits; anything else is no
        // number at all.
        const QString digits = text.startsWith(u'-') ? text.mid(1) : text;
        return !digits.isEmpty() &&
               std::all_of(digits.begin(), digits.end(),
                           [](QChar c) { return c >= u'0' && c <= u'9'; });
    }
}
} // namespace

bool TFormSiki::checkRanges()
{
    const TSikiRandomPanel &p = *RandomPanel;
    struct Range {
        const SikiRangeBox *box;
        QString name;
    };
    QList<Range> ranges;
    if (CurrentPage() == PageBunsu) {
        ranges = {{p.EditBunsuX1, QStringLiteral("分母の①")},
                  {p.EditBunsuX2, QStringLiteral("分母の①")},
                  {p.EditBunsuY1, QStringLiteral("分母の②")},
                  {p.EditBunsuY2, QStringLiteral("分母の②")}};
    } else {
        ranges = {{p.EditX1, QStringLiteral("①")},   {p.EditX2, QStringLiteral("①")},
                  {p.EditY1, QStringLiteral("②")},   {p.EditY2, QStringLiteral("②")},
                  {p.EditA1, QStringLiteral("解答")}, {p.EditA2, QStringLiteral("解答")}};
    }
    for (const Range &r : ranges) {
        if (!beyondRangeLimit(r.box))
            continue;
        ShowError(QStringLiteral("%1の範囲の「%2」は、使える数の範囲を超えています。"
                                 "%3 以上 %4 以下の数を入れてください。")
                      .arg(r.name, r.box->text(), QString::number(-RangeLimit),
                           QString::number(RangeLimit)));
        r.box->edit()->setFocus();
        r.box->edit()->selectAll();
        return false;
    }
    return true;
}

void TFormSiki::MakeRandomCommand()
{
    // A range beyond the limit would be cut short without a word and give
    // other problems than the teacher asked for.
    if (!checkRanges())
        return;
    ClearRandomLog();
    MakeRandom();
}

// One attempt for the pages of whole and decimal numbers. Returns false when
// the drawn problem fails a condition.
bool TFormSiki::drawNumbers(QString &siki, QString &x, QString &y, int &kigou)
{
    const TSikiRandomPanel &p = *RandomPanel;
    kigou = qBound(0, p.ComboKigou->currentIndex(), 3);
    const int64_t x1 = rangeValue(p.EditX1), x2 = rangeValue(p.EditX2);
    const int64_t y1 = rangeValue(p.EditY1), y2 = rangeValue(p.EditY2);
    const int64_t a1 = rangeValue(p.EditA1), a2 = rangeValue(p.EditA2);
    const int syosuX = p.ComboSyosuX->currentIndex();
    const int syosuY = p.ComboSyosuY->currentIndex();
    const int syosuA = p.ComboSyosuA->currentIndex();
    const int kihonX = p.ComboKihonX->currentIndex();
    const int kihonY = p.ComboKihonY->currentIndex();
    const int kuri = qMax(0, p.ComboKuri->currentIndex());
    const bool no01 = p.CheckNo01->isChecked();

    auto draw = [this](int64_t lo, int64_t hi) { return lo + Random(hi - lo + 1); };
    auto rounded = [](int64_t v, int kihon) {
        if (kihon == 1)
            v = v >= 10 ? v / 10 * 10 : 10;
        else if (kihon == 2)
            v = v >= 100 ? v / 100 * 100 : 100;
        return std::max<int64_t>(v, 0);
    };
    // The last decimal digit is never 0.
    auto withDecimals = [this](int64_t whole, int syosu) {
        int64_t v = whole * Unit;
        if (syosu == 1)
            v += (Random(9) + 1) * 1000;
        else if (syosu == 2)
            v += Random(10) * 1000 + (Random(9) + 1) * 100;
        return v;
    };

    QString answer;
    int64_t quotient = 0, remainder = 0, xv = 0, yv = 0;
    if (kigou == 3) {
        // Division is built backwards from divisor, quotient and remainder.
        int64_t divisor = draw(y1, y2);
        if (kihonY == 1 && divisor >= 10)
            divisor = divisor / 10 * 10;
        divisor = std::max<int64_t>(divisor, 0);
        yv = withDecimals(divisor, syosuY);
        quotient = std::max<int64_t>(draw(a1, a2), 0);
        if (p.CheckAmari->isChecked()) {
            // A remainder needs a divisor of at least 2 to stay below it.
            if (divisor < 2)
                return false;
            remainder = 1 + Random(divisor - 1);
        }
        // Nothing can be divided by 0.
        if (yv == 0)
            return false;
        // Wide ranges can ask for a dividend beyond what an amount holds;
        // such a draw can never lie in the dividend's range either.
        if (qMulOverflow(yv, quotient, &xv) || qAddOverflow(xv, remainder * Unit, &xv))
            return false;
        answer = QString::number(quotient);
    } else {
        xv = withDecimals(rounded(draw(x1, x2), kihonX), syosuX);
        yv = withDecimals(rounded(draw(y1, y2), kihonY), syosuY);
    }
    x = amountText(xv);
    y = amountText(yv);
    siki = x + Signs.at(kigou) + y;

    if (kigou != 3) {
        try {
            answer = Keisan(siki);
        } catch (const std::exception &) {
            return false;
        }
        if (answer.isEmpty())
            return false;
    }
    int64_t value = 0;
    try {
        value = TextToFixed4(answer);
    } catch (const NumTextError &) {
        return false;
    }
    if (value < a1 * Unit || value > a2 * Unit)
        return false;
    if (syosuA > 0 && decimalsOf(answer) != syosuA)
        return false;
    if (kigou == 3) {
        if (xv < x1 * Unit || xv > x2 * Unit)
            return false;
        if (syosuX > 0 && decimalsOf(x) != syosuX)
            return false;
    }
    if (no01) {
        if (xv == 0 || xv == Unit || yv == 0 || yv == Unit)
            return false;
        // Sums with 10 or 300 teach little; they go unless an operand can
        // be nothing else (a rounded range, or one like 10..10).
        if (kigou <= 1) {
            const auto tens = [](int64_t v) { return v % (10 * Unit) == 0; };
            if (tens(xv) && kihonX == 0 && rangeHoldsPlainNumbers(x1, x2))
                return false;
            if (tens(yv) && kihonY == 0 && rangeHoldsPlainNumbers(y1, y2))
                return false;
        }
    }
    if (kigou <= 1 &&
        !MeetsKuri(kuri, kigou == 1, xv, yv, std::max({decimalsOf(x), decimalsOf(y), 0})))
        return false;
    return true;
}

// One attempt for the fraction page: the six boxes are filled and the answer
// computed whatever the outcome, so that a failed search leaves the last
// attempt in them.
bool TFormSiki::drawFractions()
{
    const TSikiRandomPanel &p = *RandomPanel;
    using Operand = RBunsuOperand;
    auto draw = [this](int64_t lo, int64_t hi) { return lo + Random(hi - lo + 1); };
    auto operand = [&](const SikiRangeBox *lo, const SikiRangeBox *hi, int kind, bool keep,
                       const Operand *sameAs) {
        Operand o;
        const int64_t upper = rangeValue(hi);
        o.den = sameAs ? sameAs->den : std::max<int64_t>(draw(rangeValue(lo), upper), 0);
        switch (kind) {
        case 2: // 仮分数
            o.num = o.den + 1 + Random(o.den - 1);
            break;
        case 0: // 指定なし
            o.num = 1 + Random(2 * upper);
            break;
        default: // 真分数, 帯分数
            o.num = 1 + Random(o.den - 1);
            break;
        }
        o.whole = kind == 3 ? 1 + Random(3) : 0;
        if (!keep && !sameAs) {
            const int64_t c = KouyakuSu(o.num, o.den);
            if (c > 1) {
                o.num /= c;
                o.den /= c;
            }
        }
        return o;
    };
    const Operand a = operand(p.EditBunsuX1, p.EditBunsuX2, p.ComboBunsuSyuX->currentIndex(),
                              p.CheckXYaku->isChecked(), nullptr);
    const Operand b =
        operand(p.EditBunsuY1, p.EditBunsuY2, p.ComboBunsuSyuY->currentIndex(),
                p.CheckYYaku->isChecked(), p.ComboBunboY->currentIndex() == 1 ? &a : nullptr);

    auto put = [](QLineEdit *box, const QString &text) {
        const QSignalBlocker block(box);
        box->setText(text);
    };
    put(EditBunsu1T, a.whole ? QString::number(a.whole) : QString());
    put(EditBunsu1S, QString::number(a.num));
    put(EditBunsu1B, QString::number(a.den));
    put(EditBunsu2T, b.whole ? QString::number(b.whole) : QString());
    put(EditBunsu2S, QString::number(b.num));
    put(EditBunsu2B, QString::number(b.den));
    {
        const QSignalBlocker block(ComboBunsu);
        ComboBunsu->setCurrentIndex(qBound(0, p.ComboBunsuKigou->currentIndex(), 3));
    }
    const int kindA = p.ComboBunsuSyuA->currentIndex();
    {
        const QSignalBlocker block(CheckKabunsu);
        CheckKabunsu->setChecked(kindA == 2);
    }
    KeisanBunsu();

    // Each operand must be of the kind asked for. A reduction of ① or a
    // denominator range that holds 1 can leave nothing of that kind (a
    // proper fraction over 1 is 1/1); such a draw is no problem to accept.
    auto fits = [](const Operand &o, int kind) {
        if (o.den < 1 || o.num < 1)
            return false;
        switch (kind) {
        case 1: // 真分数
            return o.num < o.den;
        case 2: // 仮分数
            return o.num > o.den;
        case 3: // 帯分数
            return o.whole > 0 && o.num < o.den;
        default:
            return true;
        }
    };
    if (!fits(a, p.ComboBunsuSyuX->currentIndex()) || !fits(b, p.ComboBunsuSyuY->currentIndex()))
        return false;
    if (p.ComboBunboY->currentIndex() == 2 && a.den == b.den)
        return false;
    // An operand worth 0 or 1 (a drawn 3/3 that reduced to 1/1) makes no
    // exercise of "0と1を使わない".
    const auto zeroOrOne = [](const Operand &o) {
        const int64_t value = o.whole * o.den + o.num;
        return value == 0 || value == o.den;
    };
    if (p.CheckNo01->isChecked() && (zeroOrOne(a) || zeroOrOne(b)))
        return false;
    if (p.CheckYakuA->isChecked() &&
        !NeedsReducing(qBound(0, p.ComboBunsuKigou->currentIndex(), 3), a, b))
        return false;

    const int64_t whole = wholeOf(EditBunsuKT->text());
    const int64_t num = wholeOf(EditBunsuKS->text());
    const int64_t den = wholeOf(EditBunsuKB->text());
    if (num <= 0 || den <= 0)
        return false;
    switch (kindA) {
    case 1:
        return whole == 0;
    case 2:
        return den < num;
    case 3:
        return whole > 0;
    default:
        return true;
    }
}

void TFormSiki::MakeRandom()
{
    {
        const QSignalBlocker block(RandomPanel->CheckRand);
        RandomPanel->CheckRand->setChecked(true);
    }
    RandomPanel->ShowWarning(false);
    mRandomWarning = false;
    const int page = CurrentPage();

    QString siki, x, y;
    int kigou = 0;
    for (int attempts = 0;;) {
        bool accepted = false;
        if (page == PageBunsu) {
            accepted = drawFractions();
            const auto whole = [](QLineEdit *box) {
                return box->text().isEmpty() ? QStringLiteral("0") : box->text();
            };
            siki = whole(EditBunsu1T) + u's' + EditBunsu1S->text() + u'b' + EditBunsu1B->text() +
                   Signs.at(qBound(0, ComboBunsu->currentIndex(), 3)) + whole(EditBunsu2T) + u's' +
                   EditBunsu2S->text() + u'b' + EditBunsu2B->text();
        } else {
            accepted = drawNumbers(siki, x, y, kigou);
        }
        if (accepted && mRandomLog.contains(siki)) {
            accepted = false;
            ++mRandomDuplicates;
        }
        ++attempts;
        if (!accepted && attempts > RandMax) {
            siki.clear();
            x.clear();
            y.clear();
            mRandomWarning = true;
            RandomPanel->ShowWarning(true);
            accepted = true;
        }
        if (accepted)
            break;
    }

    if (page == PageBunsu) {
        // The boxes hold the problem already (the last attempt on failure).
    } else {
        auto put = [](QLineEdit *box, const QString &text) {
            const QSignalBlocker block(box);
            box->setText(text);
        };
        put(MemoY1, siki);
        put(MemoT1, siki);
        put(EditBunsyo1, siki);
        put(EditBunsyoR1, x);
        put(EditBunsyoR2, y);
        {
            const QSignalBlocker block(ComboBunsyoR);
            ComboBunsyoR->setCurrentIndex(kigou);
        }
        switch (page) {
        case PageYoko:
            MakeSikiKotaeYoko();
            break;
        case PageTate:
            MakeSikiKotaeTate();
            break;
        case PageBunsyo:
            // Without a problem the preview would make "+" of two empty
            // numbers: the boxes stay empty and the row keeps its problem.
            if (siki.isEmpty()) {
                put(EditBunsyo2, QString());
                put(EditBunsyoKotae, QString());
            } else {
                MakeSikiKotaeBunsyo();
            }
            break;
        default:
            break;
        }
    }
    if (!siki.isEmpty())
        mRandomLog.append(siki);
}

// ---------------------------------------------------------------------------
// Writers of a regenerated problem

bool TFormSiki::setRandomRow(int page)
{
    int index = -1;
    for (int i = int(mDoc.AData.size()) - 1; i >= 0; --i) {
        if (mDoc.AData.at(i).ID == mDoc.NewData.ID) {
            index = i;
            break;
        }
    }
    // Only an existing row is regenerated; a missing one is never made.
    if (index < 0 || mDoc.NewData.ID < 0)
        return false;
    RAData &row = mDoc.AData[index];
    switch (page) {
    case PageYoko: {
        QString kotae, message;
        if (CheckYoko(kotae, message) != InputOk)
            return false;
        WriteYokoFields(row, kotae);
        break;
    }
    case PageTate: {
        QString message;
        if (MemoT1->text().isEmpty() || mTateSyu == TateNone)
            return false;
        WriteTateFields(row);
        break;
    }
    case PageBunsu: {
        QString message;
        if (CheckBunsu(message) != InputOk)
            return false;
        RandomPanel->Store(row, TSikiRandomPanel::Scope::Bunsu);
        WriteBunsuFields(row);
        break;
    }
    case PageBunsyo: {
        QString kotae, message;
        if (CheckBunsyo(kotae, message) != InputOk)
            return false;
        WriteBunsyoFields(row, kotae, false);
        break;
    }
    default:
        return false;
    }
    row.Siki1 = page;
    mDisplayText.clear();
    hide();
    return true;
}

bool TFormSiki::SetRandomKaitouYoko()
{
    return setRandomRow(PageYoko);
}
bool TFormSiki::SetRandomKaitouTate()
{
    return setRandomRow(PageTate);
}
bool TFormSiki::SetRandomKaitouBunsu()
{
    return setRandomRow(PageBunsu);
}
bool TFormSiki::SetRandomKaitouBunsyo()
{
    return setRandomRow(PageBunsyo);
}

bool TFormSiki::SetRandomKaitou(int page)
{
    switch (page) {
    case PageYoko:
        return SetRandomKaitouYoko();
    case PageTate:
        return SetRandomKaitouTate();
    case PageBunsu:
        return SetRandomKaitouBunsu();
    case PageBunsyo:
        return SetRandomKaitouBunsyo();
    default:
        return false;
    }
}
