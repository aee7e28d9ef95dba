#include "editing/UnitSelect.h"
#include "editing/UnitMoji.h"
#include "math/UnitSiki.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

TEditController::TEditController(Document &doc, ViewState &view, Metrics &metrics, EditHost &host,
                                 TEditPanels &panels, QObject *parent)
    : QObject(parent), mDoc(doc), mView(view), mMetrics(metrics), mHost(host), mPanels(panels)
{
    mMoji = new TFormMoji(mMetrics, host.dialogParent());
    connect(mMoji, &TFormMoji::confirmed, this, &TEditController::MojiKettei);
    connect(mMoji, &TFormMoji::cancelled, this, [this] {
        CancelInput();
        mHost.redraw();
    });
    connect(mMoji, &TFormMoji::textChanged, this, [this](const QString &t) {
        mDoc.NewData.Siki = t;
        updateTextPreview(t);
        mHost.redraw();
    });

    connect(mPanels.ToolButton9, &QToolButton::clicked, this, &TEditController::ToolButton9Click);
    connect(mPanels.ToolButton5, &QToolButton::clicked, this, &TEditController::ToolButton5Click);
    connect(mPanels.ToolButton6, &QToolButton::clicked, this, &TEditController::ToolButton6Click);
    connect(mPanels.ToolButton8, &QToolButton::clicked, this, &TEditController::ToolButton8Click);
    connect(mPanels.ToolButton7, &QToolButton::clicked, this, &TEditController::ToolButton7Click);
    connect(mPanels.ToolButton10, &QToolButton::clicked, this, &TEditController::ToolButton10Click);
    connect(mPanels.SpeedButtonS, &QToolButton::clicked, this, &TEditController::SpeedButtonSClick);
    connect(mPanels.SpeedButtonL1, &QToolButton::clicked, this,
            &TEditController::SpeedButtonL1Click);
    connect(mPanels.SpeedButton20, &QToolButton::clicked, this,
            &TEditController::SpeedButton20Click);
    connect(mPanels.SpeedButton13, &QToolButton::clicked, this, &TEditController::EditSelection);
    connect(&mDoc.events(), &DocumentEvents::changed, this, &TEditController::onDocumentChanged);
}

void TEditController::onDocumentChanged(const RChange &change)
{
    // While the mouse drags, only the overlays move; the pages follow on
    // the release.
    if (change.initial && (MouseDown.B || psmd)) {
        mDeferredPages.unite(change.pages);
        mDeferredAll = mDeferredAll || change.allPages;
        return;
    }
    if (change.allPages)
        mHost.redraw();
    else if (!change.pages.isEmpty())
        mHost.redrawPages(change.pages);
    if (change.initial)
        return;
    // Undo and redo: the rows the command touched become the selection.
    // A row being rewritten may have gone or moved, so the input windows
    // give up.
    if (mDoc.NewData.ID >= 0)
        CancelInput();
    selectRows(change.rows);
}

void TEditController::selectRows(const QVector<int> &rows)
{
    MouseSelect.clear();
    for (int r : rows) {
        if (r < 0 || r >= mDoc.AData.size() || !IsHittableKind(mDoc.AData[r].Syu))
            continue;
        RMouseSelect e;
        e.ANo = r;
        MouseSelect.append(e);
    }
    if (MouseSelect.isEmpty()) {
        clearSelection();
        return;
    }
    refreshSelectionMarks();
    fillProValues();
    emit selectionChanged();
}

