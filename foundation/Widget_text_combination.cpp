#include "foundation/Widget_text_combination.h"

#include <QHBoxLayout>
#include <QLabel>

Widget_text_combination::Widget_text_combination(QString const& text, QWidget* widget, QWidget* parent)
    : QWidget(parent), _label(new QLabel(text)), _widget(widget)
{
    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->addWidget(_label);
    layout->addWidget(_widget);
}
