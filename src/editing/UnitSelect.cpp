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
    label->setContent(
        row.Siki, font,
        QColor(LabelMColor & 0xFF, (LabelMColor >> 8) & 0xFF, (LabelMColor >> 16) & 0xFF));
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
    for (const RMouseSelect &e : MouseSelect)
        if (e.ANo >= 0 && e.ANo < mDoc.AData.size() && mDoc.AData[e.ANo].Lock == 0)
            return mDoc.AData[e.ANo].Page;
    for (const RMouseSelect &e : MouseSelect)
        if (e.ANo >= 0 && e.ANo < mDoc.AData.size())
            return mDoc.AData[e.ANo].Page;
    return 0;
}

void TEditController::setShapePS()
{
    if (MouseSelect.isEmpty())
        return;
    PageRect f;
    mFrameValid = SelectionFrame(mDoc.AData, MouseSelect, f);
    if (!mFrameValid)
        return;
    mFrame = f;
    const int page = framePage();
    ensureOverlays(page);
    placeShape(mShapePS, page, f);
}

void TEditController::PanelPSVT()
{
    if (MouseSelect.isEmpty() || !mFrameValid)
        return;
    const int a = MouseSelect[0].ANo;
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
    ensureFeedback(MouseSelect.size());
    for (int i = 0; i < MouseSelect.size(); ++i) {
        const int a = MouseSelect[i].ANo;
        if (a < 0 || a >= mDoc.AData.size() || mDoc.AData[a].Syu != u"1")
            continue;
        const RAData &row = mDoc.AData[a];
        QWidget *panel = panelOf(row.Page);
        if (!panel)
            continue;
        if (!mShapeM[i])
            mShapeM[i] = new TOverlayShape(TOverlayShape::Solid, QColor(), panel);
        mShapeM[i]->setColor(
            QColor(LabelMColor & 0xFF, (LabelMColor >> 8) & 0xFF, (LabelMColor >> 16) & 0xFF));
        placeShape(mShapeM[i], row.Page, RowRect(row));
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
    for (RMouseSelect &e : MouseSelect) {
        if (e.ANo < 0 || e.ANo >= mDoc.AData.size())
            continue;
        const RAData &row = mDoc.AData[e.ANo];
        e.X = row.X1;
        e.Y = row.Y1;
        e.W = row.Width;
        e.H = row.Height;
        // A word problem scales its size, not its font: its reference font
        // size stays what it was.
        if (!(row.Syu == u"5" && row.Siki1 == 3))
            e.FS = row.FontSize;
        e.Lock = row.Lock;
    }
}

void TEditController::refreshSelectionMarks()
{
    // Rows may have gone: keep only entries that still name a row.
    MouseSelect.erase(std::remove_if(MouseSelect.begin(), MouseSelect.end(),
                                     [this](const RMouseSelect &e) {
                                         return e.ANo < 0 || e.ANo >= mDoc.AData.size();
                                     }),
                      MouseSelect.end());
    if (MouseSelect.isEmpty()) {
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
    if (!MouseSelect.isEmpty())
        refreshSelectionMarks();
    if (mPreview && !mPreview->isHidden())
        updateTextPreview(mDoc.NewData.Siki);
}

void TEditController::clearSelection()
{
    MouseSelect.clear();
    mFrameValid = false;
    if (mShapePS)
        mShapePS->hide();
    PanelPSVF();
    for (auto &s : mShapeM)
        if (s)
            s->hide();
    LabelMVF();
    fillProValues();
    emit selectionChanged();
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
