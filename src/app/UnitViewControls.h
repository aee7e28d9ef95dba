// The view switches of the main window: the answer-display toggle
// (SpeedButtonKai, caption "表示切替") with its panel PanelKaiS and the answer
// colour swatch PanelFCKai, and the name-field toggle (SpeedButtonName) with
// its panel PanelNameS. The two toggles are exclusive but may both be up.
// They change view state only, never the document; `changed` asks the main
// window to redraw.
#pragma once

#include "document/UnitData.h"

#include <QObject>
#include <QWidget>

class QToolButton;
class QFrame;
class QHBoxLayout;
class QMenu;

class TColorSwatch : public QWidget
{
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget *parent = nullptr);
    TColor color() const { return mColor; }
    void setColor(TColor c);
signals:
    void clicked(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    TColor mColor = 0;
};

class TViewControls : public QObject
{
    Q_OBJECT
public:
    explicit TViewControls(QWidget *parent);

    QWidget *KaiBar = nullptr;  // "解答表示" label, toggle and its panel
    QWidget *NameBar = nullptr; // "名前欄" label, toggle and its panel
    QToolButton *SpeedButtonKai = nullptr;
    QToolButton *SpeedButtonName = nullptr;
    QFrame *PanelKaiS = nullptr;
    QFrame *PanelNameS = nullptr;
    TColorSwatch *PanelFCKai = nullptr;
    QHBoxLayout *NamePanelLayout = nullptr; // the name-field buttons go here
    QHBoxLayout *KaiPanelLayout = nullptr;  // the answer-mode button goes here
    QMenu *AnswerColorMenu = nullptr;

    // The display state the renderer reads.
    bool answerDisplayOn() const { return mKaiOn; }
    bool nameDisplayOn() const;
    TColor answerColor() const { return PanelFCKai->color(); }

    void KaiOn();
    void KaiOff();
    void NameOn();
    void NameOff();
    // The handlers of the two toggles (after the button's state has changed).
    void SpeedButtonKaiClick();
    void SpeedButtonNameClick();
    // The on-page answer switch: inverts the answer toggle and acts on it.
    void OnPageAnswerSwitch();
    // The answer-colour menu's two commands end here: asks for colour `c`.
    void SetAnswerColor(TColor c);
    // Shows the document's colour (new, opened, changed, undone, redone)
    // without asking for anything.
    void SetAnswerColorSilently(TColor c) { PanelFCKai->setColor(c); }
    void ChooseAnswerColor();
    void ResetAnswerColor();

signals:
    void changed();
    // The user chose an answer colour (the swatch does not change by itself).
    void answerColorChosen(TColor c);

private:
    bool mKaiOn = false;
};
