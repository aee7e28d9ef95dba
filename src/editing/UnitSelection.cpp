#include "editing/UnitSelection.h"

#include <algorithm>

bool Selection::contains(int row) const
{
    return std::any_of(mEntries.begin(), mEntries.end(),
                       [row](const RMouseSelect &e) { return e.ANo == row; });
}

QVector<int> Selection::rows(int rowCount) const
{
    QVector<int> out;
    for (const RMouseSelect &e : mEntries)
        if (e.ANo >= 0 && e.ANo < rowCount && !out.contains(e.ANo))
            out.append(e.ANo);
    std::sort(out.begin(), out.end());
    return out;
}

bool Selection::sameRows(const QVector<RMouseSelect> &a, const QVector<RMouseSelect> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const RMouseSelect &x, const RMouseSelect &y) { return x.ANo == y.ANo; });
}

void Selection::setEntries(const QVector<RMouseSelect> &entries)
{
    const bool differs = !sameRows(mEntries, entries);
    mEntries = entries;
    if (differs)
        emit changed();
}

void Selection::append(const RMouseSelect &entry)
{
    mEntries.append(entry);
    emit changed();
}

void Selection::clear()
{
    if (mEntries.isEmpty())
        return;
    mEntries.clear();
    emit changed();
}

void Selection::dropMissing(int rowCount)
{
    QVector<RMouseSelect> kept = mEntries;
    kept.erase(std::remove_if(
                   kept.begin(), kept.end(),
                   [rowCount](const RMouseSelect &e) { return e.ANo < 0 || e.ANo >= rowCount; }),
               kept.end());
    setEntries(kept);
}

void Selection::refresh(const QVector<RAData> &AData, bool keepWordProblemSize)
{
    for (RMouseSelect &e : mEntries) {
        if (e.ANo < 0 || e.ANo >= AData.size())
            continue;
        const RAData &row = AData[e.ANo];
        e.X = row.X1;
        e.Y = row.Y1;
        e.W = row.Width;
        e.H = row.Height;
        if (!(keepWordProblemSize && row.Syu == u"5" && row.Siki1 == 3))
            e.FS = row.FontSize;
        e.Lock = row.Lock;
    }
}

void Selection::refreshPositions(const QVector<RAData> &AData)
{
    for (RMouseSelect &e : mEntries) {
        if (e.ANo >= 0 && e.ANo < AData.size()) {
            e.X = AData[e.ANo].X1;
            e.Y = AData[e.ANo].Y1;
        }
    }
}
