#ifndef SCREENS_EDITOR_EDITOR_MENUS_H
#define SCREENS_EDITOR_EDITOR_MENUS_H

#include <QPoint>

#include <string>

class Parameter;

// The editor's small pop-up menus for typing a number, run through the dialogs
// seam at a global position.

// "Number of <name> molecules to place", 1 to 1000: the count typed, or
// `current` when the menu closed untouched.
int ask_molecules_per_click(std::string const& name, int current, QPoint const& at);

// The slider's name and range over a spin box holding the parameter's value;
// the value typed, always within the range.
float ask_slider_value(std::string const& name, Parameter const& parameter, QPoint const& at);

#endif
