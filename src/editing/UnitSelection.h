// The selection of the editor: the selected rows of the object table, in
// the order they were picked, each with the reference values (position,
// size, font size, lock) that moving and resizing scale from. The editing
// controller owns it; the tools, the arrangement and panel commands and the
// main window read it. It signals `changed` once whenever the selected rows
// change (not when only their reference values are refreshed). It never
// touches the document: it keeps row indexes only, so whoever deletes or
// reorders rows sets it again.
#pragma once

#include "editing/UnitHitTest.h"

#include <QObject>
#include <QVector>

class Selection : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const QVector<RMouseSelect> &entries() const { return mEntries; }
    int size() const { return int(mEntries.size()); }
    bool isEmpty() const { return mEntries.isEmpty(); }
    const RMouseSelect &at(int i) const { return mEntries.at(i); }
    const RMouseSelect &first() const { return mEntries.first(); }
    const RMouseSelect &last() const { return mEntries.last(); }
    bool contains(int row) const;
    // Row indexes below rowCount, ascending, each once.
    QVector<int> rows(int rowCount) const;

    // Each of these signals `changed` when the selected rows (or their
    // order) end up different, and only then.
    void setEntries(const QVector<RMouseSelect> &entries);
    void append(const RMouseSelect &entry);
    void clear();
    // Drops the entries whose row no longer exists.
    void dropMissing(int rowCount);

    // Reference values taken again from the rows. A word problem scales its
    // size, not its font, so with keepWordProblemSize its reference font
    // size stays what it was. Not a change of the selection.
    void refresh(const QVector<RAData> &AData, bool keepWordProblemSize);
    // Only the reference positions taken again.
    void refreshPositions(const QVector<RAData> &AData);

signals:
    void changed();

private:
    static bool sameRows(const QVector<RMouseSelect> &a, const QVector<RMouseSelect> &b);

    QVector<RMouseSelect> mEntries;
};
