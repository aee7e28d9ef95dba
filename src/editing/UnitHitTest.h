// Hit testing and the selection geometry of the editor: which row of the
// object table lies under a point of a page, the segment test PolygonNear,
// the selection records, the selection frame, the handle positions and the
// arithmetic of resizing a selection with a corner handle. All values are
// page units; the editing controller converts mouse pixels before it calls
// here. Pure functions over the rows: nothing here changes the document,
// shows a widget or redraws.
#pragma once

#include "document/UnitData.h"

#include <QPoint>
#include <QRect>
#include <QVector>
#include <functional>

// One selected object: its row and the reference values that moving and
// resizing scale from.
struct RMouseSelect {
    Integer ANo = 0;
    Integer X = 0;
    Integer Y = 0;
    Integer W = 0;
    Integer H = 0;
    Integer FS = 0;
    Integer Lock = 0;
};

// The press that hit an object: a drag may follow.
struct RMouseDown {
    bool B = false;
    Integer X = 0;
    Integer Y = 0;
};

// Index of the first segment of pts[0..highIndex] (segments pts[i]-pts[i+1],
// i < count) that passes within about two pixels of (X, Y), or -1.
int PolygonNear(int X, int Y, int highIndex, const QPoint *pts, int count);

// True when a line row passes near the point (one segment across its box,
// by LineSyu).
bool LineNear(const RAData &row, int X, int Y);

// True when the point lies strictly inside the row's rectangle.
bool RectContains(const RAData &row, int X, int Y);

// Kinds that the hit test looks at: "1", "2", "3", "4", "5" and "k".
bool IsHittableKind(const QString &syu);

// The row under the point on that page, from the top row down; -1 when none.
int HitTest(const QVector<RAData> &AData, int page, int X, int Y);

// The row's rectangle (X1, Y1, Width, Height) as left, top, right, bottom.
struct PageRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t width() const { return right - left; }
    int64_t height() const { return bottom - top; }
};
PageRect RowRect(const RAData &row);

// The selection frame: the union of the unlocked entries' rectangles; when
// every entry is locked, the first entry's rectangle. False for an empty
// selection or one whose rows do not exist.
bool SelectionFrame(const QVector<RAData> &AData, const QVector<RMouseSelect> &sel,
                    PageRect &frame);

// The four handles: 1 bottom right, 2 bottom left, 3 top left, 4 top right.
enum class Handle { BottomRight = 1, BottomLeft = 2, TopLeft = 3, TopRight = 4 };

// Smallest frame size that a handle drag leaves: 10 for the bottom
// handles, 0 for the top ones.
int HandleMinimum(Handle h);

// The frame at the handle press and the mouse travel since then give the
// new frame size, after the minimum and (when aspectLock) the aspect lock.
struct FrameSize {
    int W = 0;
    int H = 0;
};
FrameSize ResizeFrame(Handle h, const PageRect &frameAtPress, int travelX, int travelY,
                      bool aspectLock);

// Rescales every entry's row from its reference values for a frame that
// went from frameAtPress to newSize with handle h, the fixed corner
// standing still. Texts and expressions get a new FontSize and are measured
// again by `measure` (called with the row index); the other kinds scale
// their size.
void ScaleSelection(QVector<RAData> &AData, const QVector<RMouseSelect> &sel, Handle h,
                    const PageRect &frameAtPress, FrameSize newSize,
                    const std::function<void(int row)> &measure);
