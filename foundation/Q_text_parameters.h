#ifndef FOUNDATION_Q_TEXT_PARAMETERS_H
#define FOUNDATION_Q_TEXT_PARAMETERS_H

#include "foundation/Notifiable.h"
#include "foundation/Q_parameter_bridge.h"

class QComboBox;
class QLineEdit;

class Q_string_parameter : public Q_parameter_bridge, public Notifiable
{
public:
    explicit Q_string_parameter(Parameter* parameter);
    ~Q_string_parameter() override;

    // Leaves the text alone when it already shows the value, so the cursor of
    // someone typing stays where it is.
    void notify() override;

private:
    QLineEdit* _line_edit;
};

class Q_list_parameter : public Q_parameter_bridge, public Notifiable
{
public:
    explicit Q_list_parameter(Parameter* parameter);
    ~Q_list_parameter() override;

    void notify() override;

private:
    QComboBox* _combo_box;
};

// A combo box over the parameter's choices, on its current choice, that ignores
// the wheel until focused.
QComboBox* make_choice_combo_box(Parameter const& parameter);

#endif
