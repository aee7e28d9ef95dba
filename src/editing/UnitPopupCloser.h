// Closes a small pop-up (the font-name list, the spacing memo) the way the
// editor's pop-ups close: a left or right mouse press anywhere in the
// program, also on a window's title bar, hides it unless the pointer is over
// one of the widgets that belong to it at that moment, and so does the
// program losing the focus. The press itself goes on to its target. Watches
// the application's events; owned by the pop-up it closes.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>

// True when an event of this kind and button closes an open pop-up whose
// own widgets the pointer is (or is not) over.
bool PopupClosesOn(QEvent::Type type, Qt::MouseButton button, bool pointerInside);

class TPopupCloser : public QObject
{
    Q_OBJECT
public:
    // `popup` is hidden on closing; `inside` reports whether the pointer (a
    // global position) is over the pop-up or one of its own controls.
    TPopupCloser(QWidget *popup, std::function<bool(QPoint)> inside);
    ~TPopupCloser() override;

signals:
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> mPopup;
    std::function<bool(QPoint)> mInside;
};

// True when the global point lies over the visible widget.
bool PointerOver(const QWidget *w, QPoint global);
