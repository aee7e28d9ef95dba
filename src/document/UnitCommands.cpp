#include "document/UnitCommands.h"

#include <QMap>
#include <QUndoStack>
#include <algorithm>

namespace
{

// Indexes from..to-1.
void appendRange(QVector<int> &out, int from, int to)
{
    for (int i = from; i < to; ++i)
        out.append(i);
}

template <class T> RTableDiff<T> diffTables(const QVector<T> &before, const QVector<T> &after)
{
    RTableDiff<T> d;
    const int nb = before.size(), na = after.size();
    const int common = std::min(nb, na);
    int p = 0;
    while (p < common && before[p] == after[p])
        ++p;
    int s = 0;
    while (s < common - p && before[nb - 1 - s] == after[na - 1 - s])
        ++s;
    const int bEnd = nb - s, aEnd = na - s;

    if (nb == na) {
        // Same length: rows are matched by position.
        for (int i = p; i < bEnd; ++i)
            if (!(before[i] == after[i])) {
                d.removedAt.append(i);
                d.insertedAt.append(i);
            }
    } else {
        // Rows only removed (or only inserted): match the shorter middle
        // against the longer one in order. When that fails the whole
        // middle counts as replaced, which is always right, only larger.
        const bool removal = na < nb;
        const QVector<T> &longer = removal ? before : after;
        const QVector<T> &shorter = removal ? after : before;
        const int lEnd = removal ? bEnd : aEnd, sEnd = removal ? aEnd : bEnd;
        QVector<int> extra;
        int j = p;
        for (int i = p; i < lEnd; ++i) {
            if (j < sEnd && longer[i] == shorter[j])
                ++j;
            else
                extra.append(i);
        }
        if (j == sEnd) {
            (removal ? d.removedAt : d.insertedAt) = extra;
        } else {
            appendRange(d.removedAt, p, bEnd);
            appendRange(d.insertedAt, p, aEnd);
        }
    }
    for (int i : d.removedAt)
        d.removed.append(before[i]);
    for (int i : d.insertedAt)
        d.inserted.append(after[i]);
    return d;
}

// Turns `table` from one side of the difference into the other: the rows at
// `dropAt` (indexes of `table`) go, `add` lands at `addAt` (indexes of the
// result). Built in one pass, so a large removal costs one copy of the table.
template <class T>
void applyDiff(QVector<T> &table, const QVector<int> &dropAt, const QVector<int> &addAt,
               const QVector<T> &add)
{
    if (dropAt == addAt) {
        for (int k = 0; k < addAt.size(); ++k)
            table[addAt[k]] = add[k];
        return;
    }
    const int newSize = table.size() - dropAt.size() + addAt.size();
    QVector<T> out;
    out.reserve(newSize);
    int drop = 0, ins = 0, src = 0;
    for (int pos = 0; pos < newSize; ++pos) {
        if (ins < addAt.size() && addAt[ins] == pos) {
            out.append(add[ins++]);
            continue;
        }
        while (drop < dropAt.size() && dropAt[drop] == src) {
            ++drop;
            ++src;
        }
        out.append(std::move(table[src++]));
    }
    table = std::move(out);
}

template <class T> void redoDiff(QVector<T> &table, const RTableDiff<T> &d)
{
    applyDiff(table, d.removedAt, d.insertedAt, d.inserted);
}

template <class T> void undoDiff(QVector<T> &table, const RTableDiff<T> &d)
{
    applyDiff(table, d.insertedAt, d.removedAt, d.removed);
}

bool isPictureKind(const QString &syu)
{
    return syu == u"4" || syu == u"k" || syu == u"b" || syu == u"r";
}

RHeaderFields headerOf(const Document &doc)
{
    return {doc.Naiyou, doc.NenIndex, doc.KyoukaIndex, doc.AnswerColor, doc.Paper};
}

void setHeader(Document &doc, const RHeaderFields &h)
{
    doc.Naiyou = h.Naiyou;
    doc.NenIndex = h.NenIndex;
    doc.KyoukaIndex = h.KyoukaIndex;
    doc.AnswerColor = h.AnswerColor;
    doc.Paper = h.Paper;
}

void restore(Document &doc, const RDocumentSnapshot &s)
{
    doc.AData = s.AData;
    doc.BMData = s.BMData;
    setHeader(doc, s.Header);
}

} // namespace

// ---------------------------------------------------------------- diffs

RRowDiff DiffRows(const QVector<RAData> &before, const QVector<RAData> &after)
{
    return diffTables(before, after);
}

RPictureDiff DiffPictures(const QVector<QImage> &before, const QVector<QImage> &after)
{
    return diffTables(before, after);
}

RDocumentSnapshot TakeSnapshot(const Document &doc)
{
    return {doc.AData, doc.BMData, headerOf(doc)};
}

// ---------------------------------------------------------------- commands

DocumentCommand::DocumentCommand(Document &doc, const QString &text, QUndoCommand *parent)
    : QUndoCommand(text, parent), mDoc(doc)
{
}

bool DocumentCommand::performFirst()
{
    if (mState == State::New) {
        mChanged = firstApply();
        mState = State::Performed;
    }
    return mChanged;
}

