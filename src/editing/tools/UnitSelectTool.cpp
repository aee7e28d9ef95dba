#include "editing/tools/UnitSelectTool.h"
#include "editing/UnitMoji.h"
#include "editing/UnitObjectCommands.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitPicture.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"

// ---------------------------------------------------------------- press

int SelectTool::pick(const PageEvent &ev)
{
    Document &doc = mCtl.document();
    mMouseDown.B = false;
    // Without "複数" the press starts a new selection; the entries are
    // gathered first so that the selection changes once.
    QVector<RMouseSelect> next =
        mCtl.panelStyle().multiSelect ? mCtl.selection().entries() : QVector<RMouseSelect>{};
    const int hit = HitTest(doc.AData, ev.page, ev.x, ev.y);
    if (hit < 0) {
        mCtl.selection().setEntries(next);
        return -1;
    }
    const RAData &row = doc.AData[hit];
    mMouseDown = {true, ev.x, ev.y};
    mMoveRun = doc.beginLiveRun();
    const bool present = std::any_of(next.begin(), next.end(),
                                     [hit](const RMouseSelect &e) { return e.ANo == hit; });
    bool text = false;
    if (!present) {
        RMouseSelect e;
        e.ANo = hit;
        e.X = row.X1;
        e.Y = row.Y1;
        if (row.Syu == u"1") {
            // A locked text cannot join a multiple selection.
            if (next.isEmpty() || row.Lock == 0) {
                next.append(e);
                text = true;
            }
        } else {
            next.append(e);
        }
    }
    mCtl.selection().setEntries(next);
    if (text) {
        // A picked text makes the text tool current; the tool left behind
        // gives up what it was creating before the text's place is noted.
        mCtl.setTool(QStringLiteral("1"));
        doc.NewData.X1 = row.X1;
        doc.NewData.Y1 = row.Y1;
    }
    mCtl.selection().refresh(doc.AData, false);
    mCtl.marks().setShapePS();
    mCtl.marks().showFrame();
    mCtl.marks().hideHover();
    mCtl.marks().PanelPSVF();
    mCtl.closeTextInput();
    mCtl.picked(hit);
    return hit;
}

void SelectTool::press(const PageEvent &ev)
{
    pick(ev);
    if (!mCtl.panelStyle().multiSelect)
        return;
    mCtl.selection().refreshPositions(mCtl.document().AData);
    // The selection lives on, so its frame shows again.
    mCtl.marks().setShapePS();
    if (!mCtl.selection().isEmpty())
        mCtl.marks().showFrame();
}

// ---------------------------------------------------------------- move

void SelectTool::move(const PageEvent &ev)
{
    if (mMouseDown.B) {
        dragTo(ev);
        return;
    }
    // The hover frame is an overlay: the page images stay as they are.
    mCtl.hover(ev);
}

void SelectTool::dragTo(const PageEvent &ev)
{
    Document &doc = mCtl.document();
    const QVector<RMouseSelect> &sel = mCtl.selection().entries();
    mCtl.marks().hideHover();
    // The mouse's travel since the press.
    const int dx = ev.x - mMouseDown.X;
    const int dy = ev.y - mMouseDown.Y;
    const bool moved = std::any_of(sel.begin(), sel.end(), [&](const RMouseSelect &e) {
        return e.ANo >= 0 && e.ANo < doc.AData.size() && IsMovable(doc.AData[e.ANo]);
    });
    doc.push(std::make_unique<MoveObjectsCommand>(doc, sel, dx, dy, mMoveRun));
    for (int i = 0; i < sel.size(); ++i) {
        const RMouseSelect &e = sel[i];
        if (e.ANo < 0 || e.ANo >= doc.AData.size())
            continue;
        const RAData &row = doc.AData[e.ANo];
        if (IsHittableKind(row.Syu) && row.Lock == 0)
            mCtl.marks().placeFeedback(i, row, true);
    }
    if (moved) {
        mCtl.marks().PanelPSVF();
        mCtl.marks().setShapePS();
        mCtl.marks().showFrame();
        mCtl.hideMarker();
        doc.NewData.Syu.clear();
        mCtl.syncCreation();
    }
}

// ---------------------------------------------------------------- release

void SelectTool::release(const PageEvent &)
{
    mMouseDown.B = false;
    // The run ends: a later drag is an undo step of its own.
    mMoveRun = 0;
    // The pages take the moved objects now.
    mCtl.document().endLiveRun();
    mCtl.selection().refresh(mCtl.document().AData, true);
    if (!mCtl.selection().isEmpty())
        mCtl.marks().PanelPSVT();
    mCtl.marks().LabelMVF();
}

// ---------------------------------------------------------------- handles

void SelectTool::handlePress(Handle h, const PageRect &frame)
{
    mResizing = true;
    mResizeRun = mCtl.document().beginLiveRun();
    mHandle = h;
    mFrameAtPress = frame;
}

void SelectTool::handleMove(int travelX, int travelY)
{
    Document &doc = mCtl.document();
    const QVector<RMouseSelect> &sel = mCtl.selection().entries();
    if (!mResizing || sel.isEmpty())
        return;
    bool lock = !mCtl.panelStyle().aspectUnlocked;
    const int first = sel[0].ANo;
    if (first >= 0 && first < doc.AData.size() && doc.AData[first].Syu == u"5" &&
        doc.AData[first].Siki1 == 3)
        lock = false;
    const PageRect atPress = mFrameAtPress;
    const FrameSize size = ResizeFrame(mHandle, atPress, travelX, travelY, lock);
    doc.push(std::make_unique<ResizeObjectsCommand>(doc, mCtl.metrics(), sel, mHandle, atPress, size,
                                                    mResizeRun));

    for (int i = 0; i < sel.size(); ++i) {
        const int a = sel[i].ANo;
        if (a >= 0 && a < doc.AData.size())
            mCtl.marks().placeFeedback(i, doc.AData[a], false);
    }
    mCtl.marks().setShapePS();
}

void SelectTool::handleRelease()
{
    Document &doc = mCtl.document();
    mResizing = false;
    mResizeRun = 0;
    // The pages take the resized objects now.
    doc.endLiveRun();
    mCtl.marks().setShapePS();
    mCtl.marks().PanelPSVT();
    mCtl.selection().refresh(doc.AData, true);
    mCtl.marks().LabelMVF();
    mCtl.resizeEnded();
}
