#include "foundation/Mouse_wheel_eater.h"

#include <QEvent>
#include <QWidget>

bool Mouse_wheel_eater::eventFilter(QObject* object, QEvent* event)
{
    QWidget* widget = qobject_cast<QWidget*>(object);
    if (!widget) return QObject::eventFilter(object, event);

    switch (event->type())
    {
    case QEvent::Wheel:
        if (widget->focusPolicy() != Qt::WheelFocus)
        {
            // Ignored, so the application hands the wheel on to the parents.
            event->ignore();
            return true;
        }
        event->accept();
        return false;
    case QEvent::FocusIn:
        widget->setFocusPolicy(Qt::WheelFocus);
        break;
    case QEvent::FocusOut:
        widget->setFocusPolicy(Qt::StrongFocus);
        break;
    default:
        break;
    }
    return QObject::eventFilter(object, event);
}

void install_mouse_wheel_eater(QWidget* widget)
{
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(new Mouse_wheel_eater(widget));
}
