#include "foundation/Q_text_parameters.h"

#include "foundation/Mouse_wheel_eater.h"
#include "foundation/Parameter.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

Q_string_parameter::Q_string_parameter(Parameter* parameter)
    : Q_parameter_bridge(parameter),
      _line_edit(new QLineEdit(QString::fromStdString(parameter->get_value<std::string>())))
{
    set_widget(make_labelled_frame(QString::fromStdString(parameter->_name), _line_edit));
    connect(_line_edit, &QLineEdit::textChanged, this, &Q_parameter_bridge::set_string);
    parameter->add_listener(this);
}

Q_string_parameter::~Q_string_parameter()
{
    _parameter->remove_listener(this);
}

void Q_string_parameter::notify()
{
    QSignalBlocker const blocker(_line_edit);
    QString const value = QString::fromStdString(_parameter->get_value<std::string>());
    if (_line_edit->text() != value) _line_edit->setText(value);
}

QComboBox* make_choice_combo_box(Parameter const& parameter)
{
    QComboBox* combo_box = new QComboBox;
    install_mouse_wheel_eater(combo_box);
    combo_box->addItems(choice_texts(parameter));
    combo_box->setCurrentIndex(parameter._index);
    return combo_box;
}

Q_list_parameter::Q_list_parameter(Parameter* parameter)
    : Q_parameter_bridge(parameter), _combo_box(make_choice_combo_box(*parameter))
{
    QFrame* frame = new QFrame;
    QHBoxLayout* layout = new QHBoxLayout(frame);
    layout->addWidget(new QLabel(QString::fromStdString(parameter->_name)));
    layout->addWidget(_combo_box);
    set_widget(frame);

    connect(_combo_box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Q_parameter_bridge::set_from_index);
    parameter->add_listener(this);
}

Q_list_parameter::~Q_list_parameter()
{
    _parameter->remove_listener(this);
}

void Q_list_parameter::notify()
{
    QSignalBlocker const blocker(_combo_box);
    QStringList const texts = choice_texts(*_parameter);
    QStringList shown;
    for (int i = 0; i < _combo_box->count(); ++i) shown << _combo_box->itemText(i);
    if (shown != texts)
    {
        _combo_box->clear();
        _combo_box->addItems(texts);
    }
    if (_combo_box->currentIndex() != _parameter->_index) _combo_box->setCurrentIndex(_parameter->_index);
}
