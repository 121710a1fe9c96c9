#include "screens/editor/Editor_menus.h"

#include "foundation/Dialogs.h"
#include "foundation/Parameter.h"
#include "foundation/Widget_text_combination.h"
#include "screens/editor/Editor_layout.h"

#include <QDoubleSpinBox>
#include <QMenu>
#include <QSpinBox>
#include <QWidgetAction>

namespace
{

// The menu owns the row and, through it, the spin box.
void add_row(QMenu& menu, QString const& text, QWidget* widget)
{
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(new Widget_text_combination(text, widget));
    menu.addAction(action);
}

} // namespace

int ask_molecules_per_click(std::string const& name, int current, QPoint const& at)
{
    QMenu menu;
    auto* count = new QSpinBox;
    count->setRange(1, 1000);
    count->setValue(current);
    add_row(menu, QString("Number of %1 molecules to place").arg(QString::fromStdString(name)), count);
    Dialogs::instance().run_menu(menu, at);
    return count->value();
}

float ask_slider_value(std::string const& name, Parameter const& parameter, QPoint const& at)
{
    float const min = parameter.get_min<float>();
    float const max = parameter.get_max<float>();
    QMenu menu;
    auto* value = new QDoubleSpinBox;
    // Before the range and value, which the spin box rounds to its decimals.
    value->setDecimals(decimals_for_range(min, max));
    value->setSingleStep((double(max) - double(min)) / 50.0);
    value->setRange(min, max);
    value->setValue(parameter.get_value<float>());
    add_row(menu, QString::fromStdString(slider_menu_text(name, min, max)), value);
    Dialogs::instance().run_menu(menu, at);
    return float(value->value());
}
