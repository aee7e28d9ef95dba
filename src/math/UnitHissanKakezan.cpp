#include "math/UnitHissanKakezan.h"

#include "platform/UnitNumText.h"

#include <algorithm>

namespace {

// A digit string as the integer conversion reads it: its magnitude digits and
// sign; anything that is not a whole number counts as 0.
struct SignedDigits {
    bool negative = false;
    QString magnitude = QStringLiteral("0");
};

SignedDigits readDigits(const QString &digits)
{
    SignedDigits out;
    if (hissan::isDigitText(digits)) {
        out.magnitude = hissan::withoutLeadingZeros(digits);
    } else if (digits.startsWith(u'-') && hissan::isDigitText(digits.mid(1))) {
        out.magnitude = hissan::withoutLeadingZeros(digits.mid(1));
        out.negative = out.magnitude != u"0";
    }
    return out;
}

QString signedProduct(const SignedDigits &a, const SignedDigits &b)
{
    const QString m = hissan::multiplyDigits(a.magnitude, b.magnitude);
    return (a.negative != b.negative && m != u"0") ? u'-' + m : m;
}

} // namespace

bool TFormHissanKakezan::Kakezan(const QString &expression)
{
    mResult = RKakezanResult{};
    mResult.expression = expression;
    if (expression.isEmpty()) {
        mResult.status = HissanStatus::Empty;
        return false;
    }
    if (expression.size() > hissan::MaxExpressionLength) {
        mResult.status = HissanStatus::TooLarge;
        return false;
    }
    const QStringList pieces = SplitText(expression, u'*');
    if (pieces.size() < 2) {
        mResult.status = HissanStatus::MissingOperand;
        return false;
    }

    RHissanOperand f1, f2, product;
    f1.text = pieces.at(0);
    f2.text = pieces.at(1);
    f1.syosu = f1.point = hissan::syosuOf(f1.text);
    f2.syosu = f2.point = hissan::syosuOf(f2.text);
    f1.digits = hissan::withoutPoint(f1.text);
    f2.digits = hissan::withoutPoint(f2.text);
    const int syosu = f1.syosu + f2.syosu;

    const SignedDigits a = readDigits(f1.digits);
    const SignedDigits b = readDigits(f2.digits);
    const QString digits = hissan::padLeadingZeros(signedProduct(a, b), syosu);

    // The exact product of the factors as written (0.6 x 0.5 is 0.3).
    const QString approximate =
        FormatGeneral(hissan::safeFloat(f1.text) * hissan::safeFloat(f2.text));
    product.text = IsNumText(f1.text) && IsNumText(f2.text)
                       ? hissan::keisanOr(f1.text + u'*' + f2.text, approximate)
                       : approximate;
    product.syosu = product.point = syosu;
    product.digits = digits;

    // Partial products, one per digit of factor 2 from its right end. The
    // leading zeros of a factor below 1 ("05" of 0.5) only place the point:
    // they are no digits of the multiplier, so 0.6 x 0.5 has a single row.
    qsizetype firstDigit = 0;
    while (firstDigit + 1 < f2.digits.size() && f2.digits.at(firstDigit) == u'0')
        ++firstDigit;
    QStringList partials;
    int k = 0;
    for (qsizetype i = f2.digits.size() - 1; i >= firstDigit; --i) {
        const QChar d = f2.digits.at(i);
        if (d < u'0' || d > u'9')
            continue;
        SignedDigits digit;
        digit.magnitude = QString(d);
        partials.append(signedProduct(a, digit) + QString(k, u' '));
        ++k;
    }
    if (partials.size() <= 1)
        partials.clear();

    int width = std::max({1 + int(f1.digits.size()), 1 + int(f2.digits.size()),
                          int(digits.size())});
    // A partial product never outgrows the product; the check keeps every
    // row inside the grid whatever the factors hold.
    for (const QString &p : partials)
        width = std::max(width, int(p.size()));

    mResult.operands = {f1, f2, product};
    mResult.partials = partials;
    mResult.answer = product.text;
    mResult.kotaeDigits = digits;
    mResult.kotaeSyo = syosu;
    mResult.kotaeZero = hissan::trailingZeros(digits, syosu);
    mResult.width = width;

    HissanGrid &g = mResult.grid;
    g.reset(3 + int(partials.size()), width);
    g.writeRight(0, f1.digits, width - 1);
    g.writeRight(1, f2.digits, width - 1);
    for (int i = 0; i < partials.size(); ++i)
        g.writeRight(2 + i, partials.at(i), width - 1);
    g.writeRight(g.rowCount() - 1, digits, width - 1);

    mResult.status = HissanStatus::Ok;
    return true;
}

bool TFormHissanKakezan::fillRow(RAData &row) const
{
    if (mResult.status != HissanStatus::Ok)
        return false;
    const RHissanOperand &f1 = mResult.operands.at(0);
    const RHissanOperand &f2 = mResult.operands.at(1);
    QStringList answerRows = mResult.partials;
    answerRows.append(mResult.kotaeDigits);
    row.Siki = mResult.expression;
    row.Kotae = hissan::keisanOr(mResult.expression, mResult.answer);
    row.HissanSiki = f1.digits + u'*' + f2.digits;
    row.HissanKotae = answerRows.join(u'_');
    row.SikiSyo = QString::number(f1.syosu) + u'_' + QString::number(f2.syosu);
    row.KaiSikiSyo = 0;
    row.KotaeSyo = mResult.kotaeSyo;
    row.KotaeZero = mResult.kotaeZero;
    row.AmariSyo = 0;
    row.Siki1 = 1;
    row.Siki2 = 2;
    return true;
}
