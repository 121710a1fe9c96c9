#ifndef SCREENS_PLAY_ELEMENT_MENU_H
#define SCREENS_PLAY_ELEMENT_MENU_H

#include "simulation/Element_watch.h"

#include <QMenu>

class FloatSlider;
class Level_element;
class Molecule_releaser;
class Moving_box_barrier;
class Portal;
class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

// The menu of an element's flags and properties: one row of a label and its
// widget for each, by the element's kind, filled from the element. What the
// designer enters is written back once the menu has closed, unless the element
// went meanwhile (frames go on while the menu is open, and may load a level).
class Element_menu
{
public:
    explicit Element_menu(Level_element& element);
    Element_menu(Element_menu const&) = delete;
    Element_menu& operator=(Element_menu const&) = delete;

    QMenu& menu() { return _menu; }

    // Every row back into the element; `chosen` is the action the menu closed
    // with, which may set an end point of a moving barrier's sweep. False, and
    // nothing written, when the element is gone.
    bool write_back(QAction const* chosen);

private:
    void add_row(QString const& text, QWidget* widget);
    QCheckBox* add_check_box(QString const& text, bool checked);
    // A spin box for whole or decimal numbers.
    template <class Box, class Value> Box* add_number(QString const& text, Value min, Value max, Value value);
    void add_moving_barrier_rows(Moving_box_barrier& barrier);
    void add_releaser_rows(Molecule_releaser& releaser);
    void add_portal_rows(Portal& portal);

    // The kinds' pointers below are this one element: valid while it is.
    Element_watch _element;
    QMenu _menu;

    QCheckBox* _persistent = nullptr;
    QCheckBox* _translate = nullptr;
    QCheckBox* _scale = nullptr;
    QCheckBox* _rotate = nullptr;
    QCheckBox* _property = nullptr;

    Moving_box_barrier* _moving = nullptr;
    FloatSlider* _duration = nullptr;
    QAction* _set_start = nullptr;
    QAction* _set_end = nullptr;

    Molecule_releaser* _releaser = nullptr;
    QSpinBox* _max_molecules = nullptr;
    QDoubleSpinBox* _interval = nullptr;
    QDoubleSpinBox* _first_release = nullptr;
    QComboBox* _molecule_type = nullptr;

    Portal* _portal = nullptr;
    QSpinBox* _captured = nullptr;
    QComboBox* _condition_type = nullptr;
    QDoubleSpinBox* _score_factor = nullptr;
    QCheckBox* _destroy_on_enter = nullptr;
};

#endif
