// Resizing with the corner handles: one command per handle drag, merged
// while the mouse is down.
#include "editing/UnitSelect.h"

// ---------------------------------------------------------------- resize

void TEditController::HandleMouseDown(Handle h, QPoint panelPos)
{
    if (MouseSelect.isEmpty())
        return;
    setShapePS();
    if (!mFrameValid)
        return;
    TResizeHandle *handle = mHandles[int(h) - 1];
    psmd = true;
    mResizeRun = mDoc.newMergeRun();
    psHandle = h;
    mPsPage = mHandlePage;
    mPsPress = panelPos;
    const QPoint topLeft = handle ? handle->pos() : QPoint();
    psx0 = panelPos.x() - topLeft.x();
    psy0 = panelPos.y() - topLeft.y();
    psx1 = psx2 = topLeft.x();
    psy1 = psy2 = topLeft.y();
    if (mShapePS)
        mShapePS->show();
    if (mShapeMS)
        mShapeMS->hide();
    ShapePSW1 = int(mFrame.width());
    ShapePSH1 = int(mFrame.height());
    ShapePSL1 = int(mFrame.left);
    ShapePST1 = int(mFrame.top);
    ShapePSW2 = ShapePSW1;
    ShapePSH2 = ShapePSH1;
}

void TEditController::HandleMouseMove(QPoint panelPos)
{
    if (!psmd || MouseSelect.isEmpty())
        return;
    psx2 = psx1 + (panelPos.x() - mPsPress.x());
    psy2 = psy1 + (panelPos.y() - mPsPress.y());
    const int tx = toPage(panelPos.x() - mPsPress.x());
    const int ty = toPage(panelPos.y() - mPsPress.y());

    bool lock = !mPanels.aspectUnlocked();
    const int first = MouseSelect[0].ANo;
    if (first >= 0 && first < mDoc.AData.size() && mDoc.AData[first].Syu == u"5" &&
        mDoc.AData[first].Siki1 == 3)
        lock = false;
    PageRect atPress;
    atPress.left = ShapePSL1;
    atPress.top = ShapePST1;
    atPress.right = int64_t(ShapePSL1) + ShapePSW1;
    atPress.bottom = int64_t(ShapePST1) + ShapePSH1;
    const FrameSize size = ResizeFrame(psHandle, atPress, tx, ty, lock);
    ShapePSW2 = size.W;
    ShapePSH2 = size.H;
    mDoc.runEdit(
        QStringLiteral("サイズ変更"),
        [&] {
            ScaleSelection(mDoc.AData, MouseSelect, psHandle, atPress, size,
                           [this](int row) { measureRow(row); });
        },
        RMerge{MergeKind::Resize, mResizeRun});

    ensureFeedback(MouseSelect.size());
    for (int i = 0; i < MouseSelect.size(); ++i) {
        const int a = MouseSelect[i].ANo;
        if (a < 0 || a >= mDoc.AData.size())
            continue;
        const RAData &row = mDoc.AData[a];
        const bool text = row.Syu == u"1";
        if (!text && row.Syu != u"4" && row.Syu != u"k")
            continue;
        QWidget *panel = panelOf(row.Page);
        if (!panel)
            continue;
        if (!mShapeM[i])
            mShapeM[i] = new TOverlayShape(TOverlayShape::Solid, QColor(), panel);
        placeShape(mShapeM[i], row.Page, RowRect(row));
        mShapeM[i]->show();
        if (text) {
            if (!mLabelM[i])
                mLabelM[i] = new TOverlayLabel(panel);
            placeLabel(mLabelM[i], row);
        }
    }
    setShapePS();
    // The other handles stay away while the drag lasts; the one in the
    // mouse's hand follows it so that the drag is not lost.
    for (int i = 0; i < 4; ++i) {
        if (!mHandles[i])
            continue;
        if (i == int(psHandle) - 1) {
            mHandles[i]->black()->move(psx2 - 1, psy2 - 1);
            mHandles[i]->move(psx2, psy2);
        } else {
            mHandles[i]->setShown(false);
        }
    }
}

void TEditController::HandleMouseUp(QPoint panelPos)
{
    if (!psmd)
        return;
    // The release point is where the corner ends, also when no move
    // reported it.
    HandleMouseMove(panelPos);
    psmd = false;
    mResizeRun = 0;
    mDeferredPages.clear();
    mDeferredAll = false;
    mHost.redraw();
    setShapePS();
    PanelPSVT();
    SetMouseSelect();
    if (!MouseSelect.isEmpty()) {
        const int a = MouseSelect.last().ANo;
        // The size box shows a font size only when the last entry has one.
        if (a >= 0 && a < mDoc.AData.size() &&
            (mDoc.AData[a].Syu == u"1" || mDoc.AData[a].Syu == u"5"))
            mPanels.MemoFS->setText(QString::number(MouseSelect.last().FS));
    }
    LabelMVF();
    fillProValues();
}

void TEditController::measureRow(int rowIndex)
{
    RAData &row = mDoc.AData[rowIndex];
    if (row.Syu == u"1") {
        row.Width = mMetrics.GetMojiWidth(row);
        row.Height = mMetrics.GetMojiHeight(row);
    } else if (row.Syu == u"5" && row.Siki1 != 3) {
        mMetrics.FitToContent(mDoc.AData, {rowIndex});
    }
}
