#include "editing/UnitSelectionMarks.h"

#include <algorithm>

SelectionMarks::SelectionMarks(const Document &doc, const Selection &selection,
                               const ViewUnits &units, QObject *parent)
    : QObject(parent), mDoc(doc), mSelection(selection), mUnits(units)
{
}

SelectionMarks::~SelectionMarks()
{
    delete mShapePS.data();
    delete mShapeMS.data();
    for (auto &h : mHandles) {
        if (h)
            delete h->black();
        delete h.data();
    }
    for (auto &s : mShapeM)
        delete s.data();
    for (auto &l : mLabelM)
        delete l.data();
}

TResizeHandle *SelectionMarks::PanelPS(int n) const
{
    return n >= 1 && n <= 4 ? mHandles[n - 1].data() : nullptr;
}

TOverlayShape *SelectionMarks::ShapeM(int i) const
{
    return i >= 0 && i < mShapeM.size() ? mShapeM[i].data() : nullptr;
}

TOverlayLabel *SelectionMarks::LabelM(int i) const
{
    return i >= 0 && i < mLabelM.size() ? mLabelM[i].data() : nullptr;
}

void SelectionMarks::placeShape(TOverlayShape *shape, int page, const PageRect &r)
{
    QWidget *panel = mUnits.panelOf(page);
    if (!shape || !panel)
        return;
    if (shape->parentWidget() != panel) {
        shape->setParent(panel);
        shape->raise();
    }
    const int left = mUnits.toScreen(r.left), top = mUnits.toScreen(r.top);
    const int w = std::max(1, mUnits.toScreen(r.right) - left);
    const int h = std::max(1, mUnits.toScreen(r.bottom) - top);
    shape->setGeometry(left, top, w, h);
}

void SelectionMarks::placeLabel(TOverlayLabel *label, const RAData &row)
{
    QWidget *panel = mUnits.panelOf(row.Page);
    if (!label || !panel)
        return;
    if (label->parentWidget() != panel) {
        label->setParent(panel);
        label->raise();
    }
    FontSpec font{row.FontName, std::max(1, mUnits.toScreen(row.FontSize)), row.FontB == 1};
    label->setContent(row.Siki, font, labelColor());
    const int left = mUnits.toScreen(row.X1), top = mUnits.toScreen(row.Y1);
    label->setGeometry(left, top,
                       std::max(1, mUnits.toScreen(int64_t(row.X1) + row.Width) - left) + 2,
                       std::max(1, mUnits.toScreen(int64_t(row.Y1) + row.Height) - top) + 2);
    label->show();
}

void SelectionMarks::ensureOverlays(int page)
{
    QWidget *panel = mUnits.panelOf(page);
    if (!panel)
        return;
    if (!mShapePS)
        mShapePS = new TOverlayShape(TOverlayShape::Dotted, QColor(), panel);
    if (!mShapeMS)
        mShapeMS = new TOverlayShape(TOverlayShape::Dotted, QColor(), panel);
    for (int i = 0; i < 4; ++i)
        if (!mHandles[i]) {
            mHandles[i] = new TResizeHandle(i + 1, panel);
            connect(mHandles[i], &TResizeHandle::pressed, this,
                    [this, i](int, QPoint g) { emit handlePressed(Handle(i + 1), g); });
            connect(mHandles[i], &TResizeHandle::moved, this, &SelectionMarks::handleMoved);
            connect(mHandles[i], &TResizeHandle::released, this, &SelectionMarks::handleReleased);
        }
}

void SelectionMarks::ensureFeedback(int count)
{
    while (mShapeM.size() < count) {
        mShapeM.append(QPointer<TOverlayShape>());
        mLabelM.append(QPointer<TOverlayLabel>());
    }
}

int SelectionMarks::framePage() const
{
    for (const RMouseSelect &e : mSelection.entries())
        if (e.ANo >= 0 && e.ANo < mDoc.AData.size() && mDoc.AData[e.ANo].Lock == 0)
            return mDoc.AData[e.ANo].Page;
    for (const RMouseSelect &e : mSelection.entries())
        if (e.ANo >= 0 && e.ANo < mDoc.AData.size())
            return mDoc.AData[e.ANo].Page;
    return 0;
}

