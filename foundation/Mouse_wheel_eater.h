#ifndef FOUNDATION_MOUSE_WHEEL_EATER_H
#define FOUNDATION_MOUSE_WHEEL_EATER_H

#include <QObject>

class QWidget;

// Keeps the wheel from changing a spin or combo box that has no focus, so that
// wheeling over a long options window scrolls the window instead.
class Mouse_wheel_eater : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

// Strong focus and an eater owned by the widget.
void install_mouse_wheel_eater(QWidget* widget);

#endif
