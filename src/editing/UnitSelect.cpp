#include "editing/UnitSelect.h"
#include "editing/UnitMoji.h"
#include "editing/UnitPropertyRules.h"
#include "editing/UnitToggle.h"
#include "editing/tools/UnitLineBoxTool.h"
#include "editing/tools/UnitPictureTool.h"
#include "editing/tools/UnitProblemTool.h"
#include "editing/tools/UnitSelectTool.h"
#include "editing/tools/UnitTextTool.h"
#include "math/UnitSiki.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

TEditController::TEditController(Document &doc, ViewState &view, Metrics &metrics, EditHost &host,
                                 TEditPanels &panels, QObject *parent)
    : QObject(parent), mDoc(doc), mView(view), mMetrics(metrics), mHost(host), mPanels(panels),
      mUnits(host), mMarks(doc, mSelection, mUnits), mCreationMarks(doc, view, metrics, mUnits),
      mSelectTool(std::make_unique<SelectTool>(toolContext())),
      mTextTool(std::make_unique<TextTool>(toolContext())), mLineTool(std::make_unique<LineTool>(toolContext())),
      mBoxTool(std::make_unique<BoxTool>(toolContext())),
      mPictureTool(std::make_unique<PictureTool>(toolContext())),
      mProblemTool(std::make_unique<ProblemTool>(toolContext()))
{
    mTool = mSelectTool.get();
    mTool->activate();
    connect(&mSelection, &Selection::changed, this, &TEditController::selectionChanged);
    // A handle reports global pixels; the resize works in pixels of the
    // panel the drag started on.
    connect(&mMarks, &SelectionMarks::handlePressed, this, [this](Handle h, QPoint g) {
        if (TResizeHandle *handle = mMarks.PanelPS(int(h)))
            if (QWidget *p = handle->parentWidget())
                HandleMouseDown(h, p->mapFromGlobal(g));
    });
    connect(&mMarks, &SelectionMarks::handleMoved, this, [this](QPoint g) {
        if (QWidget *p = panelOf(mPsPage))
            HandleMouseMove(p->mapFromGlobal(g));
    });
    connect(&mMarks, &SelectionMarks::handleReleased, this, [this](QPoint g) {
        if (QWidget *p = panelOf(mPsPage))
            HandleMouseUp(p->mapFromGlobal(g));
    });
    mMoji = new TFormMoji(mMetrics, host.dialogParent());
    connect(mMoji, &TFormMoji::confirmed, this, &TEditController::MojiKettei);
    connect(mMoji, &TFormMoji::cancelled, this, [this] {
        CancelInput();
        focusEditor();
    });
    connect(mMoji, &TFormMoji::textChanged, this, [this](const QString &t) {
        mDoc.NewData.Siki = t;
        updateTextPreview(t);
    });

    // The tools are one exclusive group: the button that goes down runs its
    // tool, whichever way it was pressed; the one that pops up does nothing.
    const std::pair<QToolButton *, void (TEditController::*)()> tools[] = {
        {mPanels.ToolButton9, &TEditController::ToolButton9Click},
        {mPanels.ToolButton5, &TEditController::ToolButton5Click},
        {mPanels.ToolButton6, &TEditController::ToolButton6Click},
        {mPanels.ToolButton8, &TEditController::ToolButton8Click},
        {mPanels.ToolButton7, &TEditController::ToolButton7Click},
        {mPanels.ToolButton10, &TEditController::ToolButton10Click}};
    for (const auto &[button, slot] : tools)
        ConnectToggle(button, this, [this, slot = slot](bool down) {
            if (down)
                (this->*slot)();
        });
    ConnectToggle(mPanels.SpeedButtonS, this, [this](bool) { SpeedButtonSClick(); });
    connect(mPanels.SpeedButtonL1, &QToolButton::clicked, this,
            &TEditController::SpeedButtonL1Click);
    connect(mPanels.SpeedButton20, &QToolButton::clicked, this,
            &TEditController::SpeedButton20Click);
    connect(mPanels.SpeedButton13, &QToolButton::clicked, this, &TEditController::EditSelection);
    connect(&mDoc.events(), &DocumentEvents::changed, this, &TEditController::onDocumentChanged);
}

