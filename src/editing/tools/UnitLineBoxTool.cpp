#include "editing/tools/UnitLineBoxTool.h"
#include "document/UnitRowCommands.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"
#include "editing/tools/UnitSelectTool.h"
#include "platform/UnitMessages.h"

#include <cstdlib>

// ---------------------------------------------------------------- events

void LineBoxTool::create(const PageEvent &ev, int)
{
    mBandFromPress = false;
    if (mCtl.selection().isEmpty() || mPlaced)
        placeOrFinish(ev);
}

void LineBoxTool::move(const PageEvent &ev)
{
    if (selectTool().dragging()) {
        selectTool().move(ev);
        return;
    }
    mCtl.hover(ev);
    // The rubber band is an overlay: the page images stay as they are.
    if (mPlaced)
        rubberBand(ev.x, ev.y);
}

void LineBoxTool::release(const PageEvent &ev)
{
    if (mBandFromPress && mPlaced) {
        mBandFromPress = false;
        const RAData &n = mCtl.document().NewData;
        if (ev.page == n.Page && std::abs(ev.x - n.X1) + std::abs(ev.y - n.Y1) >= MinimumDrag) {
            placeOrFinish(ev);
            return;
        }
    }
    selectTool().release(ev);
}

bool LineBoxTool::key(int key, Qt::KeyboardModifiers)
{
    if (key != Qt::Key_Escape || !mPlaced)
        return false;
    mCtl.CancelInput();
    return true;
}

void LineBoxTool::deactivate()
{
    if (!mPlaced)
        return;
    dropPoint();
    mCtl.endCreation(mCtl.document().NewData.Page);
}

void LineBoxTool::dropPoint()
{
    mPlaced = false;
    mBandFromPress = false;
}

// ---------------------------------------------------------------- creation

void LineBoxTool::placeOrFinish(const PageEvent &ev)
{
    Document &doc = mCtl.document();
    RAData &n = doc.NewData;
    if (!mPlaced) {
        mPlaced = true;
        // A release away from this press ends the line or box there: it
        // can be drawn by dragging as well as by two clicks.
        mBandFromPress = true;
        n.Syu = toolSyu();
        n.Page = ev.page;
        n.X1 = n.X2 = ev.x;
        n.Y1 = n.Y2 = ev.y;
        n.Siki.clear();
        mCtl.showMarker(ev.page, ev.x, ev.y);
        mCtl.syncCreation();
        return;
    }
    // The width is read before anything is written, so a bad width leaves
    // the table as it was and the first point still placed.
    const QString typed = widthText();
    int width = 0;
    if (!ReadIntegerBox(typed, width)) {
        ShowError(NotIntegerMessage(typed));
        return;
    }
    mPlaced = false;
    const int x1 = n.X1, y1 = n.Y1;
    const int page = ev.page, x = ev.x, y = ev.y;
    RAData r;
    r.Syu = toolSyu();
    r.Page = page;
    shapeRow(r, x1, y1, x, y);
    r.FontSize = width;
    const PanelStyle style = mCtl.panelStyle();
    const ModeFields mode = ModeForNewObject(style.nameDisplay, style.answerDisplay);
    r.Layer = mode.Layer;
    r.KotaeMode = mode.KotaeMode;
    doc.push(
        std::make_unique<AddObjectsCommand>(doc, QStringLiteral("作成"), RNewObjects{{r}, {}}));
    mCtl.endCreation(page);
}

void LineBoxTool::rubberBand(int x, int y)
{
    RAData &n = mCtl.document().NewData;
    n.Syu = toolSyu();
    n.X2 = x;
    n.Y2 = y;
    n.Siki.clear();
    n.ForeColor = mCtl.panelStyle().bandColor;
    if (n.Syu == u"2")
        n.LineSize = 0;
    mCtl.syncCreation();
}

// ---------------------------------------------------------------- kinds

QString LineTool::widthText() const
{
    return mCtl.panelStyle().lineWidth;
}

void LineTool::shapeRow(RAData &r, int x1, int y1, int x, int y) const
{
    const LineGeometry g = MakeLineGeometry(x1, y1, x, y);
    r.X1 = g.X1;
    r.Y1 = g.Y1;
    r.Width = g.Width;
    r.Height = g.Height;
    r.X2 = g.X2;
    r.Y2 = g.Y2;
    r.LineSyu = g.LineSyu;
    r.ForeColor = mCtl.panelStyle().lineColor;
    r.BackColor = 0;
    r.BackColorB = 0;
}

QString BoxTool::widthText() const
{
    return mCtl.panelStyle().boxWidth;
}

void BoxTool::shapeRow(RAData &r, int x1, int y1, int x, int y) const
{
    const BoxGeometry g = MakeBoxGeometry(x1, y1, x, y);
    r.X1 = g.X1;
    r.Y1 = g.Y1;
    r.Width = g.Width;
    r.Height = g.Height;
    r.LineSyu = 0;
    r.ForeColor = mCtl.panelStyle().boxColor;
    r.BackColor = mCtl.panelStyle().boxFill;
    r.BackColorB = mCtl.panelStyle().boxFillTransparent ? 0 : 1;
}
