#include "editing/UnitNameHeader.h"
#include "document/UnitPaperSet.h"
#include "editing/UnitMoji.h"
#include "render/UnitMetrics.h"

#include <algorithm>

namespace
{

const QString DateText = QStringLiteral("　　月　　日");
const QString NameText = QStringLiteral("名前");
const QString ScoreText = QStringLiteral("　　点");
const QString ScoreMark = QStringLiteral("点");

// Room inside a box around its text, between two boxes, and below the
// header before the first object of the page.
constexpr int Pad = 10;
constexpr int Gap = 12;
constexpr int GapBelow = 15;
// A name needs room for a few characters after its label.
constexpr int NameChars = 4;

int unitsFromMm(int mm)
{
    return PageUnitsFromMm(int64_t(mm) * 10000, PaperBaiForDpi(96));
}

class HeaderBuilder
{
public:
    HeaderBuilder(int page, const QString &fontName, Metrics &metrics)
        : mPage(page), mFontName(fontName), mMetrics(metrics)
    {
        const ModeFields mode = ModeForNewObject(true, false);
        mLayer = mode.Layer;
        mKotaeMode = mode.KotaeMode;
    }

    QSize measure(const QString &text) const
    {
        return MeasureTextLines(mMetrics, text, mFontName, NameHeaderFontSize, false);
    }

    void box(int x, int y, int w, int h, int penWidth)
    {
        RAData r = base();
        r.Syu = QStringLiteral("3");
        r.X1 = x;
        r.Y1 = y;
        r.Width = w;
        r.Height = h;
        r.FontSize = penWidth;
        r.LineSyu = 0;
        r.BackColor = 0xFFFFFF;
        r.BackColorB = 0; // no fill: the texts and what lies under stay visible
        rows.append(r);
    }

    void text(const QString &t, int x, int y)
    {
        RAData r = base();
        r.Syu = QStringLiteral("1");
        r.X1 = x;
        r.Y1 = y;
        r.Siki = t;
        r.FontName = mFontName;
        r.FontSize = NameHeaderFontSize;
        const QSize size = measure(t);
        SetTextGeometry(r, size.width(), size.height());
        r.BackColor = 0xFFFFFF;
        r.BackColorB = 0;
        rows.append(r);
    }

    QVector<RAData> rows;

private:
    RAData base() const
    {
        RAData r;
        r.Page = mPage;
        r.ForeColor = 0;
        r.Layer = mLayer;
        r.KotaeMode = mKotaeMode;
        return r;
    }

    int mPage;
    QString mFontName;
    Metrics &mMetrics;
    Integer mLayer = 3, mKotaeMode = 0;
};

// Rows that stand on a page and can be in the header's way.
bool standsOnPage(const RAData &row)
{
    return !row.Syu.isEmpty() && row.Syu != u"0";
}

int64_t rowBottom(const RAData &row)
{
    // A flat line still takes one unit of the page.
    return int64_t(row.Y1) + std::max<Integer>(row.Height, 1);
}

int64_t rowRight(const RAData &row)
{
    return int64_t(row.X1) + std::max<Integer>(row.Width, 1);
}

// The objects that the header would cover (with its free band below) and
// everything that starts at or below the highest of them move down by the
// same amount, so that the page keeps its order and spacing.
void makeRoom(const Document &doc, int page, int pageHeight, RNameHeader &h)
{
    const int64_t left = h.area.left(), right = int64_t(h.area.left()) + h.area.width();
    const int64_t top = h.area.top();
    const int64_t freeFrom = int64_t(h.area.top()) + h.area.height() + h.gapBelow;
    int64_t highest = -1;
    bool any = false;
    for (const RAData &row : doc.AData) {
        if (row.Page != page || !standsOnPage(row))
            continue;
        const bool inWay =
            row.X1 < right && rowRight(row) > left && row.Y1 < freeFrom && rowBottom(row) > top;
        if (inWay && (!any || row.Y1 < highest)) {
            highest = row.Y1;
            any = true;
        }
    }
    if (!any)
        return;
    const int64_t dy = freeFrom - highest;
    for (int a = 0; a < doc.AData.size(); ++a) {
        const RAData &row = doc.AData[a];
        if (row.Page != page || !standsOnPage(row) || row.Y1 < highest)
            continue;
        h.shifts.append(RRowShift{a, Integer(dy)});
        if (rowBottom(row) + dy > pageHeight)
            h.pushesOffPage = true;
    }
}

} // namespace

int NameHeaderMargin()
{
    return unitsFromMm(10);
}

RNameHeader LayoutNameHeader(const Document &doc, int page, NameHeaderStyle style,
                             const QString &fontName, Metrics &metrics)
{
    RNameHeader out;
    const Fixed4 bai = PaperBaiForDpi(96);
    const int pageW = PageUnitsFromMm(doc.Paper.PaperW, bai);
    const int pageH = PageUnitsFromMm(doc.Paper.PaperH, bai);
    const int margin = NameHeaderMargin();
    const int left = margin;
    const int width = pageW - 2 * margin;
    const int top = margin;

    HeaderBuilder b(page, fontName, metrics);
    const QSize date = b.measure(DateText);
    const QSize name = b.measure(NameText);
    const int textH = std::max({date.height(), name.height(), 1});
    const int rowH = textH + 2 * Pad;
    const int dateW = date.width() + 2 * Pad;
    const int nameMinW = name.width() + 2 * Pad + NameChars * NameHeaderFontSize;
    // Texts sit in the middle of their box's height.
    auto textY = [&](int boxY, int h) { return boxY + (rowH - h) / 2; };

    int height = 0;
    if (style == NameHeaderStyle::OneLine) {
        const QSize score = b.measure(ScoreText);
        const int scoreW = score.width() + 2 * Pad;
        const int nameW = width - dateW - scoreW - 2 * Gap;
        if (nameW < nameMinW) {
            out.message = QStringLiteral("この用紙の幅には名前欄が入りません。");
            return out;
        }
        const int nameX = left + dateW + Gap;
        const int scoreX = left + width - scoreW;
        b.box(left, top, dateW, rowH, 1);
        b.text(DateText, left + Pad, textY(top, date.height()));
        b.box(nameX, top, nameW, rowH, 1);
        b.text(NameText, nameX + Pad, textY(top, name.height()));
        b.box(scoreX, top, scoreW, rowH, 1);
        b.text(ScoreText, scoreX + Pad, textY(top, score.height()));
        height = rowH;
    } else {
        // The score area is as high as the two rows beside it.
        const int rowGap = Gap / 2;
        const int side = 2 * rowH + rowGap;
        const int nameW = width - side - Gap;
        if (nameW < std::max(nameMinW, dateW)) {
            out.message = QStringLiteral("この用紙の幅には名前欄が入りません。");
            return out;
        }
        const int nameY = top + rowH + rowGap;
        const int scoreX = left + width - side;
        const QSize mark = b.measure(ScoreMark);
        b.box(left, top, dateW, rowH, 1);
        b.text(DateText, left + Pad, textY(top, date.height()));
        b.box(left, nameY, nameW, rowH, 1);
        b.text(NameText, left + Pad, textY(nameY, name.height()));
        b.box(scoreX, top, side, side, 2);
        b.text(ScoreMark, scoreX + side - Pad - mark.width(), top + side - Pad - mark.height());
        height = side;
    }
    out.fits = true;
    out.rows = b.rows;
    out.area = QRect(left, top, width, height);
    out.gapBelow = GapBelow;
    makeRoom(doc, page, pageH, out);
    return out;
}
