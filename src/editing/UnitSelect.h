// The editing controller: everything the mouse does on the pages. It owns
// the tools (selection, text, line, box, picture, math problem) and the
// selection, switches tools for the tool buttons, and forwards the page
// events to the current tool. Mouse positions arrive in pixels of the page
// image and are turned into page units with the zoom once, before a tool
// sees them. It keeps what the tools share: the selection and its marks
// (frame, hover frame, handles and drag feedback), the pending object and its
// marker, the text window and the expression tool, the keyboard and the
// clipboard, and the on-page buttons of the test menu.
//
// Every change of the rows is a command on the document's undo stack (a
// drag or a resize is one command, merged while the mouse is down). The
// page images follow the document by themselves (PageRedraws); the
// controller listens to the document's changes only so that after undo and
// redo the rows the command touched become the selection. It keeps row indexes in the selection, so commands
// that delete or reorder rows must call clearSelection (or rebuild it)
// afterwards.
#pragma once

#include "document/UnitCommands.h"
#include "document/UnitData.h"
#include "editing/UnitCreationMarks.h"
#include "editing/UnitEditHost.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitHitTest.h"
#include "editing/UnitNameHeader.h"
#include "editing/UnitOverlay.h"
#include "editing/UnitPicture.h"
#include "editing/UnitSelection.h"
#include "editing/UnitSelectionMarks.h"
#include "editing/UnitViewUnits.h"
#include "editing/tools/UnitEditContext.h"
#include "editing/tools/UnitEditTool.h"
#include "math/UnitSikiMeasure.h"
#include "render/UnitMetrics.h"
#include "render/UnitView.h"

#include <QObject>
#include <QPointer>
#include <QVector>
#include <memory>

class TFormMoji;
struct RNewObjects;
class TFormSiki;
class SikiMeasurer;
class SelectTool;
class CreationTool;
class TextTool;
class LineBoxTool;
class LineTool;
class BoxTool;
class PictureTool;
class ProblemTool;

// The values the coordinate dialog shows for a single selected object.
struct RProValues {
    bool valid = false;
    Integer X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, Width = 0, Height = 0;
};

class TEditController : public QObject, private EditContext, private SikiSettingsSource
{
    Q_OBJECT
public:
    TEditController(Document &doc, ViewState &view, Metrics &metrics, EditHost &host,
                    TEditPanels &panels, QObject *parent = nullptr);
    ~TEditController() override;

    // The expression tool to open for math problems (not owned). The
    // controller gives it the font settings and a measurer over the metrics.
    void setSikiForm(TFormSiki *siki);
    TFormSiki *sikiForm() const { return mSiki; }
    // The picture dialog (not owned); the platform's dialog when unset.
    void setPictureDialogs(PictureDialogs *dialogs) { mPictureDialogs = dialogs; }
    TFormMoji *formMoji() const;
    // The window services the controller was given.
    EditHost &host() const { return mHost; }

    // Tool buttons.
    void ToolButton9Click();   // "選択"
    void ToolButton5Click();   // "文字"
    void ToolButton6Click();   // "直線"
    void ToolButton8Click();   // "四角"
    void ToolButton7Click();   // "画像"
    void ToolButton10Click();  // "数式"
    void SpeedButtonSClick();  // "複数", after the toggle changed
    void SpeedButtonL1Click(); // "解除" of the line panel
    void SpeedButton20Click(); // "解除" of the box panel
    bool multiSelect() const;

    // The mouse on a page image (pixels of the image).
    void ImageMouseDown(int page, QPoint pos);
    void ImageMouseMove(int page, QPoint pos);
    void ImageMouseUp(int page, QPoint pos);
    void ImageDblClick(int page, QPoint pos);
    // The mouse on a handle (pixels of the page panel the handle sits on).
    void HandleMouseDown(Handle h, QPoint panelPos);
    void HandleMouseMove(QPoint panelPos);
    void HandleMouseUp(QPoint panelPos);

    // Closes the text window and the expression tool without writing and
    // empties the pending object: for "選択", a new or opened worksheet and
    // anything else that resets NewData.
    void CancelInput() override;
    // "削除": the selected rows go, as one command.
    void DataSakujo1();

    // Keys on the pages: Delete and Backspace delete, the arrows move the
    // selection by 1 unit (10 with Shift; a run of presses is one command),
    // Escape ends a creation or empties the selection. True when handled.
    bool KeyPress(int key, Qt::KeyboardModifiers mods);
    void EscapeKey();
    void NudgeSelection(int dx, int dy);
    // Every object of the page under the pointer (page 0 before any move).
    void SelectAllOnPage();
    // The clipboard: objects as a small worksheet of their own (pasting
    // lands them 10 units further on the active page and selects them);
    // plain text pastes as a text, an image as a picture.
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void DuplicateSelection();
    // Selected row indexes, ascending, each once.
    QVector<int> selectedRows() const;
    // The selection; its `changed` signal reaches selectionChanged.
    Selection &selection() override { return mSelection; }
    const Selection &selection() const { return mSelection; }

    // Opens the single selected text or math problem for editing.
    void EditSelection() override;
    // "この問題をまとめて配置…": the set dialog for the single selected math
    // problem, which keeps its style and settings. True when the dialog opened.
    bool PlaceSetOfSelection();
    // The single selected row when it is a math problem, else -1.
    int selectedProblem() const;
    // A right press on a page: the object under the mouse becomes the
    // selection unless it already belongs to it; nothing else happens.
    void ContextPress(int page, QPoint pos);
    // "OK" of the text window: writes the text row.
    void MojiKettei();
    // The picture tool's steps: read a file, then add the picture with its
    // row at the pending object's place as one command named `name`. Both
    // return the new row's index.
    int OpenPicture(const QString &fileName) override;
    int SetPicture(const QImage &bm, const QString &name);
    // The test menu's button objects: "b" ("解答配置表示") or "r" ("ランダム配置").
    int PlaceButtonObject(const QString &syu);
    // "名前欄を追加": the ready name header of `style` at the top of the
    // active page, in the font box's face, with the objects in its way moved
    // down, as one command; the new rows become the selection. A paper too
    // narrow for it is reported, and when moved objects would leave the
    // paper the teacher is asked first. True when the header was added.
    bool AddNameHeader(NameHeaderStyle style);

