// The fraction evaluator: TFormKeisan2::FKeisan answers fraction problems
// written in the fraction notation ("t2s3b5+t1s4b7" is 2 3/5 + 1 4/7);
// KouyakuSu and ReduceFraction reduce fractions. It includes Keisan, the
// evaluator of the other problems, for the callers that use both. Nothing
// here shows a window or keeps state between calls; all of it runs on the
// user-interface thread.
#pragma once

#include "math/UnitKeisan.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

// The greatest common divisor of a and b; 0 when min(a, b) is 0 or negative.
int64_t KouyakuSu(int64_t a, int64_t b);

struct ReducedFraction {
    int64_t whole = 0;
    int64_t numerator = 0;
    int64_t denominator = 1;
    bool operator==(const ReducedFraction &) const = default;
};
// whole + numerator/denominator in lowest terms with a proper fraction part;
// (whole, 0, 1) when the fraction cannot be reduced (KouyakuSu gives 0).
ReducedFraction ReduceFraction(int64_t whole, int64_t numerator, int64_t denominator);

// The answer of a fraction expression. `result` is the whole part, or one of
// the messages below with the other fields empty. A division by zero gives
// all fields empty. `remainder` is always empty.
struct FKeisanResult {
    QString result;
    QString whole;
    QString numerator;
    QString denominator;
    QString remainder;
};

inline const QString FKeisanMessage1 = QStringLiteral("\"（\"と\"）\"の数が合いません。");
inline const QString FKeisanMessage2 = QStringLiteral("\"）\"で始まる数式は、計算できません。");
inline const QString FKeisanMessage3 = QStringLiteral("\"（\"で終わる数式は、計算できません。");
inline const QString FKeisanMessage4 = QStringLiteral("\"）\"が見つかりません。");
// A value beyond the evaluator's range (128-bit fractions, or 64 bits for
// cells held as value x 10000 in decimal mode).
inline const QString FKeisanTooLargeText = QStringLiteral("数が大きすぎて計算できません。");

// The fraction evaluator with its two working tables (the operand table and
// the table of the bracket group being evaluated). The tables are reset at
// every call; one object may be reused to save allocations, but calls must
// not overlap.
class TFormKeisan2 {
public:
    FKeisanResult FKeisan(const QString &expression);

    // One operand: the six rows of a table column.
    struct Column {
        int open = 0;  // row 0: "(" in front of the operand
        QString whole; // row 1: whole part or plain number
        QString num;   // row 2: numerator
        QString den;   // row 3: denominator; empty when not a fraction
        int close = 0; // row 4: ")" after the operand
        char16_t op = 0; // row 5: operator after the operand, 0 for none
    };

private:
    enum class Status { Ok, NoClose, DivisionByZero, TooLarge };

    void tokenise(const QString &expression);
    Status resolveBrackets();
    Status evaluate(std::vector<Column> &table, Column &result);
    Status evaluateFractions(std::vector<Column> &table, Column &result);
    Status evaluateDecimals(std::vector<Column> &table, Column &result);

    std::vector<Column> mOperands; // the operand table
    std::vector<int> mNext;        // links of the operand table's live columns
    std::vector<int> mPrev;
    std::vector<Column> mWork;     // the working table
    // Numeric scratch of one evaluation, parallel to the table evaluated.
    struct Term {
        int64_t num = 0; // decimal mode: the value x 10000
        int64_t den = 1;
    };
    std::vector<Term> mTerms;
    // Fraction mode: numerator and denominator of each operand, exact.
    std::vector<std::pair<__int128, __int128>> mFractions;
};

// Convenience for single calls: a fresh evaluator per call.
FKeisanResult FKeisan(const QString &expression);
