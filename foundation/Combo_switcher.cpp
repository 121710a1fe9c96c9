#include "foundation/Combo_switcher.h"

#include <QComboBox>
#include <QVBoxLayout>

Combo_switcher::Combo_switcher(QComboBox* combo_box, std::vector<QWidget*> const& sub_widgets, QWidget* parent)
    : QWidget(parent), _combo_box(combo_box), _sub_widgets(sub_widgets)
{
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(_combo_box);
    for (QWidget* sub_widget : _sub_widgets) layout->addWidget(sub_widget);

    connect(_combo_box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Combo_switcher::change_sub_box);
    change_sub_box(_combo_box->currentIndex());
}

void Combo_switcher::change_sub_box(int index)
{
    for (QWidget* sub_widget : _sub_widgets) sub_widget->hide();
    if (index >= 0 && size_t(index) < _sub_widgets.size()) _sub_widgets[index]->show();

    // The windows around shrink or grow with the box shown.
    for (QWidget* widget = this; widget; widget = widget->parentWidget()) widget->adjustSize();
}
