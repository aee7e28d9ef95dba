// The layouts of math problems ("5" rows) drawn from the strings the
// expression tool and the column engines stored in the row: a horizontal
// expression with its answer (Siki1 0), the four column layouts of
// Siki1 1 (addition, subtraction, multiplication, long division) with their
// digit cells, bars, decimal points, struck trailing zeros and the division
// bracket, stacked fractions (Siki1 2) and word problems with their formula
// and answer lines (Siki1 3). The page renderer hands every "5" row to its SikiLayouts; the layouts draw through the primitives only.
//
// Every mark is in one of two inks. The problem part uses the ink the
// renderer worked out for the row and is left out only when an answer
// problem is printed with answer display off. The answer part uses the
// answer colour (answer display on) or the pale KotaeColor (off), shows on
// screen always and reaches paper only while answer display is on.
//
// Any other Siki1 is left alone (DrawSiki returns false), and a Siki2 other
// than 0..3 with Siki1 1 draws nothing. Strings that do not have the shape the engines give draw
// what they can: missing rows, cells and pieces are simply not drawn. Nothing here changes the
// document or keeps state between calls.
#pragma once

#include "render/UnitRender.h"

#include <utility>
#include <vector>

// The far edge of any page in page units (over 4 metres): digit cells reach
// this far down, the multiplication sign this far right, and cells that lie
// wholly beyond it (or before 0) are not drawn.
inline constexpr int SikiFarEdge = 1 << 14;

// The light grey of the squares a column problem may give the pupil's
// digits (マス目): visible on paper, faint beside the digits written in them.
inline constexpr TColor MasuColor = 0x00C0C0C0;

// The two inks of a problem and where each part is drawn.
struct SikiInks {
    TColor problem = 0;         // ink of the problem part
    bool problemShown = true;   // false: the problem part is left out of this pass
    TColor answer = 0;          // ink of the answer part
    bool answerOnPaper = false; // the answer part goes to paper in a print pass
};

// The inks and visibility of a "5" row for this pass. problemInk is the ink
// the renderer's display rules give the row.
SikiInks SikiInksFor(const RAData &row, const RowInk &problemInk, const ViewState &view,
                     bool PrintB);

// The sizes a problem's font gives its cells (see the layouts).
struct SikiCellSizes {
    int rh = 1;               // line height
    int cwPlus = 0;           // width of "＋"
    int cwTimes = 0;          // width of "×"
    int cwDiv = 0;            // width of "÷"
    int dPlus = 0, dStar = 0; // half-widths of a decimal point's box: "+" and "*"
};

// The layouts, as the renderer calls them for every "5" row.
// An instance keeps the cell sizes of the last few fonts it measured (they
// depend on the font alone, and measuring shapes text); nothing else.
class SikiLayouts : public ProblemDrawer
{
public:
    // Draws the row's layout for its Siki1 and Siki2. Returns true when the
    // row is one of the layouts of this unit (Siki1 0 to 3, also when its
    // strings are malformed or nothing ends up drawn), false for unknown
    // kinds, which it leaves untouched.
    bool DrawSiki(const SikiContext &ctx);
    void drawProblem(const SikiContext &ctx) override { DrawSiki(ctx); }

private:
    const SikiCellSizes &cellSizes(const Metrics &m);
    std::vector<std::pair<FontSpec, SikiCellSizes>> mCellSizes;
};

// The same for a caller that keeps no SikiLayouts: measures the cells afresh
// on every call, so a page of problems redraws a little slower.
bool DrawSiki(const SikiContext &ctx);
