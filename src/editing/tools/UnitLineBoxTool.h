// The line and box tools. A line or box is drawn either by two clicks (the
// first places its first point and a rubber band follows the mouse, the
// second ends it) or by pressing, dragging and releasing. The width box of
// the tool's panel is read before anything is written, so a bad width
// leaves the rows as they were and the first point still placed. Leaving
// the tool, "解除" or Escape gives up a first point.
#pragma once

#include "editing/tools/UnitCreationTool.h"

struct RAData;

class LineBoxTool : public CreationTool
{
public:
    using CreationTool::CreationTool;

    void deactivate() override;
    void move(const PageEvent &ev) override;
    void release(const PageEvent &ev) override;
    bool key(int key, Qt::KeyboardModifiers mods) override;

    // True while the first point is placed (LineMode, BoxMode).
    bool placed() const { return mPlaced; }
    // Forgets the first point; the caller empties the pending object.
    void dropPoint();

protected:
    void create(const PageEvent &ev, int hit) override;
    // The width the tool's panel shows, as typed.
    virtual QString widthText() const = 0;
    // Geometry and colours of the new row from the two points.
    virtual void shapeRow(RAData &r, int x1, int y1, int x, int y) const = 0;

private:
    void placeOrFinish(const PageEvent &ev);
    void rubberBand(int x, int y);

    bool mPlaced = false;
    bool mBandFromPress = false; // the first point came from the press now down
    // Travel (page units) that turns a press and release into a drawn line or box.
    static constexpr int MinimumDrag = 3;
};

class LineTool : public LineBoxTool
{
public:
    using LineBoxTool::LineBoxTool;
    QString toolSyu() const override { return QStringLiteral("2"); }

protected:
    QString widthText() const override;
    void shapeRow(RAData &r, int x1, int y1, int x, int y) const override;
};

class BoxTool : public LineBoxTool
{
public:
    using LineBoxTool::LineBoxTool;
    QString toolSyu() const override { return QStringLiteral("3"); }

protected:
    QString widthText() const override;
    void shapeRow(RAData &r, int x1, int y1, int x, int y) const override;
};
