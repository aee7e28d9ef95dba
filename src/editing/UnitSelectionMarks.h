// The marks of the selection over the page panels: the dotted selection
// frame, the dotted hover frame, the four corner handles, and per selection
// entry the solid outline (and for a text the label) that follows a drag or
// a resize. Every mark is placed at the zoomed position of its page panel
// and is made the first time it is needed. The marks only show the rows and
// the selection; they never change either. The handles' presses, moves and
// releases are passed on as signals in global pixels.
#pragma once

#include "document/UnitData.h"
#include "editing/UnitHitTest.h"
#include "editing/UnitOverlay.h"
#include "editing/UnitSelection.h"
#include "editing/UnitViewUnits.h"

#include <QObject>
#include <QPointer>
#include <QVector>



class SelectionMarks : public QObject
{
    Q_OBJECT
public:
    SelectionMarks(const Document &doc, const Selection &selection, const ViewUnits &units,
                   QObject *parent = nullptr);
    // The marks belong to the page panels; they go with this object so a
    // panel that lives on does not keep controls nobody places any more.
    ~SelectionMarks() override;

    // The selection frame around the entries, placed on the page of the
    // first unlocked entry (not shown by this alone).
    void setShapePS();
    // Shows the selection frame when it has a place; hides it.
    void showFrame();
    void hideFrame();
    // The four handles at the frame's corners, on the first entry's page.
    void PanelPSVT();
    void PanelPSVF();
    // Outlines of the selected texts.
    void SetShapeM();
    // Places the outline (and for a text the label) of selection entry i.
    void placeFeedback(int i, const RAData &row, bool recolour);
    void LabelMVF();
    // One outline and one label per entry, all hidden until a drag places them.
    void parkFeedback();
    // Frame, outlines and handles placed again for the current selection.
    void placeAll();
    // Every selection mark hidden (the hover frame stays as it is).
    void hideAll();
    // The hover frame around a row's rectangle on `page`.
    void showHover(int page, const PageRect &r);
    void hideHover();
    // During a handle drag: the handle in the mouse's hand follows it to
    // `reached` (pixels of its panel), the others stay away.
    void followHandle(Handle h, QPoint reached);

    // Colour of the outlines and labels that follow a drag.
    void setLabelMColor(TColor color) { mLabelMColor = color; }

    // The selection frame in page units (valid while frameValid).
    PageRect frame() const { return mFrame; }
    bool frameValid() const { return mFrameValid; }
    // The page whose panel carries the handles.
    int handlePage() const { return mHandlePage; }

    // The marks themselves. Null until first used.
    TOverlayShape *ShapePS() const { return mShapePS; }
    TOverlayShape *ShapeMS() const { return mShapeMS; }
    TResizeHandle *PanelPS(int n) const;
    TOverlayShape *ShapeM(int i) const;
    TOverlayLabel *LabelM(int i) const;

signals:
    void handlePressed(Handle h, QPoint globalPos);
    void handleMoved(QPoint globalPos);
    void handleReleased(QPoint globalPos);

private:
    int framePage() const;
    QColor labelColor() const;
    void placeShape(TOverlayShape *shape, int page, const PageRect &r);
    void placeLabel(TOverlayLabel *label, const RAData &row);
    void ensureOverlays(int page);
    void ensureFeedback(int count);

    const Document &mDoc;
    const Selection &mSelection;
    const ViewUnits &mUnits;
    QPointer<TOverlayShape> mShapePS;
    QPointer<TOverlayShape> mShapeMS;
    QPointer<TResizeHandle> mHandles[4];
    QVector<QPointer<TOverlayShape>> mShapeM;
    QVector<QPointer<TOverlayLabel>> mLabelM;
    PageRect mFrame;
    bool mFrameValid = false;
    int mHandlePage = 0;
    TColor mLabelMColor = 0xF2CE91;
};
