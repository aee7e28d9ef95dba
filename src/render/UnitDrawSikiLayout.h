// The pieces every math-problem layout is drawn with: one problem being
// drawn (its font, cell sizes and two inks) and the few kinds of mark the
// layouts are made of. Private to the layout units of this folder; nothing
// outside the render layer includes it.
#pragma once

#include "math/UnitHissanOptions.h"
#include "render/UnitDrawSiki.h"

#include <algorithm>

namespace siki_draw
{

// Positions are worked out in 64 bits (a damaged row may hold any X1 or
// Width) and handed to the primitives well inside the int range.
inline constexpr int64_t CoordLimit = int64_t(1) << 30;

inline int toInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, -CoordLimit, CoordLimit));
}

enum class Part { Problem, Answer };

// One problem being drawn: its font, cell sizes and inks, and the few kinds
// of mark every layout is made of.
class SikiLayout
{
public:
    // The measuring font is the problem's font already (see DrawSiki).
    SikiLayout(const SikiContext &ctx, const SikiCellSizes &c)
        : mCtx(ctx), mRow(ctx.row), mDraw(ctx.draw),
          mInks(SikiInksFor(ctx.row, ctx.problemInk, ctx.view, ctx.PrintB))
    {
        rh = c.rh;
        cwPlus = c.cwPlus;
        cwTimes = c.cwTimes;
        cwDiv = c.cwDiv;
        dPlus = c.dPlus;
        dStar = c.dStar;
        // A damaged size must not make a pen wider than the largest font.
        penSize = std::clamp(mRow.FontSize, 0, MaxCellHeight);
        barPen = penSize / 20 + 1;
        X1 = mRow.X1;
        Y1 = mRow.Y1;
        R = int64_t(mRow.X1) + mRow.Width;
        // The options of a column problem: squares under the answer digits,
        // and the carry-mark row that pushes every line down.
        if (mRow.Siki1 == 1 && !mRow.RandZ2.isEmpty()) {
            const HissanOptions options = HissanOptions::fromText(mRow.RandZ2);
            mMasu = options.masu();
            if (options.memo())
                Y1 += HissanMemoHeight(rh);
        }
    }

    const RAData &row() const { return mRow; }
    Metrics &metrics() const { return mCtx.metrics; }

    int64_t lineTop(int64_t line) const { return Y1 + line * rh; }

    // Text in a rectangle, in the ink of its part.
    void text(Part part, int64_t x1, int64_t y1, int64_t x2, int64_t y2, const QString &t,
              int flags)
    {
        if (!shown(part) || t.isEmpty())
            return;
        mDraw.FDrawText(mCtx.screen, toInt(x1), toInt(y1), toInt(x2), toInt(y2), t, mRow.FontName,
                        mRow.FontSize, flags, ink(part), 0, 0, mRow.FontB, mRow.FontI, mRow.FontU,
                        mRow.FontS, mRow.Page, printB(part));
    }

    // One character centred in the cell x1..x2 of a line; a cell reaches down
    // to the far edge so that nothing is clipped vertically. A space is an
    // empty cell. With squares on, every answer digit's cell gets its square
    // first, from this very cell, so digit and square can never part.
    void cell(Part part, int64_t x1, int64_t x2, int64_t line, QChar ch)
    {
        if (ch == u' ' || ch.isNull())
            return;
        const int64_t top = lineTop(line);
        if (x2 <= 0 || x1 >= SikiFarEdge || top >= SikiFarEdge || top + rh <= 0)
            return;
        if (mMasu && part == Part::Answer)
            square(x1, top, x2, top + rh);
        text(part, x1, top, x2, std::max<int64_t>(top + rh, SikiFarEdge), QString(ch),
             TextFormat::CentreTopClipped);
    }