TEditController::~TEditController()
{
    // The overlays belong to the page panels; take them away with us so a
    // panel that lives on does not keep controls nobody places any more.
    delete mMoji.data();
    delete mShapePS.data();
    delete mShapeMS.data();
    delete mPreview.data();
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

// ---------------------------------------------------------------- units

TFormMoji *TEditController::formMoji() const
{
    return mMoji.data();
}

int TEditController::toPage(int pixels) const
{
    const int64_t raw = mHost.gamenBai().raw;
    if (raw <= 0)
        return pixels;
    return int(int64_t(pixels) * 10000 / raw);
}

int TEditController::toScreen(int64_t pageUnits) const
{
    const int64_t v = mHost.gamenBai().scaleTrunc(pageUnits);
    return int(std::clamp<int64_t>(v, -(1 << 24), 1 << 24));
}

QWidget *TEditController::panelOf(int page) const
{
    return mHost.pagePanel(page);
}

TColor TEditController::highlightColor() const
{
    const QColor c = QApplication::palette().color(QPalette::Highlight);
    return TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}

// ---------------------------------------------------------------- tools

bool TEditController::multiSelect() const
{
    return mPanels.SpeedButtonS->isChecked();
}

void TEditController::setTool(const QString &syu)
{
    if (ToolSyu == syu)
        return;
    ToolSyu = syu;
    mPanels.markTool(syu);
    emit toolChanged(syu);
}

void TEditController::setCursorFor(bool arrow)
{
    const Qt::CursorShape shape = arrow ? Qt::ArrowCursor : Qt::CrossCursor;
    if (mCursorSet && shape == mCursor)
        return;
    mCursor = shape;
    mCursorSet = true;
    mHost.setPageCursor(shape);
}

void TEditController::ToolButton9Click()
{
    // Whatever waits in the text window or the expression tool would lose
    // its place when the pending object is emptied: "選択" gives it up.
    CancelInput();
    setTool(QStringLiteral("0"));
    mPanels.showPanel(ToolPanel::None);
    setCursorFor(true);
    mView.Creation.MarkerPage = 1;
    mView.Creation.MarkerX = mView.Creation.MarkerY = 0;
    syncCreation();
    mHost.redraw();
}

void TEditController::ToolButton5Click()
{
    setTool(QStringLiteral("1"));
    mPanels.showPanel(ToolPanel::Moji);
    mPanels.LabelMojiSiki->setText(QStringLiteral("文字ツール"));
    LineMode = BoxMode = false;
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton6Click()
{
    setTool(QStringLiteral("2"));
    mPanels.showPanel(ToolPanel::Line);
    BoxMode = false;
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton8Click()
{
    setTool(QStringLiteral("3"));
    mPanels.showPanel(ToolPanel::Box);
    LineMode = false;
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton7Click()
{
    setTool(QStringLiteral("4"));
    mPanels.showPanel(ToolPanel::Pic);
    LineMode = BoxMode = false;
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton10Click()
{
    setTool(QStringLiteral("5"));
    mPanels.showPanel(ToolPanel::Moji);
    mPanels.LabelMojiSiki->setText(QStringLiteral("数式ツール"));
    LineMode = BoxMode = false;
    setCursorFor(false);
    PanelPSVF();
    hideMarker();
    syncCreation();
    mHost.redraw();
}

void TEditController::SpeedButtonSClick()
{
    setTool(QStringLiteral("0"));
    LineMode = BoxMode = false;
    syncCreation();
    setCursorFor(true);
    if (!multiSelect())
        clearSelection();
}

void TEditController::showKindPanel(const QString &syu)
{
    if (syu == u"1" || syu == u"5")
        mPanels.showPanel(ToolPanel::Moji);
    else if (syu == u"2")
        mPanels.showPanel(ToolPanel::Line);
    else if (syu == u"3")
        mPanels.showPanel(ToolPanel::Box);
    else if (syu == u"4" || syu == u"k")
        mPanels.showPanel(ToolPanel::Pic);
}

// ---------------------------------------------------------------- press

void TEditController::ImageMouseDown(int page, QPoint pos)
{
    mDoc.FileData.HensyuB = true;
    if (DBL) {
        // The press that belongs to a double click does nothing else.
        DBL = false;
        return;
    }
    mPressPage = page;
    mPointerPage = page;
    mView.ActivePage = page;
    mBandFromPress = false;
    const int x = toPage(pos.x()), y = toPage(pos.y());

    if (mShapePS)
        mShapePS->hide();
    if (!multiSelect())
        MouseSelect.clear();
    MouseDown.B = false;
    MDX = pos.x();
    MDY = pos.y();

    const int hit = HitTest(mDoc.AData, page, x, y);
    if (hit >= 0) {
        const RAData &row = mDoc.AData[hit];
        showKindPanel(row.Syu);
        MouseDown = {true, pos.x(), pos.y()};
        mMoveRun = mDoc.newMergeRun();
        mDragMoved = false;
        const bool present = std::any_of(MouseSelect.begin(), MouseSelect.end(),
                                         [hit](const RMouseSelect &e) { return e.ANo == hit; });
        if (!present) {
            RMouseSelect e;
            e.ANo = hit;
            e.X = row.X1;
            e.Y = row.Y1;
            if (row.Syu == u"1") {
                // A locked text cannot join a multiple selection.
                if (MouseSelect.isEmpty() || row.Lock == 0) {
                    MouseSelect.append(e);
                    setTool(QStringLiteral("1"));
                    mDoc.NewData.X1 = row.X1;
                    mDoc.NewData.Y1 = row.Y1;
                }
            } else {
                MouseSelect.append(e);
            }
        }
        refreshEntries();
        setShapePS();
        if (mShapePS && mFrameValid)
            mShapePS->show();
        if (mShapeMS)
            mShapeMS->hide();
        MDSx = toScreen(row.X1);
        MDSy = toScreen(row.Y1);
        MD1X = pos.x();
        MD1Y = pos.y();
        PanelPSVF();
        if (mMoji)
            mMoji->hide();
        refreshProperties(hit);
    }
    fillProValues();
    dispatchTool(page, x, y);
    rebuildFeedback();
    if (hit < 0)
        PanelPSVF();
    emit selectionChanged();
}

void TEditController::refreshEntries()
{
    for (RMouseSelect &e : MouseSelect) {
        if (e.ANo < 0 || e.ANo >= mDoc.AData.size())
            continue;
        const RAData &row = mDoc.AData[e.ANo];
        e.X = row.X1;
        e.Y = row.Y1;
        e.W = row.Width;
        e.H = row.Height;
        e.FS = row.FontSize;
        e.Lock = row.Lock;
        if (row.Syu == u"5")
            mPanels.SpeedButtonLock->setChecked(row.Lock == 1);
    }
}

void TEditController::refreshProperties(int rowIndex)
{
    const RAData &row = mDoc.AData[rowIndex];
    if (row.Syu != u"1" && row.Syu != u"5")
        return;
    mPanels.MemoFS->setText(QString::number(row.FontSize));
    mPanels.MemoFontName->setText(row.FontName);
    if (MouseSelect.size() >= 2) {
        mPanels.MemoFS->clear();
        mPanels.MemoFontName->clear();
        mPanels.SpeedButtonLock->setChecked(false);
        return;
    }
    if (row.Syu == u"1") {
        mPanels.SpeedButtonLock->setChecked(row.Lock == 1);
        mPanels.PanelFCMo->setColor(row.ForeColor);
        mPanels.PanelBCMo->setColor(row.BackColor);
        mPanels.PanelBCMo->setTransparentShown(row.BackColorB != 1);
    }
}

void TEditController::fillProValues()
{
    ProValues = RProValues{};
    if (MouseSelect.size() == 1) {
        const int a = MouseSelect[0].ANo;
        if (a >= 0 && a < mDoc.AData.size()) {
            const RAData &r = mDoc.AData[a];
            ProValues = {true, r.X1, r.Y1, r.X2, r.Y2, r.Width, r.Height};
        }
    }
    emit proValuesChanged();
}

void TEditController::dispatchTool(int page, int x, int y)
{
    const bool empty = MouseSelect.isEmpty();
    if (ToolSyu == u"1") {
        if (empty)
            startText(page, x, y);
    } else if (ToolSyu == u"2" || ToolSyu == u"3") {
        const bool placed = ToolSyu == u"2" ? LineMode : BoxMode;
        if (empty || placed)
            lineOrBoxPress(ToolSyu, page, x, y);
    } else if (ToolSyu == u"4") {
        if (empty)
            startPicture(page, x, y);
    } else if (ToolSyu == u"5") {
        if (empty)
            startSiki(page, x, y);
        else if (mSiki)
            mSiki->hide();
    } else if (ToolSyu == u"0" && multiSelect()) {
        for (RMouseSelect &e : MouseSelect) {
            if (e.ANo >= 0 && e.ANo < mDoc.AData.size()) {
                e.X = mDoc.AData[e.ANo].X1;
                e.Y = mDoc.AData[e.ANo].Y1;
            }
        }
        // The selection lives on, so its frame shows again.
        setShapePS();
        if (mShapePS && mFrameValid && !MouseSelect.isEmpty())
            mShapePS->show();
    }
}

void TEditController::ensureFeedback(int count)
{
    while (mShapeM.size() < count) {
        mShapeM.append(QPointer<TOverlayShape>());
        mLabelM.append(QPointer<TOverlayLabel>());
    }
}

void TEditController::rebuildFeedback()
{
    // One outline and one label per entry, parked until a drag places them.
    ensureFeedback(MouseSelect.size());
    for (int i = 0; i < mShapeM.size(); ++i) {
        if (mShapeM[i])
            mShapeM[i]->hide();
        if (mLabelM[i])
            mLabelM[i]->hide();
    }
}

// ---------------------------------------------------------------- move, hover

void TEditController::ImageMouseMove(int page, QPoint pos)
{
    mPointerPage = page;
    if (psmd)
        return;
    if (MouseDown.B) {
        dragTo(pos);
        return;
    }
    const int x = toPage(pos.x()), y = toPage(pos.y());
    hover(page, x, y);
    if (LineMode || BoxMode)
        rubberBand(x, y);
    mHost.redraw();
}

void TEditController::hover(int page, int x, int y)
{
    if (mShapeMS)
        mShapeMS->hide();
    setCursorFor(ToolSyu == u"0");
    // The topmost row under the mouse keeps the hover frame.
    const int hit = HitTest(mDoc.AData, page, x, y);
    MouseMove = hit;
    if (hit < 0)
        return;
    ensureOverlays(page);
    placeShape(mShapeMS, page, RowRect(mDoc.AData[hit]));
    mShapeMS->show();
    setCursorFor(true);
}

void TEditController::dragTo(QPoint pos)
{
    if (mShapeMS)
        mShapeMS->hide();
    // The mouse's travel since the press, in page units.
    const int dx = toPage(pos.x() - MouseDown.X);
    const int dy = toPage(pos.y() - MouseDown.Y);
    ensureFeedback(MouseSelect.size());
    bool moved = false;
    mDoc.runEdit(
        QStringLiteral("移動"),
        [&] {
            for (const RMouseSelect &e : MouseSelect) {
                if (e.ANo < 0 || e.ANo >= mDoc.AData.size())
                    continue;
                RAData &row = mDoc.AData[e.ANo];
                if (!IsHittableKind(row.Syu) || row.Lock != 0)
                    continue;
                row.X1 = e.X + dx;
                row.Y1 = e.Y + dy;
                moved = true;
            }
        },
        RMerge{MergeKind::Move, mMoveRun});
    mDragMoved = mDragMoved || moved;
    for (int i = 0; i < MouseSelect.size(); ++i) {
        const RMouseSelect &e = MouseSelect[i];
        if (e.ANo < 0 || e.ANo >= mDoc.AData.size())
            continue;
        const RAData &row = mDoc.AData[e.ANo];
        if (!IsHittableKind(row.Syu) || row.Lock != 0)
            continue;
        const bool text = row.Syu == u"1";
        if (text || row.Syu == u"4" || row.Syu == u"k") {
            QWidget *panel = panelOf(row.Page);
            if (!panel)
                continue;
            if (!mShapeM[i])
                mShapeM[i] = new TOverlayShape(TOverlayShape::Solid, QColor(), panel);
            mShapeM[i]->setColor(
                QColor(LabelMColor & 0xFF, (LabelMColor >> 8) & 0xFF, (LabelMColor >> 16) & 0xFF));
            placeShape(mShapeM[i], row.Page, RowRect(row));
            mShapeM[i]->show();
            if (text) {
                if (!mLabelM[i])
                    mLabelM[i] = new TOverlayLabel(panel);
                placeLabel(mLabelM[i], row);
            }
        }
    }
    if (moved) {
        PanelPSVF();
        setShapePS();
        if (mShapePS && mFrameValid)
            mShapePS->show();
        if (mView.Creation.MarkerOn)
            hideMarker();
        mDoc.NewData.Syu.clear();
        syncCreation();
    }
}

void TEditController::ImageMouseUp(int page, QPoint pos)
{
    if (mBandFromPress && (LineMode || BoxMode)) {
        mBandFromPress = false;
        const int x = toPage(pos.x()), y = toPage(pos.y());
        const RAData &n = mDoc.NewData;
        if (page == n.Page && std::abs(x - n.X1) + std::abs(y - n.Y1) >= MinimumDrag) {
            const QString kind = LineMode && (!BoxMode || ToolSyu != u"3") ? QStringLiteral("2")
                                                                           : QStringLiteral("3");
            lineOrBoxPress(kind, page, x, y);
            return;
        }
    }
    const bool dragged = MouseDown.B && mDragMoved;
    mDragMoved = false;
    MouseDown.B = false;
    // The run ends: a later drag is an undo step of its own.
    mMoveRun = 0;
    // The moved objects show at their new place at once.
    if (dragged) {
        mDeferredPages.insert(page);
        if (mDeferredAll)
            mHost.redraw();
        else
            mHost.redrawPages(mDeferredPages);
    }
    mDeferredPages.clear();
    mDeferredAll = false;
    SetMouseSelect();
    if (!MouseSelect.isEmpty())
        PanelPSVT();
    LabelMVF();
}

void TEditController::ImageDblClick(int page, QPoint pos)
{
    EditSelection();
    // The toolkit reports the second press of a double click as the double
    // click itself; pass it through the press so that it is spent there.
    DBL = true;
    ImageMouseDown(page, pos);
}
