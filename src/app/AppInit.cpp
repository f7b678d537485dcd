#include "AppInit.h"

#include <QMouseEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QWidget>

bool AppInit::mousePressed = false;
QPoint AppInit::mousePoint;

AppInit::AppInit(QObject* parent) : QObject(parent) {}

AppInit* AppInit::Instance()
{
    static AppInit* self = nullptr;
    static QMutex mutex;
    if (!self) {
        QMutexLocker locker(&mutex);
        if (!self) {
            self = new AppInit;
        }
    }
    return self;
}

bool AppInit::eventFilter(QObject* watched, QEvent* event)
{
    // Every event of every object passes here: the mouse events are told
    // apart first, before the object is looked at.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove) {
        return QObject::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !watched->property("canMove").toBool()) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            mousePressed = true;
            mousePoint = mouse->globalPosition().toPoint() - widget->pos();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        mousePressed = false;
        return true;
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mousePressed && mouse->buttons() != Qt::NoButton) {
            widget->move(mouse->globalPosition().toPoint() - mousePoint);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
