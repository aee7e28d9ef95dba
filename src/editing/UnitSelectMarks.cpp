// The selection marks of the editing controller: the selection frame, the
// handles, the outlines and labels that follow a drag, and their placing at
// the zoomed positions of the page panels.
#include "editing/UnitSelect.h"

#include <algorithm>

// ---------------------------------------------------------------- overlays

TResizeHandle *TEditController::PanelPS(int n) const
{
    return n >= 1 && n <= 4 ? mHandles[n - 1].data() : nullptr;
}

TOverlayShape *TEditController::ShapeM(int i) const
{
    return i >= 0 && i < mShapeM.size() ? mShapeM[i].data() : nullptr;
}

TOverlayLabel *TEditController::LabelM(int i) const
{
    return i >= 0 && i < mLabelM.size() ? mLabelM[i].data() : nullptr;
}

void TEditController::placeShape(TOverlayShape *shape, int page, const PageRect &r)
{
    QWidget *panel = panelOf(page);
    if (!shape || !panel)
        return;
    if (shape->parentWidget() != panel) {
        shape->setParent(panel);
        shape->raise();
    }
    const int left = toScreen(r.left), top = toScreen(r.top);
    const int w = std::max(1, toScreen(r.right) - left);
    const int h = std::max(1, toScreen(r.bottom) - top);
    shape->setGeometry(left, top, w, h);
}

void TEditController::placeLabel(TOverlayLabel *label, const RAData &row)
{
    QWidget *panel = panelOf(row.Page);
    if (!label || !panel)
        return;
    if (label->parentWidget() != panel) {
        label->setParent(panel);
        label->raise();
    }
    FontSpec font{row.FontName, std::max(1, toScreen(row.FontSize)), row.FontB == 1};
    label->setContent(row.Siki, font, labelColor());
    const int left = toScreen(row.X1), top = toScreen(row.Y1);
    label->setGeometry(left, top, std::max(1, toScreen(int64_t(row.X1) + row.Width) - left) + 2,
                       std::max(1, toScreen(int64_t(row.Y1) + row.Height) - top) + 2);
    label->show();
}

void TEditController::ensureOverlays(int page)
{
    QWidget *panel = panelOf(page);
    if (!panel)
        return;
    if (!mShapePS)
        mShapePS = new TOverlayShape(TOverlayShape::Dotted, QColor(), panel);
    if (!mShapeMS)
        mShapeMS = new TOverlayShape(TOverlayShape::Dotted, QColor(), panel);
    for (int i = 0; i < 4; ++i)
        if (!mHandles[i]) {
            mHandles[i] = new TResizeHandle(i + 1, panel);
            connect(mHandles[i], &TResizeHandle::pressed, this, [this, i](int, QPoint g) {
                if (QWidget *p = mHandles[i] ? mHandles[i]->parentWidget() : nullptr)
                    HandleMouseDown(Handle(i + 1), p->mapFromGlobal(g));
            });
            connect(mHandles[i], &TResizeHandle::moved, this, [this](QPoint g) {
                if (QWidget *p = panelOf(mPsPage))
                    HandleMouseMove(p->mapFromGlobal(g));
            });
            connect(mHandles[i], &TResizeHandle::released, this, [this](QPoint g) {
                if (QWidget *p = panelOf(mPsPage))
                    HandleMouseUp(p->mapFromGlobal(g));
            });
        }
}

int TEditController::framePage() const
{
    for (const RMouseSelect &e : mSelection.entries())
        if (e.ANo >= 0 && e.ANo < mDoc.AData.size() && mDoc.AData[e.ANo].Lock == 0)
            return mDoc.AData[e.ANo].Page;
    for (const RMouseSelect &e : mSelection.entries())
        if (e.ANo >= 0 && e.ANo < mDoc.AData.size())
            return mDoc.AData[e.ANo].Page;
    return 0;
}

void TEditController::setShapePS()
{
    if (mSelection.isEmpty())
        return;
    PageRect f;
    mFrameValid = SelectionFrame(mDoc.AData, mSelection.entries(), f);
    if (!mFrameValid)
        return;
    mFrame = f;
    const int page = framePage();
    ensureOverlays(page);
    placeShape(mShapePS, page, f);
}

