#include "math/UnitHissanWarizan.h"

#include "platform/UnitNumText.h"

#include <algorithm>
#include <limits>

namespace {

// The divisor is held as a 64-bit integer, and a partial dividend reaches
// ten times the divisor, so divisors keep to 17 significant digits.
constexpr int MaxDivisorDigits = 17;

// An operand as the long division reads it: anything that is not a plain
// number counts as 0, and ".5" gets its ones digit so that the quotient
// always has a cell in front of its decimal point.
QString plainOperand(const QString &text)
{
    if (!IsNumText(text))
        return QStringLiteral("0");
    return text.startsWith(u'.') ? u'0' + text : text;
}

bool isZeroText(const QString &s)
{
    for (QChar c : s)
        if (c != u'0' && c != u' ')
            return false;
    return true;
}

// Digits with their decimal point put back, spaces dropped ("37", 1 -> "3.7").
QString withPoint(QString digits, int syosu)
{
    if (syosu > 0) {
        if (digits.size() < syosu + 1)
            digits = QString(syosu + 1 - digits.size(), u'0') + digits;
        digits.insert(digits.size() - syosu, u'.');
    }
    digits.remove(u' ');
    if (digits.isEmpty() || digits.startsWith(u'.'))
        digits.prepend(u'0');
    return digits;
}

QChar digitChar(int64_t d) { return QChar(char16_t(u'0' + d)); }

} // namespace

bool TFormHissanWarizan::Warizan(const QString &expression)
{
    mResult = RWarizanResult{};
    mResult.expression = expression;
    mDivisor = 0;
    mStepColumns.clear();
    mDoneColumn = 0;
    RWarizanResult &w = mResult;
    if (expression.isEmpty()) {
        w.status = HissanStatus::Empty;
        return false;
    }
    if (expression.size() > hissan::MaxExpressionLength) {
        w.status = HissanStatus::TooLarge;
        return false;
    }
    const QStringList pieces = SplitText(expression, u'/');
    if (pieces.size() < 2) {
        w.status = HissanStatus::MissingOperand;
        return false;
    }
    w.dividend = pieces.at(0);
    w.divisor = pieces.at(1);
    const QString dividend = plainOperand(w.dividend);
    const QString divisor = plainOperand(w.divisor);
    w.dividendSyo = hissan::syosuOf(dividend);
    w.divisorSyo = hissan::syosuOf(divisor);
    w.divisorDigits = hissan::withoutPoint(divisor);

    const QString significant = hissan::withoutLeadingZeros(w.divisorDigits);
    if (significant == u"0") {
        w.status = HissanStatus::ZeroDivisor;
        return false;
    }
    if (significant.size() > MaxDivisorDigits) {
        w.status = HissanStatus::TooLarge;
        return false;
    }
    try {
        mDivisor = TextToInt64(significant);
    } catch (const NumTextError &) {
        w.status = HissanStatus::TooLarge;
        return false;
    }

    w.workDividend = hissan::withoutPoint(dividend);
    w.answerDividendSyo = w.dividendSyo;
    w.problemDividend = w.workDividend;
    w.problemDividendSyo = w.dividendSyo;
    w.answerDividend = QString(w.workDividend.size(), u' ');

    // Moving the decimal point out of the divisor: each of its decimal places
    // uses up one decimal place of the dividend, or appends a zero to it.
    for (int i = 0; i < w.divisorSyo; ++i) {
        if (w.answerDividendSyo > 0) {
            --w.answerDividendSyo;
        } else {
            w.workDividend += u'0';
            w.problemDividend += u' ';
            w.answerDividend += u'0';
            if (w.problemDividendSyo > 0)
                ++w.problemDividendSyo;
        }
    }
    const int n = int(w.workDividend.size());
    if (n > MaxColumns) {
        w.status = HissanStatus::TooLarge;
        return false;
    }

    w.grid.reset(2, n + 1);
    w.grid.writeRight(1, w.workDividend, n);

    // Digit by digit; nothing is written until the first quotient digit that
    // is not 0, from then on every column is a step.
    int64_t partial = 0;
    bool started = false;
    for (int c = 1; c <= n; ++c) {
        partial = partial * 10 + (w.workDividend.at(c - 1).unicode() - u'0');
        if (!started && partial / mDivisor == 0)
            continue;
        started = true;
        partial = addStep(c, partial, false);
    }
    mDoneColumn = n;
    finish();
    w.status = HissanStatus::Ok;
    return true;
}

bool TFormHissanWarizan::WarizanNext()
{
    RWarizanResult &w = mResult;
    if (w.status != HissanStatus::Ok)
        return false;
    const int n = columns();
    if (mDoneColumn < n) {
        // After WarizanBack the grid already holds the columns that were cut
        // back: divide the next of them again instead of adding a column.
        const int c = mDoneColumn + 1;
        const int last = lastRow();
        if (last >= 2) {
            for (int col = c + 1; col <= n; ++col)
                w.grid.clear(last, col);
            emptyLeadingZeros(last, c);
        }
        addStep(c, rowValue(last, c), true);
        mDoneColumn = c;
        finish();
        return true;
    }
    if (n + 1 > MaxColumns)
        return false;

    // A zero appended to the dividend and brought down.
    w.grid.appendColumn();
    const int c = n + 1;
    const int last = lastRow();
    w.grid.set(1, c, u'0');
    w.grid.set(last, c, u'0');
    if (last >= 2) // the dividend row keeps its digits
        emptyLeadingZeros(last, c);
    if (w.problemDividendSyo > 0)
        ++w.problemDividendSyo;
    ++w.answerDividendSyo;
    w.workDividend += u'0';
    w.problemDividend += u' ';
    w.answerDividend += u'0';
    addStep(c, rowValue(last, c), false);
    mDoneColumn = c;
    finish();
    return true;
}

