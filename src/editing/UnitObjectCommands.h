// The commands that move and size objects: a drag of the selection, the
// arrow keys, the nudge window, a handle drag and the coordinate dialog.
// The editing controller and the panels build them from the selection and
// push them on the document's stack; the rules of what may move (kinds the
// hit test knows, unlocked) and how a frame scales live here and in
// UnitHitTest, not in the callers. Drags, handle drags and runs of arrow
// keys merge into one undo step per run.
#pragma once

#include "document/UnitCommands.h"
#include "editing/UnitHitTest.h"

#include <QMap>

class Metrics;

// The position fields a move changes.
struct RPlace {
    Integer X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool operator==(const RPlace &) const = default;
};

// Rows whose position changed, each with its place before and after. Runs
// of the same kind and run number join: the first place before, the last
// place after, and a row back where it began drops out.
class PlaceRowsCommand : public DocumentCommand
{
public:
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

protected:
    PlaceRowsCommand(Document &doc, const QString &text, RMerge merge);
    // Moves `row` to `place`, keeping what it needs to move it back.
    void place(int row, const RPlace &to);

    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;
    // The moves of the first application, made with place().
    virtual void move() = 0;

private:
    QMap<int, RPlace> mBefore, mAfter;
    RMerge mMerge;
};

// An object the mouse and the keys may move: a kind the hit test knows,
// not locked.
bool IsMovable(const RAData &row);

// "移動" by dragging: every movable selected row goes to the position its
// entry had at the press plus the travel (dx, dy) since the press.
class MoveObjectsCommand : public PlaceRowsCommand
{
public:
    MoveObjectsCommand(Document &doc, const QVector<RMouseSelect> &sel, int dx, int dy, int run);

protected:
    void move() override;

private:
    QVector<RMouseSelect> mSel;
    int mDx, mDy;
};

// "移動" by the arrow keys: every movable row of `rows` by (dx, dy); texts and
// lines carry their end point along.
class NudgeObjectsCommand : public PlaceRowsCommand
{
public:
    NudgeObjectsCommand(Document &doc, const QVector<int> &rows, int dx, int dy, int run);

protected:
    void move() override;

private:
    QVector<int> mRows;
    int mDx, mDy;
};

// "移動" of the nudge window: every row of the worksheet dy units down
// (negative: up).
class ShiftAllObjectsCommand : public PlaceRowsCommand
{
public:
    ShiftAllObjectsCommand(Document &doc, int dy);

protected:
    void move() override;

private:
    int mDy;
};

// "サイズ変更": the selection scaled from the frame it had at the press to
// `size`, pulled at handle `h`; texts and problems are measured again.
class ResizeObjectsCommand : public RecordedCommand
{
public:
    ResizeObjectsCommand(Document &doc, Metrics &metrics, const QVector<RMouseSelect> &sel,
                         Handle h, const PageRect &frameAtPress, FrameSize size, int run);

protected:
    void edit() override;

private:
    Metrics &mMetrics;
    QVector<RMouseSelect> mSel;
    Handle mHandle;
    PageRect mFrame;
    FrameSize mSize;
};

// The six values of the coordinate dialog.
struct RCoordinates {
    Integer X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, Width = 0, Height = 0;
};

// "プロパティ": the coordinate dialog's values written into the first selected
// row.
class SetCoordinatesCommand : public RecordedCommand
{
public:
    SetCoordinatesCommand(Document &doc, const QVector<RMouseSelect> &sel,
                          const RCoordinates &values);

protected:
    void edit() override;

private:
    QVector<RMouseSelect> mSel;
    RCoordinates mValues;
};