void TEditController::onDocumentChanged(const RChange &change)
{
    // A change of the classification, or its undo, may bring another grade.
    FollowGrade();
    if (change.initial)
        return;
    // Undo and redo: the rows the command touched become the selection.
    // A row being rewritten may have gone or moved, so the input windows
    // give up.
    if (mDoc.NewData.ID >= 0)
        CancelInput();
    selectRows(change.rows);
}

void TEditController::FollowGrade()
{
    const Integer grade = mDoc.NenIndex;
    if (grade == mGradeShown)
        return;
    mPanels.MemoFS->setText(
        SizeBoxAfterGrade(mPanels.MemoFS->text(), mGradeShown, grade, mPanels.startFontSize()));
    mGradeShown = grade;
}

void TEditController::selectRows(const QVector<int> &rows)
{
    QVector<RMouseSelect> next;
    for (int r : rows) {
        if (r < 0 || r >= mDoc.AData.size() || !IsHittableKind(mDoc.AData[r].Syu))
            continue;
        RMouseSelect e;
        e.ANo = r;
        next.append(e);
    }
    if (next.isEmpty()) {
        clearSelection();
        return;
    }
    mSelection.setEntries(next);
    refreshSelectionMarks();
    fillProValues();
}

TEditController::~TEditController()
{
    // The preview belongs to a page panel; take it away with us so a
    // panel that lives on does not keep a control nobody places any more.
    // The selection marks do the same for theirs.
    delete mMoji.data();
    delete mPreview.data();
}

// ---------------------------------------------------------------- units

TFormMoji *TEditController::formMoji() const
{
    return mMoji.data();
}

int TEditController::toPage(int pixels) const
{
    return mUnits.toPage(pixels);
}

int TEditController::toScreen(int64_t pageUnits) const
{
    return mUnits.toScreen(pageUnits);
}