void DocumentCommand::redo()
{
    if (mState == State::New && !performFirst()) {
        // Pushed straight onto the stack and it changed nothing: the stack
        // drops an obsolete command.
        setObsolete(true);
        return;
    }
    RChange change;
    if (mState == State::Performed) {
        mState = State::OnStack;
        change = changeFor(false);
        change.initial = true;
        // Only the drag's own moves and resizes are its steps.
        change.live = mDoc.inLiveRun() &&
                      (id() == int(MergeKind::Move) || id() == int(MergeKind::Resize));
    } else {
        reapply();
        change = changeFor(false);
    }
    emit mDoc.events().changed(change);
}

void DocumentCommand::undo()
{
    revert();
    RChange change = changeFor(true);
    change.undone = true;
    emit mDoc.events().changed(change);
}

RecordedCommand::RecordedCommand(Document &doc, const QString &text, RMerge merge)
    : DocumentCommand(doc, text), mMerge(merge)
{
}

bool RecordedCommand::firstApply()
{
    const RDocumentSnapshot before = TakeSnapshot(mDoc);
    try {
        edit();
    } catch (...) {
        restore(mDoc, before);
        throw;
    }
    mRows = DiffRows(before.AData, mDoc.AData);
    mPictures = DiffPictures(before.BMData, mDoc.BMData);
    mHeaderAfter = headerOf(mDoc);
    mHeaderBefore = before.Header;
    mHeaderChanged = !(mHeaderBefore == mHeaderAfter);
    return !isEmpty();
}

bool RecordedCommand::isEmpty() const
{
    return mRows.isEmpty() && mPictures.isEmpty() && !mHeaderChanged;
}

void RecordedCommand::reapply()
{
    redoDiff(mDoc.AData, mRows);
    redoDiff(mDoc.BMData, mPictures);
    if (mHeaderChanged)
        setHeader(mDoc, mHeaderAfter);
}

void RecordedCommand::revert()
{
    undoDiff(mDoc.AData, mRows);
    undoDiff(mDoc.BMData, mPictures);
    if (mHeaderChanged)
        setHeader(mDoc, mHeaderBefore);
}

RChange RecordedCommand::changeFor(bool undone) const
{
    RChange c;
    c.allPages = mHeaderChanged;
    for (const RAData &r : mRows.removed)
        c.pages.insert(r.Page);
    for (const RAData &r : mRows.inserted)
        c.pages.insert(r.Page);
    c.rows = undone ? mRows.removedAt : mRows.insertedAt;
    if (!mPictures.isEmpty()) {
        // A picture that changed in place shows wherever a row uses it.
        QSet<int> pictures;
        for (int i : mPictures.removedAt)
            pictures.insert(i);
        for (int i : mPictures.insertedAt)
            pictures.insert(i);
        for (const RAData &r : mDoc.AData)
            if (isPictureKind(r.Syu) && pictures.contains(r.PicNo))
                c.pages.insert(r.Page);
    }
    return c;
}

int RecordedCommand::id() const
{
    return mMerge.merges() ? int(mMerge.kind) : -1;
}

bool RecordedCommand::mergeWith(const QUndoCommand *other)
{
    const auto *o = dynamic_cast<const RecordedCommand *>(other);
    if (!o || !mMerge.merges() || !(o->mMerge == mMerge))
        return false;
    // Only edits that change rows in place can be joined row by row.
    if (!mRows.inPlace() || !o->mRows.inPlace() || !mPictures.isEmpty() ||
        !o->mPictures.isEmpty() || mHeaderChanged || o->mHeaderChanged)
        return false;
    // Before: ours, then the other's for rows we did not touch. After: the
    // other's, then ours for rows it did not touch.
    QMap<int, RAData> before, after;
    for (int k = 0; k < mRows.removedAt.size(); ++k) {
        before.insert(mRows.removedAt[k], mRows.removed[k]);
        after.insert(mRows.insertedAt[k], mRows.inserted[k]);
    }
    for (int k = 0; k < o->mRows.removedAt.size(); ++k) {
        if (!before.contains(o->mRows.removedAt[k]))
            before.insert(o->mRows.removedAt[k], o->mRows.removed[k]);
        after.insert(o->mRows.insertedAt[k], o->mRows.inserted[k]);
    }
    RRowDiff merged;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const RAData &a = after.value(it.key());
        if (a == it.value())
            continue; // moved back where it was
        merged.removedAt.append(it.key());
        merged.removed.append(it.value());
        merged.insertedAt.append(it.key());
        merged.inserted.append(a);
    }
    mRows = merged;
    setObsolete(isEmpty());
    return true;
}

// ---------------------------------------------------------------- Document

bool Document::push(std::unique_ptr<DocumentCommand> command)
{
    // The edit is done before the command meets the stack, so one that
    // changes nothing leaves the stack and its redo steps alone.
    if (!command->performFirst())
        return false;
    mUndoStack->push(command.release());
    return true;
}

int Document::beginLiveRun()
{
    mLiveRun = newMergeRun();
    return mLiveRun;
}

void Document::endLiveRun()
{
    if (mLiveRun == 0)
        return;
    mLiveRun = 0;
    emit mEvents->liveRunEnded();
}
