#include "document/UnitRowCommands.h"

#include <algorithm>
#include <limits>

namespace
{

// Kinds whose PicNo names an entry of BMData.
bool usesPicture(const QString &syu)
{
    return syu == u"4" || syu == u"b" || syu == u"r";
}

Integer shifted(Integer v, Integer dy)
{
    return Integer(std::clamp<int64_t>(int64_t(v) + dy, std::numeric_limits<Integer>::min(),
                                       std::numeric_limits<Integer>::max()));
}

} // namespace

// ---------------------------------------------------------------- add

AddObjectsCommand::AddObjectsCommand(Document &doc, const QString &text, RNewObjects objects)
    : DocumentCommand(doc, text), mObjects(std::move(objects))
{
}

bool AddObjectsCommand::firstApply()
{
    if (mObjects.rows.isEmpty() && mObjects.pictures.isEmpty())
        return false;
    mFirstRow = mDoc.AData.size();
    const int firstPicture = mDoc.BMData.size();
    // IDs stay positive, also after a damaged file with negative ones.
    Integer id = std::max<Integer>(mDoc.GetId(), 1);
    for (RAData &r : mObjects.rows) {
        r.ID = id++;
        if (usesPicture(r.Syu))
            r.PicNo += firstPicture;
    }
    reapply();
    return true;
}

void AddObjectsCommand::reapply()
{
    mDoc.BMData.append(mObjects.pictures);
    mDoc.AData.append(mObjects.rows);
}

void AddObjectsCommand::revert()
{
    mDoc.AData.resize(mDoc.AData.size() - mObjects.rows.size());
    mDoc.BMData.resize(mDoc.BMData.size() - mObjects.pictures.size());
}

RChange AddObjectsCommand::changeFor(bool undone) const
{
    RChange c;
    for (int k = 0; k < mObjects.rows.size(); ++k) {
        c.pages.insert(mObjects.rows[k].Page);
        if (!undone)
            c.rows.append(mFirstRow + k);
    }
    return c;
}

// ---------------------------------------------------------------- remove

RemoveObjectsCommand::RemoveObjectsCommand(Document &doc, const QString &text,
                                           const QVector<int> &rows)
    : DocumentCommand(doc, text), mRows(rows)
{
}

bool RemoveObjectsCommand::firstApply()
{
    QVector<bool> gone(mDoc.AData.size(), false);
    for (int r : mRows)
        if (r >= 0 && r < mDoc.AData.size())
            gone[r] = true;
    for (int i = 0; i < mDoc.AData.size(); ++i) {
        if (gone[i] || mDoc.AData[i].Syu == u"0") {
            mRemovedAt.append(i);
            mRemoved.append(mDoc.AData[i]);
        }
    }
    if (mRemovedAt.isEmpty())
        return false;
    reapply();
    return true;
}

void RemoveObjectsCommand::reapply()
{
    QVector<RAData> kept;
    kept.reserve(mDoc.AData.size() - mRemovedAt.size());
    int next = 0;
    for (int i = 0; i < mDoc.AData.size(); ++i) {
        if (next < mRemovedAt.size() && mRemovedAt[next] == i) {
            ++next;
            continue;
        }
        kept.append(std::move(mDoc.AData[i]));
    }
    mDoc.AData = std::move(kept);
}

void RemoveObjectsCommand::revert()
{
    QVector<RAData> all;
    const int total = mDoc.AData.size() + mRemovedAt.size();
    all.reserve(total);
    int next = 0, src = 0;
    for (int i = 0; i < total; ++i) {
        if (next < mRemovedAt.size() && mRemovedAt[next] == i)
            all.append(mRemoved[next++]);
        else
            all.append(std::move(mDoc.AData[src++]));
    }
    mDoc.AData = std::move(all);
}

RChange RemoveObjectsCommand::changeFor(bool undone) const
{
    RChange c;
    for (const RAData &r : mRemoved)
        c.pages.insert(r.Page);
    if (undone)
        c.rows = mRemovedAt;
    return c;
}

// ---------------------------------------------------------------- change

ChangeObjectCommand::ChangeObjectCommand(Document &doc, const QString &text, int row,
                                         const RAData &after)
    : DocumentCommand(doc, text), mRow(row), mAfter(after)
{
}

bool ChangeObjectCommand::firstApply()
{
    if (mRow < 0 || mRow >= mDoc.AData.size() || mDoc.AData[mRow] == mAfter)
        return false;
    mBefore = mDoc.AData[mRow];
    reapply();
    return true;
}

void ChangeObjectCommand::reapply()
{
    mDoc.AData[mRow] = mAfter;
}

void ChangeObjectCommand::revert()
{
    mDoc.AData[mRow] = mBefore;
}

RChange ChangeObjectCommand::changeFor(bool) const
{
    RChange c;
    c.pages = {mBefore.Page, mAfter.Page};
    c.rows = {mRow};
    return c;
}

// ---------------------------------------------------------------- name field

LoadNameFieldCommand::LoadNameFieldCommand(Document &doc, NameFieldFile file)
    : RecordedCommand(doc, QStringLiteral("名前欄の読み込み")), mFile(std::move(file))
{
}

void LoadNameFieldCommand::edit()
{
    PutNameField(mDoc, mFile);
}

// ---------------------------------------------------------------- insert and shift

InsertAndShiftCommand::InsertAndShiftCommand(Document &doc, const QString &text,
                                             RNewObjects objects, QVector<RRowShift> shifts)
    : RecordedCommand(doc, text), mObjects(std::move(objects)), mShifts(std::move(shifts))
{
}

void InsertAndShiftCommand::edit()
{
    QVector<bool> moved(mDoc.AData.size(), false);
    for (const RRowShift &s : mShifts) {
        // A row named twice moves once: the layout names each row once, and
        // a second shift would put it further than the room that was made.
        if (s.row < 0 || s.row >= mDoc.AData.size() || moved[s.row] || s.dy == 0)
            continue;
        moved[s.row] = true;
        RAData &r = mDoc.AData[s.row];
        r.Y1 = shifted(r.Y1, s.dy);
        if (r.Syu == u"1" || r.Syu == u"2")
            r.Y2 = shifted(r.Y2, s.dy);
    }
    const int firstPicture = mDoc.BMData.size();
    Integer id = std::max<Integer>(mDoc.GetId(), 1);
    for (RAData r : mObjects.rows) {
        r.ID = id++;
        if (usesPicture(r.Syu))
            r.PicNo += firstPicture;
        mDoc.AData.append(r);
    }
    mDoc.BMData.append(mObjects.pictures);
}
