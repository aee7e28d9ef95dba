#include "render/UnitDrawSiki.h"

#include "platform/UnitNumText.h"

#include <algorithm>

namespace {

// Positions are worked out in 64 bits (a damaged row may hold any X1 or
// Width) and handed to the primitives well inside the int range.
constexpr int64_t CoordLimit = int64_t(1) << 30;

int toInt(int64_t v) { return int(std::clamp<int64_t>(v, -CoordLimit, CoordLimit)); }

// The rows of a layout string: the pieces between the separators, the whole
// text when it holds none, nothing when it is empty.
QStringList rowsOf(const QString &text, QChar separator)
{
    if (text.isEmpty())
        return {};
    QStringList rows = SplitText(text, separator);
    if (rows.isEmpty())
        rows.append(text);
    return rows;
}

// Digits after the "." of a number as written, when it has exactly one ".".
// Returns -1 when it has none (or more than one).
int decimalsOf(const QString &number)
{
    const QStringList parts = SplitText(number, u'.');
    return parts.size() == 2 ? int(parts.at(1).size()) : -1;
}

// A whole number stored as text; anything unreadable counts as 0.
int64_t wholeOf(const QString &text)
{
    try {
        return TextToInt(text);
    } catch (const NumTextError &) {
        return 0;
    }
}

// The cell sizes a problem's font gives.
SikiCellSizes measureCells(const Metrics &m)
{
    SikiCellSizes c;
    c.rh = std::max(1, m.GetMojiH(QString()));
    c.cwPlus = m.GetMojiW(QStringLiteral("＋"));
    c.cwTimes = m.GetMojiW(QStringLiteral("×"));
    c.cwDiv = m.GetMojiW(QStringLiteral("÷"));
    c.dPlus = m.GetMojiW(QStringLiteral("+"));
    c.dStar = m.GetMojiW(QStringLiteral("*"));
    return c;
}

enum class Part { Problem, Answer };

// One problem being drawn: its font, cell sizes and inks, and the few kinds
// of mark every layout is made of.
class SikiLayout {
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
    // empty cell.
    void cell(Part part, int64_t x1, int64_t x2, int64_t line, QChar ch)
    {
        if (ch == u' ' || ch.isNull())
            return;
        const int64_t top = lineTop(line);
        if (x2 <= 0 || x1 >= SikiFarEdge || top >= SikiFarEdge || top + rh <= 0)
            return;
        text(part, x1, top, x2, std::max<int64_t>(top + rh, SikiFarEdge), QString(ch),
             TextFormat::CentreTopClipped);
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
        mDraw.FDrawWari(mCtx.screen, toInt(x1), toInt(y1), toInt(x2), toInt(y2), penSize,
                        ink(part), 1, mRow.Page, printB(part));
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

// Siki1 0: the expression with full-width signs and "＝", the answer right
// after it.
void drawYokoSiki(SikiLayout &L)
{
    const RAData &r = L.row();
    QString d = r.Siki;
    d.replace(u'+', u'＋');
    d.replace(u'-', u'－');
    d.replace(u'*', u'×');
    d.replace(u'/', u'÷');
    d += u'＝';
    const int64_t bottom = L.Y1 + r.Height;
    L.text(Part::Problem, L.X1, L.Y1, L.R, bottom, d, TextFormat::LeftTopClipped);
    L.text(Part::Answer, L.X1 + L.metrics().GetMojiW(d), L.Y1, L.R, bottom, r.Kotae,
           TextFormat::LeftTopClipped);
}

// Siki1 1, Siki2 0 and 1: operand rows aligned on their decimal points, the
// sign before the last one, the bar, and the answer row under it.
void drawTasuHiku(SikiLayout &L, bool subtract)
{
    const RAData &r = L.row();
    const QChar s = subtract ? u'-' : u'+';
    const int cw = L.cwPlus;

    // The operands as written decide which rows carry a point, and where.
    const QStringList written = rowsOf(r.Siki, s);
    int dp = 0;
    QVector<bool> decimal;
    for (const QString &operand : written) {
        const int places = decimalsOf(operand);
        decimal.append(places >= 0);
        dp = std::max(dp, places);
    }

    const QStringList rows = rowsOf(r.HissanSiki, s);
    const qsizetype n = rows.size();
    for (qsizetype k = 0; k < n; ++k) {
        L.rightAligned(Part::Problem, rows.at(k), k, cw);
        if (k < decimal.size() && decimal.at(k))
            L.point(Part::Problem, L.R - int64_t(dp) * cw, k, L.dPlus);
    }
    if (n > 0) {
        L.cell(Part::Problem, L.X1, L.X1 + cw, n - 1, subtract ? u'－' : u'＋');
        L.bar(Part::Problem, L.X1, L.R, L.lineTop(n) - 1);
    }

    L.rightAligned(Part::Answer, r.HissanKotae, n, cw);
    if (r.KotaeSyo > 0)
        L.point(Part::Answer, L.R - int64_t(r.KotaeSyo) * cw, n, L.dPlus);
    if (r.KotaeZero > 0)
        L.strikeZeros(n, r.KotaeZero, r.HissanKotae.size());
}

// Siki1 1, Siki2 2: the two factors, the sign, the bar, the partial products
// and the product with a second bar above it when there are partial products.
void drawKakezan(SikiLayout &L)
{
    const RAData &r = L.row();
    const QStringList written = rowsOf(r.Siki, u'*');
    const QStringList rows = rowsOf(r.HissanSiki, u'*');
    const qsizetype n = rows.size();
    for (qsizetype k = 0; k < n; ++k) {
        L.rightAligned(Part::Problem, rows.at(k), k, L.cwTimes);
        const int dp = k < written.size() ? decimalsOf(written.at(k)) : -1;
        if (dp > 0)
            L.pointIn(Part::Problem, L.R - int64_t(dp) * L.cwTimes - L.dStar,
                      L.R - int64_t(dp) * L.cwPlus + L.dStar, k);
    }
    if (n > 0) {
        const int64_t top = L.lineTop(n - 1);
        if (top < SikiFarEdge && top + L.rh > 0)
            L.text(Part::Problem, L.X1, top, std::max<int64_t>(L.X1, SikiFarEdge),
                   std::max<int64_t>(top + L.rh, SikiFarEdge), QStringLiteral("×"),
                   TextFormat::LeftTopClipped);
        L.bar(Part::Problem, L.X1, L.R, L.lineTop(n) - 1);
    }

    // The answer rows follow the operand rows (line 2 + j under the engine's
    // two factors).
    const QStringList answers = rowsOf(r.HissanKotae, u'_');
    const qsizetype m = answers.size();
    for (qsizetype j = 0; j < m; ++j) {
        if (L.lineTop(n + j) >= SikiFarEdge)
            break;
        L.rightAligned(Part::Answer, answers.at(j), n + j, L.cwPlus);
    }
    if (m == 0)
        return;
    const int64_t last = n + m - 1;
    if (m > 2)
        L.bar(Part::Answer, L.X1, L.R, L.lineTop(last));
    if (r.KotaeSyo > 0)
        L.point(Part::Answer, L.R - int64_t(r.KotaeSyo) * L.cwPlus, last, L.dPlus);
    if (r.KotaeZero > 0)
        L.strikeZeros(last, r.KotaeZero, answers.last().size());
}

// Siki1 1, Siki2 3: divisor, bracket and dividend on line 1 under the
// quotient, the moved decimal points, and the working rows below with a bar
// above every second one.
void drawWarizan(SikiLayout &L)
{
    const RAData &r = L.row();
    const int cw = L.cwDiv;
    const int64_t line1 = L.lineTop(1);

    // Without a "/" the whole text is taken as the dividend.
    const QStringList pieces = rowsOf(r.HissanSiki, u'/');
    const QString dividend = pieces.value(0);
    const QString divisor = pieces.value(1);
    const int64_t q = divisor.size();
    const int64_t xb = L.X1 + q * cw;
    const int64_t xd = xb + cw;

    L.leftToRight(Part::Problem, divisor, L.X1, 1, cw);

    // The divisor as written: its point sits i cells from its left end.
    const QStringList divisorParts = SplitText(rowsOf(r.Siki, u'/').value(1), u'.');
    const bool divisorPoint = divisorParts.size() == 2;
    const int64_t xPoint = divisorPoint ? L.X1 + int64_t(divisorParts.at(0).size()) * L.cwPlus : 0;
    if (divisorPoint)
        L.point(Part::Problem, xPoint, 1, L.dPlus);

    L.bracket(Part::Problem, xb, line1, xb + cw, line1 + L.rh);
    L.bar(Part::Problem, xb + cw / 3, L.R, line1);
    L.leftToRight(Part::Problem, dividend, xd, 1, cw);

    const QStringList syo = rowsOf(r.SikiSyo, u'_');
    const int64_t p0 = wholeOf(syo.value(0));
    if (p0 > 0)
        L.point(Part::Problem, L.R - p0 * L.cwPlus, 1, L.dPlus);

    // The short stroke that crosses out a decimal point at boundary x.
    auto crossOut = [&](int64_t x) {
        L.stroke(Part::Answer, x - 2 * cw / 16, line1 + 10 * L.rh / 16, x + 2 * cw / 16,
                 line1 + 14 * L.rh / 16);
    };

    const QStringList work = rowsOf(r.HissanKotae, u'_');
    if (divisorPoint)
        crossOut(xPoint);
    if (!work.isEmpty())
        L.leftToRight(Part::Answer, work.at(0), xd, 1, cw);
    if (p0 != r.KaiSikiSyo) {
        if (p0 > 0)
            crossOut(L.R - p0 * L.cwPlus);
        if (r.KaiSikiSyo > 0)
            L.point(Part::Answer, L.R - int64_t(r.KaiSikiSyo) * L.cwPlus, 1, L.dPlus);
    }
    if (work.size() > 2)
        L.rightAligned(Part::Answer, work.at(2), 0, cw);
    if (r.KotaeSyo > 0)
        L.point(Part::Answer, L.R - int64_t(r.KotaeSyo) * L.cwPlus, 0, L.dPlus);
    for (qsizetype j = 3; j < work.size(); ++j) {
        if (L.lineTop(j - 1) >= SikiFarEdge)
            break;
        L.leftToRight(Part::Answer, work.at(j), xd, j - 1, cw);
        if (j % 2 == 0)
            L.bar(Part::Answer, xb + cw / 3, L.R, L.lineTop(j - 1));
    }
    if (r.AmariSyo > 0 && work.size() > 3)
        L.point(Part::Answer, L.R - int64_t(r.AmariSyo) * L.cwPlus, work.size() - 2, L.dPlus);
}

} // namespace

SikiInks SikiInksFor(const RAData &row, const RowInk &problemInk, const ViewState &view,
                     bool PrintB)
{
    SikiInks inks;
    inks.problem = problemInk.color;
    inks.problemShown = !(row.KotaeMode == 1 && PrintB && !view.AnswerDisplay);
    inks.answer = view.AnswerDisplay ? view.AnswerColor : KotaeColor;
    inks.answerOnPaper = view.AnswerDisplay;
    return inks;
}

const SikiCellSizes &SikiLayouts::cellSizes(const Metrics &m)
{
    const FontSpec &font = m.Font();
    for (const auto &entry : mCellSizes)
        if (entry.first == font)
            return entry.second;
    if (mCellSizes.size() >= 32)
        mCellSizes.clear();
    mCellSizes.emplace_back(font, measureCells(m));
    return mCellSizes.back().second;
}

bool SikiLayouts::DrawSiki(const SikiContext &ctx)
{
    const RAData &r = ctx.row;
    if (r.Siki1 != 0 && r.Siki1 != 1)
        return false;
    // The bracket primitive and every measurement read the measuring font.
    ctx.metrics.SetFont(r.FontName, r.FontSize, r.FontB == 1);
    SikiLayout layout(ctx, cellSizes(ctx.metrics));
    if (r.Siki1 == 0) {
        drawYokoSiki(layout);
        return true;
    }
    switch (r.Siki2) {
    case 0: drawTasuHiku(layout, false); break;
    case 1: drawTasuHiku(layout, true); break;
    case 2: drawKakezan(layout); break;
    case 3: drawWarizan(layout); break;
    default: break;
    }
    return true;
}

bool DrawSiki(const SikiContext &ctx)
{
    SikiLayouts layouts;
    return layouts.DrawSiki(ctx);
}
