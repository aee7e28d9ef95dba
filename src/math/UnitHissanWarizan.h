// The long-division engine (TFormHissanWarizan): moves the decimal point out
// of the divisor, divides digit by digit into the division grid (quotient
// row, dividend row, then a product row and a remainder row per step), and
// can carry the quotient one decimal place further (WarizanNext) or cut it
// back to the ones place (WarizanBack). Called by the expression tool, random
// generation and the command-line tool. A plain object: it never shows a
// window and never throws; a divisor whose digits are 0 gives no layout.
#pragma once

#include "math/UnitHissan.h"

#include <cstdint>
#include <vector>

// Outputs of a long division.
struct RWarizanResult {
    HissanStatus status = HissanStatus::Empty;
    QString expression;
    QString dividend; // the operand texts as typed
    QString divisor;
    int dividendSyo = 0; // their decimal places
    int divisorSyo = 0;
    // Dividend digits once the divisor's decimal point has been moved away
    // (zeros appended where the dividend had too few decimal places).
    QString workDividend;
    // The dividend as printed in the problem: its own digits, then one space
    // per appended zero.
    QString problemDividend;
    int problemDividendSyo = 0;
    // A row as long as the working dividend: a space per digit of the
    // dividend, then "0" per appended zero (the zeros the pupil writes in).
    QString answerDividend;
    int answerDividendSyo = 0; // decimal places of the working dividend (KaiSikiSyo)
    QString divisorDigits;     // the divisor without its decimal point
    QString quotient;          // quotient digits, quotientSyo decimal places
    int quotientSyo = 0;
    QString remainder; // remainder digits, remainderSyo decimal places
    int remainderSyo = 0;
    // Column 0 is left for the bracket, columns 1..n hold the working
    // dividend; row 0 the quotient, row 1 the dividend, then two rows per
    // division step: the product, and the remainder with the next digit
    // brought down.
    HissanGrid grid;
};

class TFormHissanWarizan {
public:
    // The longest working dividend laid out (the grid grows with its square).
    static constexpr int MaxColumns = 60;

    // Dividend "/" divisor; further pieces are ignored. Returns true when a
    // layout was made; a divisor whose digits are 0 gives ZeroDivisor.
    bool Warizan(const QString &expression);
    // One more decimal place of the quotient. False (nothing changed) without
    // a layout or when the grid would pass MaxColumns.
    bool WarizanNext();
    // Cuts the quotient back to the ones place. False (nothing changed)
    // without a layout or when the quotient has no decimal places.
    bool WarizanBack();

    const RWarizanResult &result() const { return mResult; }
    // Rows 2.. of the division grid as cells 1..n, a space per empty cell.
    QStringList workRows() const;
    // quotient "..." remainder, each written with its decimal point
    // ("18...3" for 75/4, "3.7...0.1" for 7.5/2).
    QString kotae() const;
    // Writes Siki, Kotae, HissanSiki, HissanKotae, SikiSyo, KaiSikiSyo,
    // KotaeSyo, KotaeZero, AmariSyo, Siki1 and Siki2 from the current state.
    bool fillRow(RAData &row) const;

private:
    int columns() const { return mResult.grid.columnCount() - 1; }
    int lastRow() const { return mResult.grid.rowCount() - 1; }
    int onesColumn() const { return columns() - mResult.answerDividendSyo; }
    int64_t rowValue(int row, int last) const;
    int64_t addStep(int column, int64_t partial, bool bringDownAll);
    void emptyLeadingZeros(int row, int last);
    void finish();

    RWarizanResult mResult;
    int64_t mDivisor = 0;
    std::vector<int> mStepColumns; // the column of each division step, in order
    int mDoneColumn = 0;           // the last column divided
};
