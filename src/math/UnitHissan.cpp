#include "math/UnitHissan.h"

#include "math/UnitHissanKakezan.h"
#include "math/UnitHissanWarizan.h"
#include "math/UnitKeisan2.h"
#include "platform/UnitNumText.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// HissanGrid

void HissanGrid::reset(int rows, int columns)
{
    mColumns = std::max(0, columns);
    mRows = QList<QString>(std::max(0, rows), QString(mColumns, QChar()));
}

QChar HissanGrid::at(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= mColumns)
        return QChar();
    return mRows.at(row).at(column);
}

QString HissanGrid::cell(int row, int column) const
{
    const QChar ch = at(row, column);
    return ch.isNull() ? QString() : QString(ch);
}

void HissanGrid::set(int row, int column, QChar ch)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= mColumns)
        return;
    mRows[row][column] = ch;
}

void HissanGrid::writeRight(int row, const QString &text, int lastColumn)
{
    const int n = int(text.size());
    for (int i = 0; i < n; ++i)
        set(row, lastColumn - (n - 1 - i), text.at(i));
}

QString HissanGrid::text(int row, int first, int last, QChar emptyAs) const
{
    QString out;
    for (int c = first; c <= last; ++c) {
        const QChar ch = at(row, c);
        if (!ch.isNull())
            out += ch;
        else if (!emptyAs.isNull())
            out += emptyAs;
    }
    return out;
}

void HissanGrid::appendRows(int count)
{
    for (int i = 0; i < count; ++i)
        mRows.append(QString(mColumns, QChar()));
}

void HissanGrid::removeLastRows(int count)
{
    const int keep = std::max(0, rowCount() - std::max(0, count));
    mRows.resize(keep);
}

void HissanGrid::appendColumn()
{
    ++mColumns;
    for (QString &r : mRows)
        r.append(QChar());
}

// ---------------------------------------------------------------------------
// Shared helpers

