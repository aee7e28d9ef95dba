#include "editing/UnitObjectCommands.h"
#include "editing/UnitPropertyRules.h"
#include "render/UnitMetrics.h"

#include <algorithm>
#include <limits>

namespace
{

Integer clampToInteger(int64_t v)
{
    return Integer(std::clamp<int64_t>(v, std::numeric_limits<Integer>::min(),
                                       std::numeric_limits<Integer>::max()));
}

RPlace placeOf(const RAData &r)
{
    return {r.X1, r.Y1, r.X2, r.Y2};
}

void setPlace(RAData &r, const RPlace &p)
{
    r.X1 = p.X1;
    r.Y1 = p.Y1;
    r.X2 = p.X2;
    r.Y2 = p.Y2;
}

} // namespace

bool IsMovable(const RAData &row)
{
    return IsHittableKind(row.Syu) && row.Lock == 0;
}

// ---------------------------------------------------------------- places

PlaceRowsCommand::PlaceRowsCommand(Document &doc, const QString &text, RMerge merge)
    : DocumentCommand(doc, text), mMerge(merge)
{
}

void PlaceRowsCommand::place(int row, const RPlace &to)
{
    RAData &r = mDoc.AData[row];
    const RPlace from = placeOf(r);
    if (from == to)
        return;
    if (!mBefore.contains(row))
        mBefore.insert(row, from);
    mAfter.insert(row, to);
    setPlace(r, to);
}

bool PlaceRowsCommand::firstApply()
{
    move();
    // A row moved there and back within one application is no change.
    for (auto it = mBefore.begin(); it != mBefore.end();) {
        if (mAfter.value(it.key()) == it.value()) {
            mAfter.remove(it.key());
            it = mBefore.erase(it);
        } else {
            ++it;
        }
    }
    return !mBefore.isEmpty();
}

void PlaceRowsCommand::reapply()
{
    for (auto it = mAfter.cbegin(); it != mAfter.cend(); ++it)
        setPlace(mDoc.AData[it.key()], it.value());
}

void PlaceRowsCommand::revert()
{
    for (auto it = mBefore.cbegin(); it != mBefore.cend(); ++it)
        setPlace(mDoc.AData[it.key()], it.value());
}

RChange PlaceRowsCommand::changeFor(bool) const
{
    RChange c;
    for (auto it = mBefore.cbegin(); it != mBefore.cend(); ++it) {
        c.rows.append(it.key());
        c.pages.insert(mDoc.AData[it.key()].Page);
    }
    return c;
}

int PlaceRowsCommand::id() const
{
    return mMerge.merges() ? int(mMerge.kind) : -1;
}

bool PlaceRowsCommand::mergeWith(const QUndoCommand *other)
{
    const auto *o = dynamic_cast<const PlaceRowsCommand *>(other);
    if (!o || !mMerge.merges() || !(o->mMerge == mMerge))
        return false;
    for (auto it = o->mBefore.cbegin(); it != o->mBefore.cend(); ++it)
        if (!mBefore.contains(it.key()))
            mBefore.insert(it.key(), it.value());
    for (auto it = o->mAfter.cbegin(); it != o->mAfter.cend(); ++it)
        mAfter.insert(it.key(), it.value());
    for (auto it = mBefore.begin(); it != mBefore.end();) {
        if (mAfter.value(it.key()) == it.value()) {
            mAfter.remove(it.key());
            it = mBefore.erase(it);
        } else {
            ++it;
        }
    }
    setObsolete(mBefore.isEmpty());
    return true;
}

// ---------------------------------------------------------------- moves

MoveObjectsCommand::MoveObjectsCommand(Document &doc, const QVector<RMouseSelect> &sel, int dx,
                                       int dy, int run)
    : PlaceRowsCommand(doc, QStringLiteral("移動"), RMerge{MergeKind::Move, run}), mSel(sel),
      mDx(dx), mDy(dy)
{
}

void MoveObjectsCommand::move()
{
    for (const RMouseSelect &e : mSel) {
        if (e.ANo < 0 || e.ANo >= mDoc.AData.size() || !IsMovable(mDoc.AData[e.ANo]))
            continue;
        RPlace p = placeOf(mDoc.AData[e.ANo]);
        p.X1 = clampToInteger(int64_t(e.X) + mDx);
        p.Y1 = clampToInteger(int64_t(e.Y) + mDy);
        place(e.ANo, p);
    }
}

NudgeObjectsCommand::NudgeObjectsCommand(Document &doc, const QVector<int> &rows, int dx, int dy,
                                         int run)
    : PlaceRowsCommand(doc, QStringLiteral("移動"), RMerge{MergeKind::Nudge, run}), mRows(rows),
      mDx(dx), mDy(dy)
{
}

void NudgeObjectsCommand::move()
{
    QVector<int> done;
    for (int a : mRows) {
        if (a < 0 || a >= mDoc.AData.size() || done.contains(a) || !IsMovable(mDoc.AData[a]))
            continue;
        done.append(a);
        const RAData &row = mDoc.AData[a];
        RPlace p = placeOf(row);
        p.X1 = clampToInteger(int64_t(p.X1) + mDx);
        p.Y1 = clampToInteger(int64_t(p.Y1) + mDy);
        // Texts and lines keep their end point as a page position.
        if (row.Syu == u"1" || row.Syu == u"2") {
            p.X2 = clampToInteger(int64_t(p.X2) + mDx);
            p.Y2 = clampToInteger(int64_t(p.Y2) + mDy);
        }
        place(a, p);
    }
}

ShiftAllObjectsCommand::ShiftAllObjectsCommand(Document &doc, int dy)
    : PlaceRowsCommand(doc, QStringLiteral("移動"), RMerge{}), mDy(dy)
{
}

void ShiftAllObjectsCommand::move()
{
    for (int a = 0; a < mDoc.AData.size(); ++a) {
        RPlace p = placeOf(mDoc.AData[a]);
        p.Y1 = clampToInteger(int64_t(p.Y1) + mDy);
        place(a, p);
    }
}

// ---------------------------------------------------------------- sizes

ResizeObjectsCommand::ResizeObjectsCommand(Document &doc, Metrics &metrics,
                                           const QVector<RMouseSelect> &sel, Handle h,
                                           const PageRect &frameAtPress, FrameSize size, int run)
    : RecordedCommand(doc, QStringLiteral("サイズ変更"), RMerge{MergeKind::Resize, run}),
      mMetrics(metrics), mSel(sel), mHandle(h), mFrame(frameAtPress), mSize(size)
{
}

void ResizeObjectsCommand::edit()
{
    ScaleSelection(mDoc.AData, mSel, mHandle, mFrame, mSize, [this](int rowIndex) {
        RAData &row = mDoc.AData[rowIndex];
        if (row.Syu == u"1") {
            row.Width = mMetrics.GetMojiWidth(row);
            row.Height = mMetrics.GetMojiHeight(row);
        } else if (row.Syu == u"5" && row.Siki1 != 3) {
            mMetrics.FitToContent(mDoc.AData, {rowIndex});
        }
    });
}

SetCoordinatesCommand::SetCoordinatesCommand(Document &doc, const QVector<RMouseSelect> &sel,
                                             const RCoordinates &values)
    : RecordedCommand(doc, QStringLiteral("プロパティ")), mSel(sel), mValues(values)
{
}

void SetCoordinatesCommand::edit()
{
    SetFirstCoordinates(mDoc.AData, mSel, mValues.X1, mValues.Y1, mValues.X2, mValues.Y2,
                        mValues.Width, mValues.Height);
}
