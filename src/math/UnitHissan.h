// The column-arithmetic engines for addition and subtraction (TFormHissan),
// the character grid and operand table shared by all four engines, and the
// one entry point that turns a column expression into the layout strings of
// an object row. Called by the expression tool, random generation, the
// command-line tool and the engine test window. The engines are plain
// objects: they never show a window, never throw for bad input (operands
// that are not numbers count as 0) and never write outside their own result.
#pragma once

#include "document/UnitData.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

// Why an engine produced no layout. Every engine call leaves a status; only
// Ok comes with a meaningful result.
enum class HissanStatus {
    Ok,
    Empty,              // the expression is empty
    NotColumn,          // not one kind of operator between plain numbers (SetHissanRow only)
    MissingOperand,     // a multiplication or division without its second operand
    ZeroDivisor,        // the divisor's digits are 0 (75/0): no long division exists
    TooLarge,           // the problem is too long to lay out as column arithmetic
    NegativeDifference, // a subtraction whose difference is below 0 (10-20)
};

// A grid of character cells, one character at most per cell; a cell may be
// empty, which is not the same as holding a space. Reads outside the grid
// give an empty cell and writes outside it are dropped.
class HissanGrid {
public:
    void reset(int rows, int columns);
    int rowCount() const { return int(mRows.size()); }
    int columnCount() const { return mColumns; }

    bool isEmpty(int row, int column) const { return at(row, column).isNull(); }
    // The character of a cell, QChar() when it is empty.
    QChar at(int row, int column) const;
    // The cell as text: empty, or one character.
    QString cell(int row, int column) const;
    void set(int row, int column, QChar ch);
    void clear(int row, int column) { set(row, column, QChar()); }

    // Writes text so that its last character falls in lastColumn.
    void writeRight(int row, const QString &text, int lastColumn);
    // Cells first..last of a row; an empty cell gives emptyAs, or nothing
    // when emptyAs is null.
    QString text(int row, int first, int last, QChar emptyAs = QChar()) const;

    void appendRows(int count);
    void removeLastRows(int count);
    void appendColumn();

private:
    QList<QString> mRows; // U+0000 marks an empty cell
    int mColumns = 0;
};

// One row of the operand table: an operand, or the answer in the last row.
struct RHissanOperand {
    QString text;   // column 0: the operand as typed; for the answer its value
    int syosu = 0;  // column 1: its decimal places
    QString digits; // column 2: its digit string aligned for the grid
    int point = 0;  // column 3: decimal point position counted from the right, 0 for none
    bool operator==(const RHissanOperand &) const = default;
};

// Outputs of a column addition or subtraction.
struct RHissanResult {
    HissanStatus status = HissanStatus::Empty;
    QString expression;
    QList<RHissanOperand> operands; // one row per operand, then the answer row
    QString answer;                 // the answer value in general number format
    QString kotaeDigits;            // the answer digits without decimal point
    int kotaeSyo = 0;               // decimal places of the answer
    int kotaeZero = 0;              // trailing zeros of the answer's decimal part
    int width = 0;                  // grid columns, one extra for the sign of each operand row
    HissanGrid grid;                // operand rows, then the answer row, right-aligned
};

// Column addition and subtraction. Each call rebuilds the whole result.
class TFormHissan {
public:
    // Operands separated by "+" (or "-"). Returns true when a layout was made.
    bool Tasizan(const QString &expression);
    bool Hikizan(const QString &expression);

    const RHissanResult &result() const { return mResult; }
    // Writes the column fields of an object row from the last result
    // (Siki, Kotae, HissanSiki, HissanKotae, SikiSyo, KaiSikiSyo, KotaeSyo,
    // KotaeZero, AmariSyo, Siki1 and Siki2). Does nothing without a layout.
    bool fillRow(RAData &row) const;

private:
    bool run(const QString &expression, QChar sign);
    RHissanResult mResult;
    bool mSubtract = false;
};

// The column operation of an expression, as the column page of the
// expression tool decides it: the leftmost of "+", "-", "*", "/" picks the
// operation, and every piece between such signs must be a plain number.
// Returns the Siki2 code (0 addition, 1 subtraction, 2 multiplication,
// 3 division), or -1 when the expression is not a column problem.
int HissanSyu(const QString &expression);

// Runs the matching engine on the expression and fills the column fields of
// the row as fillRow does. Returns the engine's status; on anything but Ok
// the row is left untouched.
HissanStatus SetHissanRow(RAData &row, const QString &expression);

// A short sentence for a status other than Ok, in the program's words, for
// the tools that report why no layout was made.
QString HissanStatusText(HissanStatus status);

// Helpers shared by the engines.
namespace hissan {
// Upper bound on the length of a column expression; longer texts are refused
// rather than laid out in a grid that grows with the square of their length.
constexpr int MaxExpressionLength = 1000;
// Decimal places of a number text: the length of the part after ".".
int syosuOf(const QString &text);
// The text without its ".".
QString withoutPoint(const QString &text);
// Conversions that count anything that is not a number as 0.
double safeFloat(const QString &text);
// Zeros at the right end of the answer digits, over at most `syosu` digits.
int trailingZeros(const QString &digits, int syosu);
// "0" put in front until the digits have syosu + 1 of them (after a sign).
QString padLeadingZeros(const QString &digits, int syosu);
// True for a non-empty text of digits only.
bool isDigitText(const QString &text);
// Digits without leading zeros ("0" for none left).
QString withoutLeadingZeros(const QString &digits);
// The product of two digit strings (digits only), without leading zeros.
QString multiplyDigits(const QString &a, const QString &b);
// The answer of the horizontal evaluator, or fallback when it cannot evaluate.
QString keisanOr(const QString &expression, const QString &fallback);
} // namespace hissan
