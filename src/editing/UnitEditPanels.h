// The editor's tool buttons and the four tool panels that creation reads:
// the text panel PanelMoji (font name and size, the four style toggles, the
// text and background swatches, the lock toggle, "文字の修正"), the line panel
// PanelLine (colour, width, "解除", "縦横比を固定しない"), the box panel PanelBox
// (border and fill colours, width, "解除", "縦横比を固定しない") and the picture
// panel PanelPic. The editing controller reads these controls and shows one
// panel at a time; the main window only places the widgets. The panels hold
// values only: they never change the document themselves.
#pragma once

#include "document/UnitData.h"

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QToolButton>
#include <QWidget>

// Start values of the panels (the main window's settings).
struct EditPanelDefaults {
    QString FontName = QStringLiteral("ＭＳ Ｐゴシック");
    QString FontSize = QStringLiteral("11");
    QString LineWidth = QStringLiteral("1");
    QString BoxWidth = QStringLiteral("1");
    TColor TextColor = 0;
    TColor TextBackColor = 0xFFFFFF;
    bool TextBackOn = false;
    TColor LineColor = 0;
    TColor BoxLineColor = 0;
    TColor BoxFillColor = 0xFFFFFF;
    bool BoxFillOn = false;
};

// A colour swatch; with the transparency mark shown it stands for "no
// colour" (a transparent text background or an unfilled box).
class TEditSwatch : public QWidget
{
    Q_OBJECT
public:
    explicit TEditSwatch(QWidget *parent = nullptr);
    TColor color() const { return mColor; }
    void setColor(TColor c);
    bool transparentShown() const { return mTransparent; }
    void setTransparentShown(bool on);
    // Draws a sample line in the colour instead of filling with it.
    void setLineSample(bool on)
    {
        mLineSample = on;
        update();
    }
    QSize sizeHint() const override { return {22, 18}; }
signals:
    void clicked(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    TColor mColor = 0;
    bool mTransparent = false;
    bool mLineSample = false;
};

// The small up and down arrows beside a size box. They step the box's text
// (their owner does that), not a position of their own.
class TUpDown : public QWidget
{
    Q_OBJECT
public:
    explicit TUpDown(const QString &hint, QWidget *parent = nullptr);
    QToolButton *Up;
    QToolButton *Down;
signals:
    void stepped(bool up);
};

enum class ToolPanel { None, Moji, Line, Box, Pic };

class TEditPanels : public QObject
{
    Q_OBJECT
public:
    TEditPanels(const EditPanelDefaults &defaults, QWidget *parent);

    // The tool buttons, in one row (ToolRow) for the main window's tool bar.
    QWidget *ToolRow;
    QToolButton *ToolButton9;  // "選択"
    QToolButton *ToolButton5;  // "文字"
    QToolButton *ToolButton6;  // "直線"
    QToolButton *ToolButton8;  // "四角"
    QToolButton *ToolButton7;  // "画像"
    QToolButton *ToolButton10; // "数式"
    QToolButton *SpeedButtonS; // "複数" (toggle)

    // The row that holds the four panels.
    QWidget *PanelRow;

    QWidget *PanelMoji;
    QLabel *LabelMojiSiki;
    QLineEdit *MemoFontName;
    QToolButton *SpeedButtonFontName; // opens the font list
    QLineEdit *MemoFS;
    TUpDown *UpDownFSMo;
    QToolButton *SpeedButtonBold;
    QToolButton *SpeedButtonItalic;
    QToolButton *SpeedButtonUnder;
    QToolButton *SpeedButtonStrike;
    TEditSwatch *PanelFCMo; // text colour
    TEditSwatch *PanelBCMo; // background; transparency mark = no background
    QToolButton *SpeedButtonLock;
    QToolButton *SpeedButton13; // "文字の修正"
    QToolButton *SpeedButton1;  // "標準モード"

    QWidget *PanelLine;
    TEditSwatch *PanelColorLine;
    QLineEdit *MemoLineSize;
    TUpDown *UpDownLineSize;
    QToolButton *SpeedButtonL1; // "解除"
    QToolButton *SpeedButton7;  // "縦横比を固定しない"
    QToolButton *SpeedButton2;  // "標準モード"

    QWidget *PanelBox;
    TEditSwatch *PanelColorBox;
    TEditSwatch *PanelColorBoxFull; // transparency mark = no fill
    QLineEdit *MemoBoxSize;
    TUpDown *UpDownBoxSize;
    QToolButton *SpeedButton20; // "解除"
    QToolButton *SpeedButton21; // "縦横比を固定しない"
    QToolButton *SpeedButton22; // "標準モード"

    QWidget *PanelPic;
    QToolButton *SpeedButton23; // "標準モード"

    // Shows one panel and hides the other three (None hides all).
    void showPanel(ToolPanel panel);
    ToolPanel shownPanel() const { return mShown; }
    // True while either "縦横比を固定しない" toggle is down.
    bool aspectUnlocked() const;
    // Checks the tool button of a tool mode ("0" to "5").
    void markTool(const QString &toolSyu);
    // The size box's start value (the main window's settings), which new
    // texts and problems take for grades from 3年 up.
    const QString &startFontSize() const { return mStartFontSize; }

private:
    QString mStartFontSize;
    ToolPanel mShown = ToolPanel::None;
};

// The colour of the panels, which a swatch standing for "no colour" takes.
TColor PanelColor();

// An integer typed into a size box: true with the value when the text is a
// whole number (spaces around it allowed).
bool ReadIntegerBox(const QString &text, int &value);
// The message for a size box that does not hold an integer.
QString NotIntegerMessage(const QString &text);
