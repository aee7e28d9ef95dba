// The arrangement commands of the editor, run by the buttons of the bars
// PanelSentakuS and PanelToolKyotu and by the object-mode buttons:
// alignment, vertical spacing, stacking order, lock, delete and the three
// object modes. Each is one undoable command on the document's undo stack,
// named after its button; a command that finds too few selected objects
// does nothing and pushes nothing. After each the page is redrawn and the
// selection's frame, outlines and handles are placed again (the spacing
// commands leave the selection in top-to-bottom order, a stacking change
// lets the selection follow its row, a delete empties it).
//
// Also the presses on the on-page buttons "b" and "r": the button's object
// becomes the only selected one and the coordinate dialog shows it.
#pragma once

#include "editing/UnitArrange.h"

#include <QObject>
#include <memory>

class Document;
class Metrics;
class EditHost;
class TEditController;
class TEditPanels;
class TArrangeBars;
class SelectionRuleCommand;

class TArrangeCommands : public QObject
{
    Q_OBJECT
public:
    TArrangeCommands(Document &doc, Metrics &metrics, EditHost &host, TEditController &ctl,
                     TEditPanels &panels, QObject *parent = nullptr);

    // Connects the bars' buttons and the memo (the bars are not owned).
    void connectBars(TArrangeBars *bars);

    void SpeedButtonLClick();    // "左揃え"
    void SpeedButtonCClick();    // "中揃え"
    void SpeedButtonRClick();    // "右揃え"
    void SpeedButton5Click();    // "等間隔"
    void SpeedButton6Click();    // "上に詰める"
    void SpeedButton3Click();    // "間隔を指定する", also Enter in MemoSentaku
    void SpeedButton19Click();   // "前面へ移動"
    void SpeedButton18Click();   // "背面へ移動"
    void SpeedButtonLockClick(); // "ロック", after the toggle changed
    void DataSakujo1();          // "削除"
    void Setlayer1();            // "標準モード"
    void SpeedButton8Click();    // "解答モード"
    void SpeedButton4Click();    // "名前欄"

    // A press on the on-page button of kind "b" or "r": its row (the last
    // of that kind) becomes the only selected object. Returns the row, or
    // -1 when there is none.
    int PageButtonPressed(const QString &syu);

    // The spacing memo's text (the bars' MemoSentaku when connected).
    QString spacingText() const;

signals:
    // A page button object was pressed; its six coordinates for the dialog.
    void pageButtonSelected(int X1, int Y1, int X2, int Y2, int Width, int Height);

private:
    // Pushes the command when its rule applies and leaves the selection as
    // the rule does; true when the rows changed.
    bool run(std::unique_ptr<SelectionRuleCommand> command);
    QVector<RMouseSelect> selected() const;

    Document &mDoc;
    Metrics &mMetrics;
    EditHost &mHost;
    TEditController &mCtl;
    TEditPanels &mPanels;
    TArrangeBars *mBars = nullptr;
};
