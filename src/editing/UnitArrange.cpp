#include "editing/UnitArrange.h"
#include "platform/UnitNumText.h"

#include <algorithm>
#include <limits>

namespace
{

bool valid(const QVector<RAData> &AData, const RMouseSelect &e)
{
    return e.ANo >= 0 && e.ANo < AData.size();
}

Integer clampToInteger(int64_t v)
{
    return Integer(std::clamp<int64_t>(v, std::numeric_limits<Integer>::min(),
                                       std::numeric_limits<Integer>::max()));
}

// Chains the sorted rows from the first one down: each row's Y1 becomes the
// previous row's Y1 + Height + gap.
void chain(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, int64_t gap)
{
    for (int k = 1; k < sel.size(); ++k) {
        const RAData &prev = AData[sel[k - 1].ANo];
        AData[sel[k].ANo].Y1 = clampToInteger(gap + int64_t(prev.Y1) + prev.Height);
    }
}

bool allValid(const QVector<RAData> &AData, const QVector<RMouseSelect> &sel)
{
    return std::all_of(sel.begin(), sel.end(),
                       [&AData](const RMouseSelect &e) { return valid(AData, e); });
}

} // namespace

void NarabikaeMouseSelect(QVector<RMouseSelect> &sel)
{
    const int n = sel.size();
    for (int pass = 0; pass < n - 1; ++pass)
        for (int i = 0; i + 1 < n; ++i)
            if (sel[i + 1].Y < sel[i].Y)
                std::swap(sel[i], sel[i + 1]);
}

QVector<int> SelectedRows(const QVector<RAData> &AData, const QVector<RMouseSelect> &sel)
{
    QVector<int> rows;
    for (const RMouseSelect &e : sel)
        if (valid(AData, e) && !rows.contains(e.ANo))
            rows.append(e.ANo);
    return rows;
}

bool AlignRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, AlignKind kind)
{
    const QVector<int> rows = SelectedRows(AData, sel);
    if (rows.isEmpty())
        return false;
    int64_t left = std::numeric_limits<int64_t>::max();
    int64_t right = std::numeric_limits<int64_t>::min();
    for (int r : rows) {
        left = std::min<int64_t>(left, AData[r].X1);
        right = std::max<int64_t>(right, int64_t(AData[r].X1) + AData[r].Width);
    }
    // Division in C++ truncates toward zero, as the rule wants.
    const int64_t middle = (left + right) / 2;
    for (int r : rows) {
        RAData &row = AData[r];
        switch (kind) {
        case AlignKind::Left:
            row.X1 = clampToInteger(left);
            break;
        case AlignKind::Center:
            row.X1 = clampToInteger(middle - row.Width / 2);
            break;
        case AlignKind::Right:
            row.X1 = clampToInteger(right - row.Width);
            break;
        }
    }
    return true;
}

bool SpaceEqually(QVector<RAData> &AData, QVector<RMouseSelect> &sel)
{
    const int n = sel.size();
    if (n < 3 || !allValid(AData, sel))
        return false;
    NarabikaeMouseSelect(sel);
    const int64_t y0 = sel.first().Y;
    const int64_t yl = sel.last().Y;
    const int64_t hl = sel.last().H;
    int64_t heights = 0;
    for (const RMouseSelect &e : sel)
        heights += e.H;
    const int64_t gap = (yl + hl - y0 - heights) / (n - 1);
    chain(AData, sel, gap);
    AData[sel.last().ANo].Y1 = clampToInteger(yl);
    return true;
}

bool PackUp(QVector<RAData> &AData, QVector<RMouseSelect> &sel)
{
    return SpaceBy(AData, sel, 0);
}

bool SpaceBy(QVector<RAData> &AData, QVector<RMouseSelect> &sel, int64_t gap)
{
    if (sel.isEmpty() || !allValid(AData, sel))
        return false;
    NarabikaeMouseSelect(sel);
    chain(AData, sel, gap);
    return true;
}

int64_t SpacingFromText(const QString &text)
{
    try {
        return TextToInt64(text.trimmed());
    } catch (const NumTextError &) {
        return 0;
    }
}

bool BringToFront(QVector<RAData> &AData, QVector<RMouseSelect> &sel)
{
    if (sel.size() != 1 || !valid(AData, sel[0]))
        return false;
    const RAData row = AData.takeAt(sel[0].ANo);
    AData.append(row);
    sel[0].ANo = AData.size() - 1;
    return true;
}

bool SendToBack(QVector<RAData> &AData, QVector<RMouseSelect> &sel)
{
    if (sel.size() != 1 || !valid(AData, sel[0]))
        return false;
    const RAData row = AData.takeAt(sel[0].ANo);
    AData.prepend(row);
    sel[0].ANo = 0;
    return true;
}

bool SetLockRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, bool locked)
{
    const QVector<int> rows = SelectedRows(AData, sel);
    for (int r : rows)
        AData[r].Lock = locked ? 1 : 0;
    return !rows.isEmpty();
}

bool DeleteRows(QVector<RAData> &AData, QVector<RMouseSelect> &sel)
{
    for (int r : SelectedRows(AData, sel))
        AData[r].Syu = QStringLiteral("0");
    sel.clear();
    const auto end = std::remove_if(AData.begin(), AData.end(),
                                    [](const RAData &r) { return r.Syu == QLatin1String("0"); });
    const bool removed = end != AData.end();
    AData.erase(end, AData.end());
    return removed;
}

bool SetModeRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, ObjectMode mode)
{
    const QVector<int> rows = SelectedRows(AData, sel);
    for (int r : rows) {
        AData[r].Layer = mode == ObjectMode::NameField ? 3 : 1;
        AData[r].KotaeMode = mode == ObjectMode::Answer ? 1 : 0;
    }
    return !rows.isEmpty();
}
