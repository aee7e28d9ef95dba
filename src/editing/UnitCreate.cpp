// What the creation tools share in the editing controller: the pending
// object and its marker, the text window and its preview ("OK" writes the
// text), the expression tool, giving up an input, the picture steps, the
// on-page button objects, and the editing of an existing text or math
// problem.
#include "document/UnitRowCommands.h"
#include "editing/UnitMoji.h"
#include "editing/UnitSelect.h"
#include "editing/tools/UnitLineBoxTool.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "render/UnitCanvas.h"

#include <QEvent>
#include <QKeyEvent>

void TEditController::setSikiForm(TFormSiki *siki)
{
    if (mSiki)
        disconnect(mSiki, nullptr, this, nullptr);
    mSiki = siki;
    if (!mSiki)
        return;
    if (!mSikiMeasurer)
        mSikiMeasurer = std::make_unique<MetricsSikiMeasurer>(mMetrics);
    mSiki->SetMeasurer(mSikiMeasurer.get());
    mSiki->SetSettingsSource(this);
    connect(mSiki, &TFormSiki::redrawRequested, this, &TEditController::SikiWritten);
    // A placed set becomes the selection, in view, so it can be moved at once.
    connect(mSiki, &TFormSiki::setPlaced, this, [this](const QVector<int> &rows) {
        selectRows(rows);
        if (mSelection.isEmpty())
            return;
        const RAData &first = mDoc.AData[mSelection.first().ANo];
        mHost.showArea(first.Page, QRect(toScreen(first.X1), toScreen(first.Y1),
                                         toScreen(first.Width), toScreen(first.Height)));
    });
    // Escape and the close button leave the tool without writing.
    mSiki->installEventFilter(this);
}

