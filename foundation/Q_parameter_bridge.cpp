#include "foundation/Q_parameter_bridge.h"

#include "foundation/Parameter.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

#include <iostream>
#include <sstream>

Q_parameter_bridge::Q_parameter_bridge(Parameter* parameter, QObject* parent) : QObject(parent), _parameter(parameter)
{
}

void Q_parameter_bridge::set_widget(QWidget* widget)
{
    _widget = widget;
    connect(widget, &QObject::destroyed, this, &Q_parameter_bridge::handle_widget_destroyed);
}

void Q_parameter_bridge::guarded(char const* slot, std::function<void()> const& action)
{
    try
    {
        action();
    }
    catch (std::exception const& error)
    {
        std::cout << "Q_parameter_bridge::" << slot << ": " << _parameter->_name << ": " << error.what() << std::endl;
    }
    catch (...)
    {
        std::cout << "Q_parameter_bridge::" << slot << ": " << _parameter->_name << ": unknown exception" << std::endl;
    }
}

void Q_parameter_bridge::run_callback()
{
    if (_parameter->_callback) _parameter->_callback();
}

template <typename T> void Q_parameter_bridge::set_and_call_back(char const* slot, T const& value)
{
    guarded(slot, [&] {
        _parameter->set_value_no_update(value);
        run_callback();
    });
}

void Q_parameter_bridge::set_int(int value)
{
    set_and_call_back("set_int", value);
}

void Q_parameter_bridge::set_float(float value)
{
    set_and_call_back("set_float", value);
}

void Q_parameter_bridge::set_double(double value)
{
    set_and_call_back("set_double", float(value));
}

void Q_parameter_bridge::set_bool(bool value)
{
    set_and_call_back("set_bool", value);
}

void Q_parameter_bridge::set_bool_from_int(int value)
{
    set_and_call_back("set_bool_from_int", value != 0);
}

void Q_parameter_bridge::set_string(QString const& value)
{
    set_and_call_back("set_string", value.toStdString());
}

void Q_parameter_bridge::do_callback()
{
    guarded("do_callback", [&] { run_callback(); });
}

void Q_parameter_bridge::set_from_index(int index)
{
    // A combo box being emptied reports index -1; there is no such choice.
    if (index < 0) return;
    guarded("set_from_index", [&] { _parameter->set_from_index(index); });
}

void Q_parameter_bridge::handle_widget_destroyed()
{
    delete this;
}

QStringList choice_texts(Parameter const& parameter)
{
    QStringList texts;
    for (Parameter::Variant const& entry : parameter._value_list)
    {
        std::ostringstream text;
        text << entry;
        texts << QString::fromStdString(text.str());
    }
    return texts;
}

QFrame* make_labelled_frame(QString const& name, QWidget* editor)
{
    QFrame* frame = new QFrame;
    QGridLayout* layout = new QGridLayout(frame);
    layout->addWidget(new QLabel(name), 0, 0);
    layout->addWidget(editor, 0, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return frame;
}
