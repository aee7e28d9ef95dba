#include "render/UnitDrawSiki.h"
#include "render/UnitDrawSikiLayout.h"

#include "platform/UnitNumText.h"

#include <algorithm>

namespace
{
using namespace siki_draw;

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

// Siki1 0: the expression with full-width signs and "＝", the answer right
// after it.
void drawYokoSiki(SikiLayout &L)
{
    const RAData &r = L.row();
    const QString d = FullWidthOperators(r.Siki) + u'＝';
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
    if (r.Siki1 < 0 || r.Siki1 > 3)
        return false;
    // The bracket primitive and every measurement read the measuring font.
    ctx.metrics.SetFont(r.FontName, r.FontSize, r.FontB == 1);
    SikiLayout layout(ctx, cellSizes(ctx.metrics));
    if (r.Siki1 == 0) {
        drawYokoSiki(layout);
        return true;
    }
    if (r.Siki1 == 2) {
        drawBunsuSiki(layout);
        return true;
    }
    if (r.Siki1 == 3) {
        drawBunsyoSiki(layout);
        return true;
    }
    switch (r.Siki2) {
    case 0:
        drawTasuHiku(layout, false);
        break;
    case 1:
        drawTasuHiku(layout, true);
        break;
    case 2:
        drawKakezan(layout);
        break;
    case 3:
        drawWarizan(layout);
        break;
    default:
        break;
    }
    return true;
}

bool DrawSiki(const SikiContext &ctx)
{
    SikiLayouts layouts;
    return layouts.DrawSiki(ctx);
}
