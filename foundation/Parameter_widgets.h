#ifndef FOUNDATION_PARAMETER_WIDGETS_H
#define FOUNDATION_PARAMETER_WIDGETS_H

#include <map>
#include <string>

class Parameter;
class Parameter_list;
class QLayout;
class QWidget;

// The editor of one parameter, bound to it both ways; null when no editor fits
// the parameter's kind and value type.
QWidget* create_parameter_widget(Parameter* parameter);

// Adds the list's editors to layout: its visible parameters in display order,
// then a group box per child list.
void create_parameter_list_widgets(Parameter_list const& list, QLayout* layout);

// A combo box over the "type" parameter's choices that shows only the child list
// the choice names.
QWidget* create_single_select_widget(Parameter* type, std::map<std::string, Parameter_list*> const& children);

#endif