void SelectionMarks::setShapePS()
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

void SelectionMarks::showFrame()
{
    if (mShapePS && mFrameValid)
        mShapePS->show();
}

void SelectionMarks::hideFrame()
{
    if (mShapePS)
        mShapePS->hide();
}

void SelectionMarks::PanelPSVT()
{
    if (mSelection.isEmpty() || !mFrameValid)
        return;
    const int a = mSelection.first().ANo;
    if (a < 0 || a >= mDoc.AData.size())
        return;
    const int page = mDoc.AData[a].Page;
    QWidget *panel = mUnits.panelOf(page);
    if (!panel)
        return;
    ensureOverlays(page);
    mHandlePage = page;
    const int h = TResizeHandle::HandleSize / 2 + 1;
    const int l = mUnits.toScreen(mFrame.left), t = mUnits.toScreen(mFrame.top);
    const int r = mUnits.toScreen(mFrame.right), b = mUnits.toScreen(mFrame.bottom);
    const QPoint corners[4] = {{r - h, b - h}, {l - h, b - h}, {l - h, t - h}, {r - h, t - h}};
    for (int i = 0; i < 4; ++i) {
        mHandles[i]->placeAt(panel, corners[i]);
        mHandles[i]->setShown(true);
    }
}

void SelectionMarks::PanelPSVF()
{
    for (auto &h : mHandles)
        if (h)
            h->setShown(false);
}

void SelectionMarks::followHandle(Handle h, QPoint reached)
{
    for (int i = 0; i < 4; ++i) {
        if (!mHandles[i])
            continue;
        if (i == int(h) - 1) {
            mHandles[i]->black()->move(reached - QPoint(1, 1));
            mHandles[i]->move(reached);
        } else {
            mHandles[i]->setShown(false);
        }
    }
}

void SelectionMarks::SetShapeM()
{
    ensureFeedback(mSelection.size());
    for (int i = 0; i < mSelection.size(); ++i) {
        const int a = mSelection.entries()[i].ANo;
        if (a < 0 || a >= mDoc.AData.size() || mDoc.AData[a].Syu != u"1")
            continue;
        const RAData &row = mDoc.AData[a];
        QWidget *panel = mUnits.panelOf(row.Page);
        if (!panel)
            continue;
        if (!mShapeM[i])
            mShapeM[i] = new TOverlayShape(TOverlayShape::Solid, QColor(), panel);
        mShapeM[i]->setColor(labelColor());
        placeShape(mShapeM[i], row.Page, RowRect(row));
    }
}

QColor SelectionMarks::labelColor() const
{
    return QColor(mLabelMColor & 0xFF, (mLabelMColor >> 8) & 0xFF, (mLabelMColor >> 16) & 0xFF);
}

void SelectionMarks::placeFeedback(int i, const RAData &row, bool recolour)
{
    const bool text = row.Syu == u"1";
    if (!text && row.Syu != u"4" && row.Syu != u"k")
        return;
    QWidget *panel = mUnits.panelOf(row.Page);
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

void SelectionMarks::LabelMVF()
{
    for (auto &l : mLabelM)
        if (l)
            l->hide();
}

void SelectionMarks::parkFeedback()
{
    ensureFeedback(mSelection.size());
    for (int i = 0; i < mShapeM.size(); ++i) {
        if (mShapeM[i])
            mShapeM[i]->hide();
        if (mLabelM[i])
            mLabelM[i]->hide();
    }
}

void SelectionMarks::placeAll()
{
    setShapePS();
    showFrame();
    SetShapeM();
    PanelPSVT();
}

void SelectionMarks::hideAll()
{
    mFrameValid = false;
    if (mShapePS)
        mShapePS->hide();
    PanelPSVF();
    for (auto &s : mShapeM)
        if (s)
            s->hide();
    LabelMVF();
}

void SelectionMarks::showHover(int page, const PageRect &r)
{
    // A page no panel shows has no place for the frame.
    if (!mUnits.panelOf(page))
        return;
    ensureOverlays(page);
    placeShape(mShapeMS, page, r);
    mShapeMS->show();
}

void SelectionMarks::hideHover()
{
    if (mShapeMS)
        mShapeMS->hide();
}