QWidget *TEditController::panelOf(int page) const
{
    return mUnits.panelOf(page);
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

bool TEditController::lineMode() const
{
    return mLineTool->placed();
}

bool TEditController::boxMode() const
{
    return mBoxTool->placed();
}

bool TEditController::dragging() const
{
    return mSelectTool->dragging();
}

bool TEditController::resizing() const
{
    return mSelectTool->resizing();
}

void TEditController::setTool(const QString &syu)
{
    EditTool *const tools[] = {mSelectTool.get(), mTextTool.get(),    mLineTool.get(),
                               mBoxTool.get(),    mPictureTool.get(), mProblemTool.get()};
    EditTool *next = nullptr;
    for (EditTool *t : tools)
        if (t->toolSyu() == syu)
            next = t;
    if (!next || next == mTool)
        return;
    // The tool left behind gives up what it was creating before the new
    // one takes the events.
    EditTool *old = mTool;
    mTool = next;
    old->deactivate();
    mTool->activate();
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
}

void TEditController::ToolButton5Click()
{
    setTool(QStringLiteral("1"));
    mPanels.showPanel(ToolPanel::Moji);
    mPanels.LabelMojiSiki->setText(QStringLiteral("文字ツール"));
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton6Click()
{
    setTool(QStringLiteral("2"));
    mPanels.showPanel(ToolPanel::Line);
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton8Click()
{
    setTool(QStringLiteral("3"));
    mPanels.showPanel(ToolPanel::Box);
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton7Click()
{
    setTool(QStringLiteral("4"));
    mPanels.showPanel(ToolPanel::Pic);
    syncCreation();
    setCursorFor(false);
}

void TEditController::ToolButton10Click()
{
    setTool(QStringLiteral("5"));
    mPanels.showPanel(ToolPanel::Moji);
    mPanels.LabelMojiSiki->setText(QStringLiteral("数式ツール"));
    setCursorFor(false);
    mMarks.PanelPSVF();
    hideMarker();
    syncCreation();
}

void TEditController::SpeedButtonSClick()
{
    setTool(QStringLiteral("0"));
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

// ---------------------------------------------------------------- events

PageEvent TEditController::toPageEvent(int page, QPoint pos) const
{
    return {page, toPage(pos.x()), toPage(pos.y())};
}

void TEditController::ImageMouseDown(int page, QPoint pos)
{
    mPointerPage = page;
    mView.ActivePage = page;
    mMarks.hideFrame();
    mTool->press(toPageEvent(page, pos));
    fillProValues();
    mMarks.parkFeedback();
    // Nothing was hit: the handles stay away.
    if (!dragging())
        mMarks.PanelPSVF();
}

void TEditController::picked(int rowIndex)
{
    if (rowIndex < 0 || rowIndex >= mDoc.AData.size())
        return;
    showKindPanel(mDoc.AData[rowIndex].Syu);
    // The lock switch shows the lock of a selected math problem.
    for (const RMouseSelect &e : mSelection.entries()) {
        if (e.ANo < 0 || e.ANo >= mDoc.AData.size())
            continue;
        const RAData &row = mDoc.AData[e.ANo];
        if (row.Syu == u"5")
            SetCheckedQuietly(mPanels.SpeedButtonLock, row.Lock == 1);
    }
    refreshProperties(rowIndex);
}

void TEditController::resizeEnded()
{
    if (!mSelection.isEmpty()) {
        const int a = mSelection.last().ANo;
        // The size box shows a font size only when the last entry has one.
        if (a >= 0 && a < mDoc.AData.size() &&
            (mDoc.AData[a].Syu == u"1" || mDoc.AData[a].Syu == u"5"))
            mPanels.MemoFS->setText(QString::number(mSelection.last().FS));
    }
    fillProValues();
}

void TEditController::refreshProperties(int rowIndex)
{
    const RAData &row = mDoc.AData[rowIndex];
    if (row.Syu != u"1" && row.Syu != u"5")
        return;
    mPanels.MemoFS->setText(QString::number(row.FontSize));
    mPanels.MemoFontName->setText(row.FontName);
    if (mSelection.size() >= 2) {
        mPanels.MemoFS->clear();
        mPanels.MemoFontName->clear();
        SetCheckedQuietly(mPanels.SpeedButtonLock, false);
        return;
    }
    if (row.Syu == u"1") {
        SetCheckedQuietly(mPanels.SpeedButtonLock, row.Lock == 1);
        mPanels.PanelFCMo->setColor(row.ForeColor);
        mPanels.PanelBCMo->setColor(row.BackColor);
        mPanels.PanelBCMo->setTransparentShown(row.BackColorB != 1);
    }
}

void TEditController::fillProValues()
{
    mProValues = RProValues{};
    if (mSelection.size() == 1) {
        const int a = mSelection.first().ANo;
        if (a >= 0 && a < mDoc.AData.size()) {
            const RAData &r = mDoc.AData[a];
            mProValues = {true, r.X1, r.Y1, r.X2, r.Y2, r.Width, r.Height};
        }
    }
    emit proValuesChanged();
}

// ---------------------------------------------------------------- move, hover

void TEditController::ImageMouseMove(int page, QPoint pos)
{
    mPointerPage = page;
    // A handle drag has the mouse.
    if (resizing())
        return;
    mTool->move(toPageEvent(page, pos));
}

void TEditController::hover(const PageEvent &ev)
{
    mMarks.hideHover();
    setCursorFor(mTool == mSelectTool.get());
    // The topmost row under the mouse keeps the hover frame.
    const int hit = HitTest(mDoc.AData, ev.page, ev.x, ev.y);
    if (hit < 0)
        return;
    mMarks.showHover(ev.page, RowRect(mDoc.AData[hit]));
    setCursorFor(true);
}

void TEditController::ImageMouseUp(int page, QPoint pos)
{
    mTool->release(toPageEvent(page, pos));
}

void TEditController::ImageDblClick(int page, QPoint pos)
{
    // The toolkit reports the second press of a double click as the double
    // click itself: it opens the selection for editing and does nothing
    // else a press would do.
    mTool->doubleClick(toPageEvent(page, pos));
}
