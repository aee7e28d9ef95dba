#include "editing/UnitPopupCloser.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

bool PopupClosesOn(QEvent::Type type, Qt::MouseButton button, bool pointerInside)
{
    if (type == QEvent::ApplicationDeactivate)
        return true;
    if (type != QEvent::MouseButtonPress && type != QEvent::NonClientAreaMouseButtonPress &&
        type != QEvent::MouseButtonDblClick)
        return false;
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return false;
    return !pointerInside;
}

bool PointerOver(const QWidget *w, QPoint global)
{
    if (!w || !w->isVisible())
        return false;
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(global);
}

TPopupCloser::TPopupCloser(QWidget *popup, std::function<bool(QPoint)> inside)
    : QObject(popup), mPopup(popup), mInside(std::move(inside))
{
    qApp->installEventFilter(this);
}

TPopupCloser::~TPopupCloser()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool TPopupCloser::eventFilter(QObject *watched, QEvent *event)
{
    if (!mPopup || mPopup->isHidden())
        return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    // Every widget on the way of a press sees it: act on the first only.
    if (type == QEvent::ApplicationDeactivate ||
        ((type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress ||
          type == QEvent::MouseButtonDblClick) &&
         watched->isWidgetType())) {
        Qt::MouseButton button = Qt::NoButton;
        QPoint global = QCursor::pos();
        if (type != QEvent::ApplicationDeactivate) {
            auto *me = static_cast<QMouseEvent *>(event);
            button = me->button();
            global = me->globalPosition().toPoint();
        }
        const bool inside = mInside && mInside(global);
        if (PopupClosesOn(type, button, inside)) {
            mPopup->hide();
            emit closed();
        }
    }
    return QObject::eventFilter(watched, event);
}