namespace hissan {

int syosuOf(const QString &text)
{
    const QStringList parts = SplitText(text, u'.');
    return parts.size() >= 2 ? int(parts.at(1).size()) : 0;
}

QString withoutPoint(const QString &text)
{
    QString s = text;
    s.remove(u'.');
    return s;
}

double safeFloat(const QString &text)
{
    try {
        return TextToFloat(text);
    } catch (const NumTextError &) {
        return 0.0;
    }
}

int trailingZeros(const QString &digits, int syosu)
{
    int count = 0;
    for (int i = int(digits.size()) - 1, seen = 0; i >= 0 && seen < syosu; --i, ++seen) {
        if (digits.at(i) != u'0')
            break;
        ++count;
    }
    return count;
}

QString padLeadingZeros(const QString &digits, int syosu)
{
    const bool negative = digits.startsWith(u'-');
    QString magnitude = negative ? digits.mid(1) : digits;
    if (magnitude.size() < syosu + 1)
        magnitude = QString(syosu + 1 - magnitude.size(), u'0') + magnitude;
    return negative ? u'-' + magnitude : magnitude;
}

namespace {
bool onlyDigits(const QString &s)
{
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString stripZeros(const QString &digits)
{
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits.at(i) == u'0')
        ++i;
    return digits.isEmpty() ? QStringLiteral("0") : digits.mid(i);
}

// Magnitudes as digit strings without leading zeros.
int compareDigits(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

QString addDigits(const QString &a, const QString &b)
{
    QString out;
    int carry = 0;
    for (qsizetype i = a.size() - 1, j = b.size() - 1; i >= 0 || j >= 0 || carry; --i, --j) {
        int d = carry;
        if (i >= 0)
            d += a.at(i).unicode() - u'0';
        if (j >= 0)
            d += b.at(j).unicode() - u'0';
        out.prepend(QChar(u'0' + d % 10));
        carry = d / 10;
    }
    return stripZeros(out);
}

// a - b for a >= b.
QString subtractDigits(const QString &a, const QString &b)
{
    QString out;
    int borrow = 0;
    for (qsizetype i = a.size() - 1, j = b.size() - 1; i >= 0; --i, --j) {
        int d = (a.at(i).unicode() - u'0') - borrow - (j >= 0 ? b.at(j).unicode() - u'0' : 0);
        borrow = d < 0 ? 1 : 0;
        if (d < 0)
            d += 10;
        out.prepend(QChar(u'0' + d));
    }
    return stripZeros(out);
}
} // namespace

QString multiplyDigits(const QString &a, const QString &b)
{
    const QString x = stripZeros(a);
    const QString y = stripZeros(b);
    std::vector<int> acc(size_t(x.size() + y.size()), 0);
    for (qsizetype i = x.size() - 1; i >= 0; --i) {
        const int dx = x.at(i).unicode() - u'0';
        for (qsizetype j = y.size() - 1; j >= 0; --j) {
            const size_t k = size_t(i + j + 1);
            acc[k] += dx * (y.at(j).unicode() - u'0');
            acc[k - 1] += acc[k] / 10;
            acc[k] %= 10;
        }
    }
    QString out;
    out.reserve(qsizetype(acc.size()));
    for (int d : acc)
        out += QChar(u'0' + d);
    return stripZeros(out);
}

QString keisanOr(const QString &expression, const QString &fallback)
{
    try {
        return Keisan(expression);
    } catch (const KeisanError &) {
    } catch (const NumTextError &) {
    }
    return fallback;
}

bool isDigitText(const QString &s) { return !s.isEmpty() && onlyDigits(s); }
QString withoutLeadingZeros(const QString &digits) { return stripZeros(digits); }

} // namespace hissan

// ---------------------------------------------------------------------------
// TFormHissan

namespace {

// An operand as a signed digit string aligned to the answer's decimal
// places. A plain number, or one with a minus sign in front, is read as it
// is; anything else counts as 0, as in the numeric conversions.
struct SignedDigits {
    bool negative = false;
    QString magnitude = QStringLiteral("0");
};

SignedDigits alignedOperand(const QString &piece, int syosu)
{
    SignedDigits out;
    QString text = piece;
    if (text.startsWith(u'-') && IsNumText(text.mid(1))) {
        out.negative = true;
        text.remove(0, 1);
    } else if (!IsNumText(text)) {
        return out;
    }
    const QString aligned =
        hissan::withoutPoint(text) + QString(syosu - hissan::syosuOf(text), u'0');
    out.magnitude = hissan::withoutLeadingZeros(aligned);
    if (out.magnitude == u"0")
        out.negative = false;
    return out;
}

SignedDigits addSigned(const SignedDigits &a, const SignedDigits &b)
{
    SignedDigits out;
    if (a.negative == b.negative) {
        out.negative = a.negative;
        out.magnitude = hissan::addDigits(a.magnitude, b.magnitude);
    } else if (hissan::compareDigits(a.magnitude, b.magnitude) >= 0) {
        out.negative = a.negative;
        out.magnitude = hissan::subtractDigits(a.magnitude, b.magnitude);
    } else {
        out.negative = b.negative;
        out.magnitude = hissan::subtractDigits(b.magnitude, a.magnitude);
    }
    if (out.magnitude == u"0")
        out.negative = false;
    return out;
}

// The answer scaled to an integer, computed on the aligned digit strings:
// exact at any length, where the floating sum would round or turn into an
// exponent.
QString scaledAnswer(const QStringList &pieces, int syosu, bool subtract)
{
    SignedDigits sum;
    for (int i = 0; i < pieces.size(); ++i) {
        SignedDigits term = alignedOperand(pieces.at(i), syosu);
        if (subtract && i > 0 && term.magnitude != u"0")
            term.negative = !term.negative;
        sum = i == 0 ? term : addSigned(sum, term);
    }
    return sum.negative ? u'-' + sum.magnitude : sum.magnitude;
}

} // namespace

bool TFormHissan::Tasizan(const QString &expression)
{
    mSubtract = false;
    return run(expression, u'+');
}

bool TFormHissan::Hikizan(const QString &expression)
{
    mSubtract = true;
    return run(expression, u'-');
}

bool TFormHissan::run(const QString &expression, QChar sign)
{
    mResult = RHissanResult{};
    mResult.expression = expression;
    if (expression.isEmpty()) {
        mResult.status = HissanStatus::Empty;
        return false;
    }
    if (expression.size() > hissan::MaxExpressionLength) {
        mResult.status = HissanStatus::TooLarge;
        return false;
    }

    QStringList pieces = SplitText(expression, sign);
    if (pieces.isEmpty()) // no sign at all: a single operand
        pieces.append(expression);

    int syosu = 0;
    double value = 0.0;
    for (int i = 0; i < pieces.size(); ++i) {
        RHissanOperand op;
        op.text = pieces.at(i);
        op.syosu = hissan::syosuOf(op.text);
        syosu = std::max(syosu, op.syosu);
        const double v = hissan::safeFloat(op.text);
        value = (i == 0 || !mSubtract) ? value + v : value - v;
        mResult.operands.append(op);
    }
    for (RHissanOperand &op : mResult.operands) {
        op.digits = hissan::withoutPoint(op.text) + QString(syosu - op.syosu, u' ');
        op.point = op.syosu > 0 ? syosu : 0;
    }

    QString digits = scaledAnswer(pieces, syosu, mSubtract);
    // Column subtraction takes the smaller number from the larger one; a
    // difference below 0 has no written layout.
    if (digits.startsWith(u'-')) {
        mResult = RHissanResult{};
        mResult.expression = expression;
        mResult.status = HissanStatus::NegativeDifference;
        return false;
    }
    // Leading zeros so that the decimal point has a digit in front of it
    // (0.05 with two places is "005"); subtraction needs them just as much
    // (1.05-1 is "005", not "5" with a point outside its digits).
    digits = hissan::padLeadingZeros(digits, syosu);

    RHissanOperand answerRow;
    // The exact value of the operands as written (615.2-614 is 1.2); the
    // double sum only stands in for an operand that is not a number.
    const bool plain = std::all_of(pieces.cbegin(), pieces.cend(), IsNumText);
    answerRow.text =
        plain ? hissan::keisanOr(pieces.join(sign), FormatGeneral(value)) : FormatGeneral(value);
    answerRow.syosu = syosu;
    answerRow.digits = digits;
    answerRow.point = syosu > 0 ? syosu : 0;
    mResult.operands.append(answerRow);

    mResult.answer = answerRow.text;
    mResult.kotaeDigits = digits;
    mResult.kotaeSyo = syosu;

    int width = int(digits.size());
    for (int i = 0; i + 1 < mResult.operands.size(); ++i)
        width = std::max(width, 1 + int(mResult.operands.at(i).digits.size()));
    mResult.width = width;

    mResult.grid.reset(int(mResult.operands.size()), width);
    for (int r = 0; r < mResult.operands.size(); ++r)
        mResult.grid.writeRight(r, mResult.operands.at(r).digits, width - 1);

    // Counted on the answer row of the grid, from its rightmost cell.
    const int answerRowIndex = int(mResult.operands.size()) - 1;
    int zeros = 0;
    for (int k = 0; k < syosu; ++k) {
        if (mResult.grid.at(answerRowIndex, width - 1 - k) != u'0')
            break;
        ++zeros;
    }
    mResult.kotaeZero = zeros;
    mResult.status = HissanStatus::Ok;
    return true;
}

bool TFormHissan::fillRow(RAData &row) const
{
    if (mResult.status != HissanStatus::Ok)
        return false;
    const QChar sign = mSubtract ? u'-' : u'+';
    QStringList rows;
    QStringList points;
    for (int i = 0; i + 1 < mResult.operands.size(); ++i) {
        rows.append(mResult.operands.at(i).digits);
        points.append(QString::number(mResult.operands.at(i).point));
    }
    row.Siki = mResult.expression;
    row.Kotae = hissan::keisanOr(mResult.expression, mResult.answer);
    row.HissanSiki = rows.join(sign);
    row.HissanKotae = mResult.kotaeDigits;
    row.SikiSyo = points.join(u'_');
    row.KaiSikiSyo = 0;
    row.KotaeSyo = mResult.kotaeSyo;
    row.KotaeZero = mResult.kotaeZero;
    row.AmariSyo = 0;
    row.Siki1 = 1;
    row.Siki2 = mSubtract ? 1 : 0;
    return true;
}

// ---------------------------------------------------------------------------
// The one entry point

int HissanSyu(const QString &expression)
{
    static const QString signs = QStringLiteral("+-*/");
    qsizetype first = -1;
    for (qsizetype i = 0; i < expression.size(); ++i) {
        if (signs.contains(expression.at(i))) {
            first = i;
            break;
        }
    }
    if (first < 0)
        return -1;
    const QChar sign = expression.at(first);
    const QStringList pieces = SplitText(expression, sign);
    // The engines use only two factors or two division pieces; a third would
    // be left out of the layout while the answer counted it.
    if ((sign == u'*' || sign == u'/') && pieces.size() != 2)
        return -1;
    for (const QString &p : pieces)
        if (!IsNumText(p))
            return -1;
    return int(signs.indexOf(sign));
}

HissanStatus SetHissanRow(RAData &row, const QString &expression)
{
    if (expression.isEmpty())
        return HissanStatus::Empty;
    const int syu = HissanSyu(expression);
    switch (syu) {
    case 0:
    case 1: {
        TFormHissan engine;
        const bool ok = syu == 0 ? engine.Tasizan(expression) : engine.Hikizan(expression);
        if (ok)
            engine.fillRow(row);
        return engine.result().status;
    }
    case 2: {
        TFormHissanKakezan engine;
        if (engine.Kakezan(expression))
            engine.fillRow(row);
        return engine.result().status;
    }
    case 3: {
        TFormHissanWarizan engine;
        if (engine.Warizan(expression))
            engine.fillRow(row);
        return engine.result().status;
    }
    default:
        return HissanStatus::NotColumn;
    }
}

QString HissanStatusText(HissanStatus status)
{
    switch (status) {
    case HissanStatus::Ok:
        return QString();
    case HissanStatus::Empty:
        return QStringLiteral("式が入力されていません。");
    case HissanStatus::NotColumn:
        return QStringLiteral("筆算にできる式ではありません。");
    case HissanStatus::MissingOperand:
        return QStringLiteral("筆算の式に数が足りません。");
    case HissanStatus::ZeroDivisor:
        return QStringLiteral("0でわる筆算はできません。");
    case HissanStatus::TooLarge:
        return QStringLiteral("桁数が多すぎて筆算にできません。");
    case HissanStatus::NegativeDifference:
        return QStringLiteral("答えが0より小さくなるひき算は、筆算にできません。");
    }
    return QString();
}
