#include "foundation/Parameter_widgets.h"

#include "foundation/Combo_switcher.h"
#include "foundation/FoldableGroupBox.h"
#include "foundation/Parameter_list.h"
#include "foundation/Q_check_parameters.h"
#include "foundation/Q_spin_parameters.h"
#include "foundation/Q_text_parameters.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <iostream>
#include <vector>

namespace
{

Parameter* find_parameter(Parameter_list const& list, std::string const& name)
{
    auto const found = list._list.find(name);
    return found == list._list.end() ? nullptr : found->second;
}

void remove_spacing(QLayout* layout)
{
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
}

QWidget* create_plain_parameter_widget(Parameter* parameter)
{
    std::type_info const& type = parameter->get_type();
    if (type == typeid(bool)) return (new Q_bool_parameter(parameter))->get_widget();
    if (type == typeid(int)) return (new Q_int_parameter(parameter))->get_widget();
    if (type == typeid(float)) return (new Q_float_parameter(parameter))->get_widget();
    if (type == typeid(std::string)) return (new Q_string_parameter(parameter))->get_widget();
    return nullptr;
}

} // namespace

QWidget* create_parameter_widget(Parameter* parameter)
{
    std::cout << "create_parameter_widget(): " << parameter->get_type().name() << " " << parameter->_name << std::endl;

    switch (parameter->_special_type)
    {
    case Parameter::Button:
    {
        QPushButton* button = new QPushButton(QString::fromStdString(parameter->_name));
        Q_parameter_bridge* bridge = new Q_parameter_bridge(parameter, button);
        QObject::connect(button, &QPushButton::clicked, bridge, &Q_parameter_bridge::do_callback);
        return button;
    }
    case Parameter::List:
        return (new Q_list_parameter(parameter))->get_widget();
    case Parameter::Plain:
        return create_plain_parameter_widget(parameter);
    default:
        return nullptr;
    }
}

void create_parameter_list_widgets(Parameter_list const& list, QLayout* layout)
{
    if (list._children_type == Parameter_list::Single_select)
    {
        Parameter* type = find_parameter(list, "type");
        if (!type)
        {
            std::cout << "create_parameter_list_widgets(): no \"type\" parameter to select a child with" << std::endl;
            return;
        }
        layout->addWidget(create_single_select_widget(type, list._children));
        return;
    }

    for (Parameter* parameter : list.get_sorted_parameters())
    {
        // "multi_enable" is shown as the check mark of the enclosing group box.
        if (!parameter || parameter->_name == "multi_enable" || parameter->_hidden) continue;

        QWidget* widget = create_parameter_widget(parameter);
        if (!widget) continue;
        if (widget->layout()) remove_spacing(widget->layout());
        layout->addWidget(widget);
    }

    for (auto const& child : list._children)
    {
        if (!child.second) continue;

        QGroupBox* box = new QGroupBox(QString::fromStdString(child.first));
        QVBoxLayout* box_layout = new QVBoxLayout(box);
        remove_spacing(box_layout);

        if (list._children_type == Parameter_list::Multi_select)
        {
            std::cout << "Parameter_list::Multi_select" << std::endl;
            if (Parameter* enable = find_parameter(*child.second, "multi_enable"))
                new Q_groupbox_parameter(enable, box);
        }

        create_parameter_list_widgets(*child.second, box_layout);
        layout->addWidget(box);
    }
}

QWidget* create_single_select_widget(Parameter* type, std::map<std::string, Parameter_list*> const& children)
{
    std::cout << "create_single_select_widget(): " << type->_name << std::endl;

    QComboBox* combo_box = make_choice_combo_box(*type);
    Q_parameter_bridge* bridge = new Q_parameter_bridge(type, combo_box);
    QObject::connect(combo_box, QOverload<int>::of(&QComboBox::currentIndexChanged), bridge,
                     &Q_parameter_bridge::set_from_index);

    // One box per choice, so the combo box's index is also the box's index.
    std::vector<QWidget*> boxes;
    for (QString const& choice : choice_texts(*type))
    {
        FoldableGroupBox* box = new FoldableGroupBox(choice);
        auto const child = children.find(choice.toStdString());
        if (child != children.end() && child->second)
            create_parameter_list_widgets(*child->second, box->get_content()->layout());
        boxes.push_back(box);
    }

    return new Combo_switcher(combo_box, boxes);
}
