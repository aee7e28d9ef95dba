// The arrangement rules of the editor as pure functions over the object
// table and the selection: sorting the selection top to bottom, aligning,
// vertical spacing, stacking order, lock, delete and the three object modes.
// The commands that make these undoable and the buttons that run them call
// here; nothing in this unit measures, redraws or shows anything, so every
// rule can be checked on plain rows.
//
// The vertical rules order and measure the selection by its entries' Y and
// H (the rows as they were at the last refresh of the selection) and chain
// the new positions from the rows' current Y1 and Height.
#pragma once

#include "document/UnitData.h"
#include "editing/UnitHitTest.h"

#include <QVector>

// Stable bubble sort of the selection by the entries' Y, top first: n - 1
// passes over every neighbouring pair, swapping only when the later entry
// lies strictly higher, so entries with equal Y keep their picking order.
void NarabikaeMouseSelect(QVector<RMouseSelect> &sel);

enum class AlignKind { Left, Center, Right };

// Aligns every selected row horizontally (only X1 changes; locked rows
// too). False when there is nothing to align.
bool AlignRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, AlignKind kind);

// "等間隔": needs three or more entries. Sorts the selection; the first and
// the last object stay, the objects between get equal gaps and the rounding
// remainder falls into the last gap.
bool SpaceEqually(QVector<RAData> &AData, QVector<RMouseSelect> &sel);
// "上に詰める": sorts the selection and stacks every object right under the
// previous one.
bool PackUp(QVector<RAData> &AData, QVector<RMouseSelect> &sel);
// "間隔を指定する": like PackUp with `gap` units between the objects.
bool SpaceBy(QVector<RAData> &AData, QVector<RMouseSelect> &sel, int64_t gap);
// The gap typed into the spacing memo: a text that is not an integer is 0.
int64_t SpacingFromText(const QString &text);

// Stacking order, with exactly one selected entry: the row moves to the
// top (last row) or the bottom (row 0), the others keep their order, and
// the entry follows its row. False (nothing changed) for any other count.
bool BringToFront(QVector<RAData> &AData, QVector<RMouseSelect> &sel);
bool SendToBack(QVector<RAData> &AData, QVector<RMouseSelect> &sel);

// Lock (1) or unlock (0) every selected row.
bool SetLockRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, bool locked);

// "削除": every selected row becomes kind "0", then every row of kind "0"
// (also one that had it before) is removed, the rest keeping their order.
// The selection is emptied. False when nothing was removed.
bool DeleteRows(QVector<RAData> &AData, QVector<RMouseSelect> &sel);

// The object mode buttons: standard (Layer 1, KotaeMode 0), answer
// (Layer 1, KotaeMode 1) and name field (Layer 3, KotaeMode 0).
bool SetModeRows(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, ObjectMode mode);

// Rows named by the selection that exist, in selection order, each once.
QVector<int> SelectedRows(const QVector<RAData> &AData, const QVector<RMouseSelect> &sel);