bool TFormHissanWarizan::WarizanBack()
{
    RWarizanResult &w = mResult;
    if (w.status != HissanStatus::Ok || w.quotientSyo == 0)
        return false;
    const int n = columns();
    const int ones = onesColumn();
    for (int col = ones + 1; col <= n; ++col)
        w.grid.clear(0, col);
    // Every step of a decimal place goes, not only the last one, so that the
    // rows left match the quotient left.
    while (!mStepColumns.empty() && mStepColumns.back() > ones) {
        w.grid.removeLastRows(2);
        mStepColumns.pop_back();
    }
    // The remainder at the ones place carries all the dividend digits after
    // it (its decimal places count to the grid's right end).
    const int last = lastRow();
    if (last >= 2) {
        for (int col = mStepColumns.back() + 1; col <= n; ++col)
            w.grid.set(last, col, w.workDividend.at(col - 1));
    }
    mDoneColumn = ones;
    finish();
    return true;
}

int64_t TFormHissanWarizan::rowValue(int row, int last) const
{
    int64_t v = 0;
    for (int col = 1; col <= last; ++col) {
        const QChar ch = mResult.grid.at(row, col);
        if (ch < u'0' || ch > u'9')
            continue;
        if (v > (std::numeric_limits<int64_t>::max() - 9) / 10)
            break;
        v = v * 10 + (ch.unicode() - u'0');
    }
    return v;
}

int64_t TFormHissanWarizan::addStep(int column, int64_t partial, bool bringDownAll)
{
    RWarizanResult &w = mResult;
    const int64_t q = partial / mDivisor;
    const int64_t product = q * mDivisor;
    const int64_t r = partial - product;
    if (q <= 9)
        w.grid.set(0, column, digitChar(q));
    else // cannot happen while the grid is consistent; keep the digits in the grid
        w.grid.writeRight(0, QString::number(q), column);
    w.grid.appendRows(2);
    const int productRow = lastRow() - 1;
    w.grid.writeRight(productRow, QString::number(product), column);
    if (r != 0)
        w.grid.writeRight(productRow + 1, QString::number(r), column);
    const int n = columns();
    const int lastBrought = bringDownAll ? n : std::min(n, column + 1);
    for (int col = column + 1; col <= lastBrought; ++col)
        w.grid.set(productRow + 1, col, w.workDividend.at(col - 1));
    mStepColumns.push_back(column);
    return r;
}

void TFormHissanWarizan::emptyLeadingZeros(int row, int last)
{
    for (int col = 1; col <= last; ++col) {
        const QChar ch = mResult.grid.at(row, col);
        if (!ch.isNull() && ch != u'0')
            break;
        mResult.grid.clear(row, col);
    }
}

void TFormHissanWarizan::finish()
{
    RWarizanResult &w = mResult;
    HissanGrid &g = w.grid;
    const int n = columns();
    const int ones = onesColumn();
    const bool complete = mDoneColumn >= n;
    // While columns are left undivided (after WarizanBack) the rows keep a
    // space per empty cell, so that they stay aligned with the grid.
    const QChar emptyAs = complete ? QChar() : QChar(u' ');

    w.quotientSyo = mDoneColumn > ones ? w.answerDividendSyo : 0;
    for (int col = std::max(1, ones); col <= mDoneColumn; ++col)
        if (g.isEmpty(0, col))
            g.set(0, col, u'0');
    w.quotient = g.text(0, 1, n, emptyAs);

    // The zeros in front of the remainder's decimal point; this also fills
    // an empty last cell of the last row.
    const int last = lastRow();
    w.remainderSyo = w.answerDividendSyo + w.divisorSyo;
    for (int col = std::max(1, n - w.remainderSyo); col <= n; ++col)
        if (g.isEmpty(last, col))
            g.set(last, col, u'0');
    w.remainder = g.text(last, 1, n, emptyAs);
    if (isZeroText(w.remainder)) {
        w.remainder = QStringLiteral("0");
        w.remainderSyo = 0;
        if (last >= 2) // never the dividend row
            for (int col = 1; col < n; ++col)
                g.clear(last, col);
    }
}

QStringList TFormHissanWarizan::workRows() const
{
    QStringList rows;
    for (int r = 2; r <= lastRow(); ++r)
        rows.append(mResult.grid.text(r, 1, columns(), u' '));
    return rows;
}

QString TFormHissanWarizan::kotae() const
{
    if (mResult.status != HissanStatus::Ok)
        return QString();
    return withPoint(mResult.quotient, mResult.quotientSyo) + QStringLiteral("...") +
           withPoint(mResult.remainder, mResult.remainderSyo);
}

bool TFormHissanWarizan::fillRow(RAData &row) const
{
    const RWarizanResult &w = mResult;
    if (w.status != HissanStatus::Ok)
        return false;
    QStringList parts{w.answerDividend, w.divisorDigits, w.quotient};
    parts += workRows();
    row.Siki = w.expression;
    row.Kotae = kotae();
    row.HissanSiki = w.problemDividend + u'/' + w.divisorDigits;
    row.HissanKotae = parts.join(u'_');
    row.SikiSyo = QString::number(w.problemDividendSyo) + u'_' + QString::number(w.divisorSyo);
    row.KaiSikiSyo = w.answerDividendSyo;
    row.KotaeSyo = w.quotientSyo;
    row.KotaeZero = 0;
    row.AmariSyo = w.remainderSyo;
    row.Siki1 = 1;
    row.Siki2 = 3;
    return true;
}
