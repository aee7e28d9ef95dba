#include "math/UnitSikiSet.h"
#include "document/UnitPaperSet.h"

#include <algorithm>

namespace
{

// Between a number and its problem.
constexpr int NumberGap = 6;

bool TakesRoom(const QString &syu)
{
    return syu == u"1" || syu == u"2" || syu == u"3" || syu == u"4" || syu == u"5" ||
           syu == u"k";
}

RAData numberRow(const RAData &problem, const QString &text, SikiMeasurer &m)
{
    RAData r;
    r.Syu = QStringLiteral("1");
    r.Page = problem.Page;
    r.Siki = text;
    r.FontName = problem.FontName;
    r.FontSize = problem.FontSize;
    r.ForeColor = 0;
    r.BackColor = 0xFFFFFF;
    r.BackColorB = 0; // no background: the number never hides anything
    r.Layer = problem.Layer;
    r.KotaeMode = problem.KotaeMode;
    SetTextGeometry(r, m.textWidth(text, r.FontName, r.FontSize),
                    m.textHeight(text, r.FontName, r.FontSize));
    return r;
}

} // namespace

QString SetNumberText(SetNumbering numbering, int number)
{
    switch (numbering) {
    case SetNumbering::Paren:
        return QStringLiteral("(%1)").arg(number);
    case SetNumbering::Circle:
        if (number >= 1 && number <= 20)
            return QString(QChar(0x2460 + number - 1));
        if (number >= 21 && number <= 35)
            return QString(QChar(0x3251 + number - 21));
        if (number >= 36 && number <= 50)
            return QString(QChar(0x32B1 + number - 36));
        return QStringLiteral("(%1)").arg(number);
    case SetNumbering::Dot:
        return QStringLiteral("%1.").arg(number);
    case SetNumbering::None:
        break;
    }
    return {};
}

int SetUnitsFromMm(int mm)
{
    return PageUnitsFromMm(int64_t(std::clamp(mm, 0, 1000)) * 10000, PaperBaiForDpi(96));
}

QRect SetAreaRect(const Document &doc, int page, SetArea area, int gap)
{
    const Fixed4 bai = PaperBaiForDpi(96);
    const int w = PageUnitsFromMm(doc.Paper.PaperW, bai);
    const int h = PageUnitsFromMm(doc.Paper.PaperH, bai);
    const int margin = SetUnitsFromMm(10);
    int top = margin;
    if (area == SetArea::BelowObjects) {
        for (const RAData &row : doc.AData) {
            if (row.Page != page || !TakesRoom(row.Syu))
                continue;
            const int64_t bottom = int64_t(row.Y1) + std::max<Integer>(row.Height, 0);
            top = int(std::clamp<int64_t>(std::max<int64_t>(top, bottom + gap), top, h));
        }
    }
    const QRect r(QPoint(margin, top), QPoint(w - margin - 1, h - margin - 1));
    return r.isValid() ? r : QRect();
}

RSetLayout LayoutSet(const QVector<RAData> &problems, const RSetOptions &options, int page,
                     const QRect &area, SikiMeasurer &m)
{
    RSetLayout out;
    const int count = int(problems.size());
    const int gap = SetUnitsFromMm(options.gapMm);
    if (count == 0 || area.isEmpty()) {
        out.message = QStringLiteral("この範囲には問題が入りません。");
        return out;
    }

    // The numbers, measured once: the widest decides the cells' first part.
    QVector<RAData> numbers;
    int numberW = 0, numberH = 0;
    if (options.numbering != SetNumbering::None) {
        for (int i = 0; i < count; ++i) {
            RAData r = numberRow(problems[i], SetNumberText(options.numbering, i + 1), m);
            r.Page = page;
            numberW = std::max<int>(numberW, r.Width);
            numberH = std::max<int>(numberH, r.Height);
            numbers.append(r);
        }
    }
    int problemW = 0, problemH = 0;
    for (const RAData &p : problems) {
        problemW = std::max<int>(problemW, std::max<Integer>(p.Width, 0));
        problemH = std::max<int>(problemH, std::max<Integer>(p.Height, 0));
    }
    const int lead = numberW > 0 ? numberW + NumberGap : 0;
    const int cellW = std::max(1, lead + problemW);
    const int cellH = std::max({1, problemH, numberH});

    const int areaW = area.width(), areaH = area.height();
    const int widthFit = std::max(0, (areaW + gap) / (cellW + gap));
    const int rowsFit = std::max(0, (areaH + gap) / (cellH + gap));
    int columns = options.columns > 0 ? std::min(options.columns, SetMaxColumns)
                                      : std::min({SetMaxColumns, widthFit, count});
    if (options.columns > 0 && columns > widthFit) {
        out.fitCount = 0;
        out.message = QStringLiteral("%1列では横に入りません。列を減らすか「自動」にしてください。")
                          .arg(columns);
        return out;
    }
    out.fitCount = std::min(count, columns * rowsFit);
    if (columns < 1 || rowsFit < 1) {
        out.fitCount = 0;
        out.message = QStringLiteral("この範囲には問題が入りません。");
        return out;
    }
    const int rows = (count + columns - 1) / columns;
    if (rows > rowsFit) {
        out.message = QStringLiteral("この範囲に入るのは%1問までです。").arg(out.fitCount);
        return out;
    }

    // Even columns over the whole width; rows as far apart as the area
    // allows, but never more than twice a cell and its gap.
    const int slotW = areaW / columns;
    const int pitchY =
        rows > 1 ? std::min((areaH - cellH) / (rows - 1), 2 * (cellH + gap)) : cellH + gap;
    out.fits = true;
    out.fitCount = count;
    out.columns = columns;
    out.rowCount = rows;
    for (int i = 0; i < count; ++i) {
        const int x = area.left() + (i % columns) * slotW;
        const int y = area.top() + (i / columns) * pitchY;
        RAData p = problems[i];
        p.Page = page;
        p.X1 = x + lead;
        p.Y1 = y;
        p.X2 = p.X1 + p.Width;
        p.Y2 = p.Y1 + p.Height;
        out.rows.append(p);
        if (!numbers.isEmpty()) {
            RAData &n = numbers[i];
            // Right-aligned against the problem, so "(9)" and "(10)" end at one line.
            n.X1 = x + numberW - n.Width;
            n.Y1 = y;
            SetTextGeometry(n, n.Width, n.Height);
        }
    }
    out.rows.append(numbers);
    return out;
}
