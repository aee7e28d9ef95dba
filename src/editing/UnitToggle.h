// Wires a checkable button (a tool, "複数", "ロック", a style toggle, the
// display switches) to what it does, so that the action runs once for
// every change of the button's state, however the change came about: a
// mouse click, the space bar, setChecked() from code or a script, or the
// toggle action of a screen reader. Connecting only to clicked() would miss
// all but the first two and leave a button that shows as down but does
// nothing. A click on a button that is already down and stays down (an
// exclusive tool) changes nothing but is still a press the user meant, so it
// runs the action as well.
//
// State that the program itself shows on such a button (the lock of the
// pressed object, the tool it chose) must be set under a QSignalBlocker
// (SetCheckedQuietly), or it would run the action.
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <functional>

// Runs `action(checked)` once per change of `button`'s checked state and
// once per click that leaves the state as it was. `context` ends the
// connection when it goes.
void ConnectToggle(QAbstractButton *button, QObject *context, std::function<void(bool)> action);

// Sets the checked state without running the button's action.
void SetCheckedQuietly(QAbstractButton *button, bool checked);