    // The light square a pupil writes one digit in: the outline of the cell
    // (x1, y1)-(x2, y2) in four thin lines. It belongs to the sheet itself,
    // so it shows and prints wherever the problem part does, answers shown
    // or not. Lines rather than a box, since a box prints black.
    void square(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
    {
        if (!mInks.problemShown)
            return;
        const int a = toInt(x1), b = toInt(y1), c = toInt(x2), d = toInt(y2);
        const bool paper = mCtx.PrintB;
        mDraw.FDrawLine(mCtx.screen, a, b, c, b, MasuColor, 0, 1, 1, mRow.Page, paper);
        mDraw.FDrawLine(mCtx.screen, c, b, c, d, MasuColor, 0, 1, 1, mRow.Page, paper);
        mDraw.FDrawLine(mCtx.screen, c, d, a, d, MasuColor, 0, 1, 1, mRow.Page, paper);
        mDraw.FDrawLine(mCtx.screen, a, d, a, b, MasuColor, 0, 1, 1, mRow.Page, paper);
    }

    // The text one character per cell, its last character in the cell that
    // ends at the right edge R.
    void rightAligned(Part part, const QString &t, int64_t line, int cw)
    {
        if (!shown(part))
            return;
        const qsizetype n = t.size();
        for (qsizetype j = 1; j <= n; ++j) {
            const int64_t x1 = R - j * cw;
            if (cw > 0 && x1 + cw <= 0)
                break; // every further cell lies left of the page
            cell(part, x1, x1 + cw, line, t.at(n - j));
        }
    }

    // The text one character per cell, left to right from x.
    void leftToRight(Part part, const QString &t, int64_t x, int64_t line, int cw)
    {
        if (!shown(part))
            return;
        for (qsizetype j = 0; j < t.size(); ++j) {
            const int64_t x1 = x + j * cw;
            if (cw > 0 && x1 >= SikiFarEdge)
                break;
            cell(part, x1, x1 + cw, line, t.at(j));
        }
    }

    // A decimal point centred in the box xa..xb of a line.
    void pointIn(Part part, int64_t xa, int64_t xb, int64_t line)
    {
        const int64_t top = lineTop(line);
        if (top >= SikiFarEdge || top + rh <= 0)
            return;
        text(part, xa, top, xb, std::max<int64_t>(top + rh, SikiFarEdge), QStringLiteral("."),
             TextFormat::CentreTopClipped);
    }

    // A decimal point on the cell boundary x.
    void point(Part part, int64_t x, int64_t line, int half)
    {
        pointIn(part, x - half, x + half, line);
    }

    // A horizontal bar in the bar pen.
    void bar(Part part, int64_t x1, int64_t x2, int64_t y) { stroke(part, x1, y, x2, y); }

    // An outlined rectangle with pen width 1 and no fill (on paper every box
    // is a black outline anyway).
    void box(Part part, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
    {
        if (!shown(part))
            return;
        mDraw.FDrawBox(mCtx.screen, toInt(x1), toInt(y1), toInt(x2), toInt(y2), 1, 1, ink(part),
                       ink(part), 0, mRow.Page, printB(part));
    }

    // The right edge of the page image in page units.
    int64_t pageRight() const { return mCtx.pageRight; }

    // A segment across the box, falling or rising as the row's LineSyu says.
    void stroke(Part part, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
    {
        if (!shown(part))
            return;
        mDraw.FDrawLine(mCtx.screen, toInt(x1), toInt(y1), toInt(x2), toInt(y2), ink(part),
                        mRow.LineSyu, barPen, 1, mRow.Page, printB(part));
    }

    // The long-division bracket in the cell (x1, y1)-(x2, y2).
    void bracket(Part part, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
    {
        if (!shown(part))
            return;
        mDraw.FDrawWari(mCtx.screen, toInt(x1), toInt(y1), toInt(x2), toInt(y2), penSize, ink(part),
                        1, mRow.Page, printB(part));
    }

    // Crosses out the rightmost `count` cells of a line, the trailing zeros of
    // a decimal answer. Never more cells than the answer row holds.
    void strikeZeros(int64_t line, int64_t count, qsizetype cellsInRow)
    {
        count = std::min<int64_t>(count, cellsInRow);
        const int64_t top = lineTop(line);
        for (int64_t k = 1; k <= count; ++k)
            stroke(Part::Answer, R - k * cwPlus + cwPlus / 8, top + rh / 8,
                   R - (k - 1) * cwPlus - cwPlus / 8, top + rh - rh / 8);
    }

    int rh = 1;
    int cwPlus = 0, cwTimes = 0, cwDiv = 0;
    int dPlus = 0, dStar = 0;
    int barPen = 1;
    int penSize = 0;
    int64_t X1 = 0, Y1 = 0, R = 0;

private:
    bool mMasu = false; // squares under the answer digits
    bool shown(Part part) const { return part == Part::Answer || mInks.problemShown; }
    TColor ink(Part part) const { return part == Part::Problem ? mInks.problem : mInks.answer; }
    bool printB(Part part) const
    {
        return mCtx.PrintB && (part == Part::Problem || mInks.answerOnPaper);
    }

    const SikiContext &mCtx;
    const RAData &mRow;
    Draw &mDraw;
    SikiInks mInks;
};

// Siki1 2 and 3: the fraction and the word-problem layouts.
void drawBunsuSiki(SikiLayout &L);
void drawBunsyoSiki(SikiLayout &L);

} // namespace siki_draw
