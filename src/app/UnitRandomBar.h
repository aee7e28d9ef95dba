// The main window's bar "ランダム": the button "作成" that regenerates every
// random math problem of the worksheet, and the progress bar that advances
// one step per row while it runs. The random button placed on a page ("r")
// runs the same command. The bar only drives the run and the redraw; the
// work itself is RegenerateAll.
#pragma once

#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

class TForm1;
class TFormSiki;
class TEditController;

class TRandomBar : public QToolBar
{
    Q_OBJECT
public:
    TRandomBar(TForm1 &form, TFormSiki &siki, TEditController *controller);

    QToolButton *SpeedButton24 = nullptr; // "作成"
    QProgressBar *ProgressBar1 = nullptr;

    // How long the status bar shows the outcome of a run, in milliseconds.
    static constexpr int StatusMessageTime = 20000;

    // "作成": regenerates as one command on the document's undo stack, then
    // redraws the pages, places the selection marks again and says in the
    // status bar how many problems were made. Returns the number of
    // problems rewritten.
    int SpeedButton24Click();

signals:
    // A run of "作成" is over and on the undo stack.
    void regenerated();

private:
    TForm1 &mForm;
    TFormSiki &mSiki;
    TEditController *mController;
};

// The status bar's words after a run that rewrote `written` of the
// worksheet's `randomRows` random problems.
QString RandomRunMessage(int written, int randomRows);

// Adds the bar to a form whose editing is installed, and connects the page
// button "r" to it. Calling it again returns the bar of the first call.
TRandomBar *InstallRandomBar(TForm1 &form);