bool TEditController::eventFilter(QObject *watched, QEvent *event)
{
    if (mSiki && watched == mSiki && event->type() == QEvent::Close) {
        CancelInput();
        focusEditor();
    }
    // The input boxes leave Escape to the tool's window.
    if (mSiki && watched == mSiki && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        mSiki->close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TEditController::SikiWritten(int)
{
    hideMarker();
    syncCreation();
    refreshSelectionMarks();
    focusEditor();
}

void TEditController::focusEditor()
{
    if (QWidget *editor = mHost.dialogParent())
        editor->activateWindow();
}

// ---------------------------------------------------------------- pending object

void TEditController::emptyNewData(int page)
{
    RAData &n = mDoc.NewData;
    n.ID = -1;
    n.Syu.clear();
    n.Siki.clear();
    n.X1 = n.Y1 = n.X2 = n.Y2 = 0;
    n.Page = page;
}

void TEditController::showMarker(int page, int x, int y)
{
    CreationState &c = mView.Creation;
    c.MarkerOn = true;
    c.MarkerPage = page;
    c.MarkerX = x;
    c.MarkerY = y;
    mCreationMarks.refresh();
}

void TEditController::hideMarker()
{
    // A drag calls this on every step: nothing to do once the cross is gone.
    if (!mView.Creation.MarkerOn)
        return;
    mView.Creation.MarkerOn = false;
    mCreationMarks.refresh();
}

void TEditController::syncCreation()
{
    CreationState &c = mView.Creation;
    const RAData &n = mDoc.NewData;
    c.ToolKind = n.Syu;
    c.Dragging = (lineMode() && n.Syu == u"2") || (boxMode() && n.Syu == u"3");
    c.StartX = n.X1;
    c.StartY = n.Y1;
    c.CurX = n.X2;
    c.CurY = n.Y2;
    c.LineColor = n.ForeColor;
    // The rubber band runs from the first point to the mouse as given.
    c.LineSyu = 0;
    c.FillColor = mPanels.PanelColorBoxFull->color();
    c.FillB = mPanels.PanelColorBoxFull->transparentShown() ? 0 : 1;
    mCreationMarks.refresh();
}

// ---------------------------------------------------------------- text

void TEditController::updateTextPreview(const QString &text)
{
    const RAData &n = mDoc.NewData;
    QWidget *panel = panelOf(n.Page);
    const bool show = n.Syu == u"1" && n.ID < 0 && !text.isEmpty() && panel;
    if (!show) {
        if (mPreview)
            mPreview->hide();
        return;
    }
    if (!mPreview) {
        mPreview = new TOverlayLabel(panel);
        mPreview->setObjectName(QStringLiteral("TextPreview"));
    }
    if (mPreview->parentWidget() != panel)
        mPreview->setParent(panel);
    int fs = 0;
    if (!ReadIntegerBox(mPanels.MemoFS->text(), fs))
        fs = 11;
    const QString face = mPanels.MemoFontName->text();
    const bool bold = mPanels.SpeedButtonBold->isChecked();
    const QSize size = MeasureTextLines(mMetrics, text, face, fs, bold);
    FontSpec font{face,
                  std::max(1, toScreen(fs)),
                  bold,
                  mPanels.SpeedButtonItalic->isChecked(),
                  mPanels.SpeedButtonUnder->isChecked(),
                  mPanels.SpeedButtonStrike->isChecked()};
    mPreview->setContent(text, font, ToQColor(mPanels.PanelFCMo->color()));
    mPreview->setGeometry(toScreen(n.X1), toScreen(n.Y1), toScreen(size.width()) + 4,
                          toScreen(size.height()) + 4);
    mPreview->raise();
    mPreview->show();
}

void TEditController::MojiKettei()
{
    // Nothing waits for the text any more (the worksheet was replaced or
    // the input given up): "OK" writes nothing.
    if (mDoc.NewData.ID < 0 && mDoc.NewData.Syu != u"1")
        return;
    const QString text = mMoji->Text();
    if (text.isEmpty())
        return;
    int fs = 0;
    if (!ReadIntegerBox(mPanels.MemoFS->text(), fs)) {
        ShowError(NotIntegerMessage(mPanels.MemoFS->text()));
        return;
    }
    // The text being edited is rewritten; a new text, or one whose row has
    // gone meanwhile, becomes a new object.
    const int existing = mDoc.NewData.ID >= 0 ? mDoc.FindRow(mDoc.NewData.ID) : -1;
    if (existing >= 0)
        mDoc.push(std::make_unique<ChangeObjectCommand>(mDoc, QStringLiteral("書き換え"), existing,
                                                        textRow(text, fs, mDoc.AData[existing])));
    else
        mDoc.push(std::make_unique<AddObjectsCommand>(
            mDoc, QStringLiteral("作成"), RNewObjects{{textRow(text, fs, RAData{})}, {}}));

    emptyNewData(0);
    mMoji->hide();
    if (mPreview)
        mPreview->hide();
    hideMarker();
    syncCreation();
    refreshSelectionMarks();
    focusEditor();
}

RAData TEditController::textRow(const QString &text, int fs, RAData r) const
{
    const RAData &n = mDoc.NewData;
    r.Syu = QStringLiteral("1");
    r.Page = n.Page;
    r.X1 = n.X1;
    r.Y1 = n.Y1;
    r.Siki = text;
    r.FontName = mPanels.MemoFontName->text();
    r.FontSize = fs;
    r.FontB = mPanels.SpeedButtonBold->isChecked() ? 1 : 0;
    r.FontI = mPanels.SpeedButtonItalic->isChecked() ? 1 : 0;
    r.FontU = mPanels.SpeedButtonUnder->isChecked() ? 1 : 0;
    r.FontS = mPanels.SpeedButtonStrike->isChecked() ? 1 : 0;
    const QSize size = MeasureTextLines(mMetrics, text, r.FontName, fs, r.FontB == 1);
    SetTextGeometry(r, size.width(), size.height());
    r.ForeColor = mPanels.PanelFCMo->color();
    r.BackColor = mPanels.PanelBCMo->color();
    r.BackColorB = mPanels.PanelBCMo->transparentShown() ? 0 : 1;
    const ModeFields mode = ModeForNewObject(mHost.nameDisplayOn(), mHost.answerDisplayOn());
    r.Layer = mode.Layer;
    r.KotaeMode = mode.KotaeMode;
    return r;
}

// ---------------------------------------------------------------- ending

void TEditController::endCreation(int page)
{
    if (mPreview)
        mPreview->hide();
    emptyNewData(page);
    hideMarker();
    syncCreation();
}

void TEditController::CancelInput()
{
    if (mMoji)
        mMoji->hide();
    if (mPreview)
        mPreview->hide();
    if (mSiki)
        mSiki->hide();
    mLineTool->dropPoint();
    mBoxTool->dropPoint();
    emptyNewData(0);
    hideMarker();
    syncCreation();
}

void TEditController::DataSakujo1()
{
    QVector<int> rows;
    for (const RMouseSelect &e : mSelection.entries())
        rows.append(e.ANo);
    if (rows.isEmpty())
        return;
    clearSelection();
    // Rows already of kind "0" go with them, as the compaction removes every such row.
    mDoc.push(std::make_unique<RemoveObjectsCommand>(mDoc, QStringLiteral("削除"), rows));
}

void TEditController::SpeedButtonL1Click()
{
    mLineTool->dropPoint();
    endCreation(mDoc.NewData.Page);
}

void TEditController::SpeedButton20Click()
{
    mBoxTool->dropPoint();
    endCreation(mDoc.NewData.Page);
}

// ---------------------------------------------------------------- picture

PictureDialogs &TEditController::pictureDialogs()
{
    if (!mPictureDialogs) {
        if (!mDefaultPictureDialogs)
            mDefaultPictureDialogs = std::make_unique<WidgetPictureDialogs>(mHost.dialogParent());
        mPictureDialogs = mDefaultPictureDialogs.get();
    }
    return *mPictureDialogs;
}

int TEditController::OpenPicture(const QString &fileName)
{
    bool tooLarge = false;
    const QImage picture = ReadPictureFile(fileName, &tooLarge);
    if (tooLarge) {
        // Nothing is placed: an empty picture would hide why.
        ShowError(PictureTooLargeText);
        emptyNewData(0);
        hideMarker();
        return -1;
    }
    return SetPicture(picture, QStringLiteral("作成"));
}

int TEditController::SetPicture(const QImage &bm, const QString &name)
{
    // The picture and its row are one command.
    const RAData &n = mDoc.NewData;
    RAData r;
    r.Syu = QStringLiteral("4");
    r.Page = n.Page;
    r.X1 = n.X1;
    r.Y1 = n.Y1;
    r.X2 = bm.width();
    r.Y2 = bm.height();
    r.PicNo = 0; // the command's first picture
    r.Width = bm.width();
    r.Height = bm.height();
    const ModeFields mode = ModeForNewObject(mHost.nameDisplayOn(), mHost.answerDisplayOn());
    r.Layer = mode.Layer;
    r.KotaeMode = mode.KotaeMode;
    const int rowIndex = mDoc.AData.size();
    mDoc.push(std::make_unique<AddObjectsCommand>(mDoc, name, RNewObjects{{r}, {bm}}));
    emptyNewData(0);
    hideMarker();
    return rowIndex;
}

// ---------------------------------------------------------------- buttons

int TEditController::PlaceButtonObject(const QString &syu)
{
    const bool answerSwitch = syu == u"b";
    if (!answerSwitch && syu != u"r")
        return -1;
    const QImage picture = answerSwitch ? AnswerSwitchPicture() : RandomButtonPicture();
    RAData r;
    r.Syu = syu;
    r.X1 = r.Y1 = 100;
    r.Width = picture.width();
    r.Height = picture.height();
    r.PicNo = 0; // the command's picture
    // Layer 0 only ever comes from old files; the regenerate button is an
    // ordinary sheet object.
    r.Layer = answerSwitch ? 3 : 1;
    const int rowIndex = mDoc.AData.size();
    mDoc.push(std::make_unique<AddObjectsCommand>(mDoc, QStringLiteral("作成"),
                                                  RNewObjects{{r}, {picture}}));
    return rowIndex;
}

// ---------------------------------------------------------------- name header

bool TEditController::AddNameHeader(NameHeaderStyle style)
{
    QString face = mPanels.MemoFontName->text().trimmed();
    if (face.isEmpty())
        face = EditPanelDefaults{}.FontName;
    const int page = std::max(0, mView.ActivePage);
    const RNameHeader header = LayoutNameHeader(mDoc, page, style, face, mMetrics);
    if (!header.fits) {
        ShowError(header.message);
        return false;
    }
    if (header.pushesOffPage &&
        AskYesNo(QStringLiteral("名前欄の場所をあけると、下の物がページの外に出ます。"
                                "このまま追加しますか？")) != MsgAnswer::Yes)
        return false;
    const int first = mDoc.AData.size();
    if (!mDoc.push(std::make_unique<InsertAndShiftCommand>(
            mDoc, QStringLiteral("名前欄を追加"), RNewObjects{header.rows, {}}, header.shifts)))
        return false;
    QVector<int> added;
    for (int k = 0; k < header.rows.size(); ++k)
        added.append(first + k);
    selectRows(added);
    return true;
}

// ---------------------------------------------------------------- edit

int TEditController::selectedProblem() const
{
    if (mSelection.size() != 1)
        return -1;
    const int a = mSelection.first().ANo;
    return a >= 0 && a < mDoc.AData.size() && mDoc.AData[a].Syu == u"5" ? a : -1;
}

bool TEditController::PlaceSetOfSelection()
{
    const int a = selectedProblem();
    if (a < 0 || !mSiki)
        return false;
    // Whatever waits in the input windows gives up first: the dialog reads
    // the problem through the expression tool.
    CancelInput();
    return mSiki->OpenSetDialogForRow(a) != nullptr;
}

void TEditController::ContextPress(int page, QPoint pos)
{
    const PageEvent ev = toPageEvent(page, pos);
    const int hit = HitTest(mDoc.AData, ev.page, ev.x, ev.y);
    if (hit < 0)
        return;
    for (const RMouseSelect &e : mSelection.entries())
        if (e.ANo == hit)
            return;
    selectRows({hit});
    picked(hit);
}

void TEditController::EditSelection()
{
    if (multiSelect() || mSelection.size() != 1)
        return;
    const int a = mSelection.first().ANo;
    if (a < 0 || a >= mDoc.AData.size())
        return;
    const RAData &row = mDoc.AData[a];
    if (row.Syu == u"1") {
        RAData &n = mDoc.NewData;
        n.ID = row.ID;
        n.Page = row.Page;
        n.X1 = row.X1;
        n.Y1 = row.Y1;
        mMoji->MoveForm();
        mMoji->SetText(row.Siki);
        mMoji->show();
        mMoji->raise();
        mMoji->MemoMoji->setFocus();
    } else if (row.Syu == u"5" && mSiki) {
        mSiki->OpenRow(a);
    }
}
