// The two arrangement bars of the main window. PanelSentakuS ("整列" and
// "間隔") holds the alignment and spacing buttons and the spacing memo
// MemoSentaku with its arrow; it is shown only while "複数" is down, and
// showing or hiding it never changes the bar's height. PanelToolKyotu holds
// "前面へ移動", "背面へ移動", the lock toggle and "削除", with the caption
// "前面 背面 ロック 削除" under them while the bars are expanded
// ("ツールバーの展開" / "ツールバーの最小化"). Widgets only: the buttons are
// connected to the arrangement commands by their owner.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QToolButton>
#include <QWidget>

class TPopupCloser;

class TArrangeBars : public QObject
{
    Q_OBJECT
public:
    // Height of the bars, and what expanding adds to it.
    static constexpr int BarHeight = 26;
    static constexpr int ExpandBy = 20;

    // `lock` is the lock toggle to place on PanelToolKyotu (it moves there).
    TArrangeBars(QToolButton *lock, QWidget *parent);

    // The row holding both bars and the expand button, for the tool bar.
    // Its height is fixed, so the page below never moves.
    QWidget *Row;

    QWidget *PanelSentakuS;
    QToolButton *SpeedButtonL;  // "左揃え"
    QToolButton *SpeedButtonC;  // "中揃え"
    QToolButton *SpeedButtonR;  // "右揃え"
    QToolButton *SpeedButton5;  // "等間隔"
    QToolButton *SpeedButton6;  // "上に詰める"
    QToolButton *SpeedButton3;  // "間隔を指定する"
    QToolButton *SpeedButton11; // arrow: shows and hides MemoSentaku
    QLineEdit *MemoSentaku;     // spacing in page units, "0" at start

    QWidget *PanelToolKyotu;
    QToolButton *SpeedButton19; // "前面へ移動"
    QToolButton *SpeedButton18; // "背面へ移動"
    QToolButton *SpeedButtonLock;
    QToolButton *SpeedButton12;    // "削除"
    QLabel *LabelKyotu;            // "前面 背面 ロック 削除"
    QToolButton *ToolButtonExpand; // "ツールバーの展開" / "ツールバーの最小化"

    // True while the mouse is over MemoSentaku or its arrow.
    bool MemoSentakuNyu() const;
    // The arrow: shows MemoSentaku just below the spacing buttons, or hides it.
    void SpeedButton11Click();
    // Shows or hides the arrangement bar (the "複数" toggle).
    void setSentakuShown(bool on);
    // "ツールバーの展開" (true) and "ツールバーの最小化" (false).
    void setExpanded(bool on);
    bool expanded() const { return mExpanded; }

signals:
    // Enter in MemoSentaku.
    void spacingEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TPopupCloser *mCloser;
    bool mExpanded = false;
};