    // The selection's frame, hover frame, handles, outlines and labels.
    SelectionMarks &marks() override { return mMarks; }
    const SelectionMarks &marks() const { return mMarks; }
    // Frame, outlines and handles placed again after the rows changed.
    void refreshSelectionMarks();
    // Empties the selection and hides its marks (after rows were removed
    // or reordered).
    void clearSelection();
    // The expression tool wrote a row.
    void SikiWritten(int row);
    // The zoom or the page layout changed: the marks are placed again at
    // the new pixel positions and the hover frame is dropped.
    void ViewChanged();
    // The worksheet's grade may have changed (a change of the classification,
    // its undo, another worksheet): the size box takes the new grade's start
    // value while it still shows the previous grade's. Only new objects are
    // affected; no row changes.
    void FollowGrade();

    // Page units of a mouse position, and pixels of a page position.
    int toPage(int pixels) const;
    int toScreen(int64_t pageUnits) const;

    // The tools. The tool mode ("0" select, "1" text, "2" line, "3" box,
    // "4" picture, "5" math problem) is the current tool's.
    QString toolSyu() const { return mTool->toolSyu(); }
    // The first point of a line or a box is placed.
    bool lineMode() const;
    bool boxMode() const;
    // A press hit an object and its drag lasts; a handle drag lasts.
    bool dragging() const;
    bool resizing() const;
    // The coordinate dialog's values of a single selected object.
    const RProValues &proValues() const { return mProValues; }

signals:
    void toolChanged(const QString &toolSyu);
    // The selected rows changed (the selection's own signal, passed on).
    void selectionChanged();
    void proValuesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the tools see of the controller.
    EditContext &toolContext() { return *this; }
    Document &document() override { return mDoc; }
    Metrics &metrics() override { return mMetrics; }
    PanelStyle panelStyle() const override;
    // The font boxes and the answer display, for the expression tool.
    SikiMainSettings sikiSettings() const override;
    EditTool *currentTool() const override { return mTool; }
    SelectTool &selectTool() const override { return *mSelectTool; }
    void picked(int row) override;
    void resizeEnded() override;
    void openTextInput() override;
    void closeTextInput() override;
    void openProblemInput(int page, int x, int y) override;
    void closeProblemInput() override;

    PageEvent toPageEvent(int page, QPoint pos) const;
    PictureDialogs &pictureDialogs() override;
    void onDocumentChanged(const RChange &change);
    void selectRows(const QVector<int> &rows);
    void setTool(const QString &syu) override;
    void setCursorFor(bool arrow);
    void showKindPanel(const QString &syu);
    void refreshProperties(int row);
    void fillProValues();
    void hover(const PageEvent &ev) override;
    void syncCreation() override;
    void emptyNewData(int page);
    // Ends a creation: the pending object, the marker and the preview go.
    void endCreation(int page) override;
    void showMarker(int page, int x, int y) override;
    void hideMarker() override;
    // The text window and the expression tool are windows of their own:
    // once one is done, the editor's window takes the keys again, so that
    // the shortcuts, the arrows and Delete work without a click first.
    void focusEditor();

    void updateTextPreview(const QString &text);
    // The row the text window adds or rewrites: `row` with the window's
    // text and the panels' font and colours.
    RAData textRow(const QString &text, int fontSize, RAData row) const;
    // Pushes the objects as one command; their new row indexes (none when
    // nothing was added).
    QVector<int> addObjects(const QString &name, const RNewObjects &objects);

    QWidget *panelOf(int page) const;
    TColor highlightColor() const;

    Document &mDoc;
    ViewState &mView;
    Metrics &mMetrics;
    EditHost &mHost;
    TEditPanels &mPanels;
    TFormSiki *mSiki = nullptr;
    std::unique_ptr<SikiMeasurer> mSikiMeasurer;
    PictureDialogs *mPictureDialogs = nullptr;
    std::unique_ptr<WidgetPictureDialogs> mDefaultPictureDialogs;
    QPointer<TFormMoji> mMoji;

    QPointer<TOverlayLabel> mPreview;
    Selection mSelection;
    ViewUnits mUnits;
    SelectionMarks mMarks;
    CreationMarks mCreationMarks;
    std::unique_ptr<SelectTool> mSelectTool;
    std::unique_ptr<TextTool> mTextTool;
    std::unique_ptr<LineTool> mLineTool;
    std::unique_ptr<BoxTool> mBoxTool;
    std::unique_ptr<PictureTool> mPictureTool;
    std::unique_ptr<ProblemTool> mProblemTool;
    EditTool *mTool = nullptr;
    RProValues mProValues;
    int mNudgeRun = 0;    // merge run of the arrow keys
    int mNudgeIndex = -1; // stack index after the last arrow move
    int mPointerPage = 0; // page under the mouse
    Integer mGradeShown = 0; // the grade whose start size the size box was given
    int mPsPage = 0;
    QPoint mPsPress;     // handle press, pixels of the panel
    QPoint mPsStart;     // the pressed handle's top-left at the press, pixels of the panel
    Qt::CursorShape mCursor = Qt::ArrowCursor;
    bool mCursorSet = false;
};