void TEditController::PanelPSVT()
{
    if (mSelection.isEmpty() || !mFrameValid)
        return;
    const int a = mSelection.first().ANo;
    if (a < 0 || a >= mDoc.AData.size())
        return;
    const int page = mDoc.AData[a].Page;
    QWidget *panel = panelOf(page);
    if (!panel)
        return;
    ensureOverlays(page);
    mHandlePage = page;
    const int h = TResizeHandle::HandleSize / 2 + 1;
    const int l = toScreen(mFrame.left), t = toScreen(mFrame.top);
    const int r = toScreen(mFrame.right), b = toScreen(mFrame.bottom);
    const QPoint corners[4] = {{r - h, b - h}, {l - h, b - h}, {l - h, t - h}, {r - h, t - h}};
    for (int i = 0; i < 4; ++i) {
        mHandles[i]->placeAt(panel, corners[i]);
        mHandles[i]->setShown(true);
    }
}

void TEditController::PanelPSVF()
{
    for (auto &h : mHandles)
        if (h)
            h->setShown(false);
}

void TEditController::SetShapeM()
{
    ensureFeedback(mSelection.size());
    for (int i = 0; i < mSelection.size(); ++i) {
        const int a = mSelection.entries()[i].ANo;
        if (a < 0 || a >= mDoc.AData.size() || mDoc.AData[a].Syu != u"1")
            continue;
        const RAData &row = mDoc.AData[a];
        QWidget *panel = panelOf(row.Page);
        if (!panel)
            continue;
        if (!mShapeM[i])
            mShapeM[i] = new TOverlayShape(TOverlayShape::Solid, QColor(), panel);
        mShapeM[i]->setColor(labelColor());
        placeShape(mShapeM[i], row.Page, RowRect(row));
    }
}

QColor TEditController::labelColor() const
{
    return QColor(mLabelMColor & 0xFF, (mLabelMColor >> 8) & 0xFF, (mLabelMColor >> 16) & 0xFF);
}

void TEditController::placeFeedback(int i, const RAData &row, bool recolour)
{
    const bool text = row.Syu == u"1";
    if (!text && row.Syu != u"4" && row.Syu != u"k")
        return;
    QWidget *panel = panelOf(row.Page);
    if (!panel)
        return;
    ensureFeedback(i + 1);
    if (!mShapeM[i])
        mShapeM[i] = new TOverlayShape(TOverlayShape::Solid, QColor(), panel);
    if (recolour)
        mShapeM[i]->setColor(labelColor());
    placeShape(mShapeM[i], row.Page, RowRect(row));
    mShapeM[i]->show();
    if (text) {
        if (!mLabelM[i])
            mLabelM[i] = new TOverlayLabel(panel);
        placeLabel(mLabelM[i], row);
    }
}

void TEditController::LabelMVF()
{
    for (auto &l : mLabelM)
        if (l)
            l->hide();
}

void TEditController::SetMouseSelect()
{
    mSelection.refresh(mDoc.AData, true);
}

void TEditController::refreshSelectionMarks()
{
    // Rows may have gone: keep only entries that still name a row.
    mSelection.dropMissing(mDoc.AData.size());
    if (mSelection.isEmpty()) {
        clearSelection();
        return;
    }
    SetMouseSelect();
    setShapePS();
    if (mShapePS && mFrameValid)
        mShapePS->show();
    SetShapeM();
    PanelPSVT();
}

void TEditController::ViewChanged()
{
    if (mShapeMS)
        mShapeMS->hide();
    if (!mSelection.isEmpty())
        refreshSelectionMarks();
    if (mPreview && !mPreview->isHidden())
        updateTextPreview(mDoc.NewData.Siki);
}

void TEditController::clearSelection()
{
    mSelection.clear();
    mFrameValid = false;
    if (mShapePS)
        mShapePS->hide();
    PanelPSVF();
    for (auto &s : mShapeM)
        if (s)
            s->hide();
    LabelMVF();
    fillProValues();
}
