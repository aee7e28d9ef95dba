// The column-multiplication engine (TFormHissanKakezan): factor rows, one
// partial product per digit of the second factor and the product, laid out
// in a right-aligned grid, plus the column fields of an object row. Called by
// the expression tool, random generation and the command-line tool through
// SetHissanRow or directly. A plain object: it never shows a window and never
// throws for bad input (a factor that is not a number counts as 0).
#pragma once

#include "math/UnitHissan.h"

// Outputs of a column multiplication.
struct RKakezanResult {
    HissanStatus status = HissanStatus::Empty;
    QString expression;
    QList<RHissanOperand> operands; // factor 1, factor 2, then the product row
    // One partial product per digit of factor 2 from the right, each followed
    // by its shift spaces; empty when factor 2 has a single digit, since the
    // product is then written directly.
    QStringList partials;
    QString answer;      // the product value in general number format
    QString kotaeDigits; // the product digits without decimal point
    int kotaeSyo = 0;    // decimal places of the product
    int kotaeZero = 0;   // trailing zeros of the product's decimal part
    int width = 0;
    HissanGrid grid; // factor 1, factor 2, the partial products, the product
};

class TFormHissanKakezan {
public:
    // Two factors separated by "*"; further factors are ignored. Returns true
    // when a layout was made.
    bool Kakezan(const QString &expression);

    const RKakezanResult &result() const { return mResult; }
    // Writes Siki, Kotae, HissanSiki, HissanKotae, SikiSyo, KaiSikiSyo,
    // KotaeSyo, KotaeZero, AmariSyo, Siki1 and Siki2 from the last result.
    bool fillRow(RAData &row) const;

private:
    RKakezanResult mResult;
};
