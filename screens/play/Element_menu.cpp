#include "screens/play/Element_menu.h"

#include "foundation/FloatSlider.h"
#include "foundation/Widget_text_combination.h"
#include "simulation/Box_barrier.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Portal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QStyle>
#include <QWidgetAction>

Element_menu::Element_menu(Level_element& element) : _element(&element)
{
    int const editable = element.get_user_editable();
    _persistent = add_check_box("Persistent", element.is_persistent());
    _translate = add_check_box("Translate", editable & Level_element::Translate);
    _scale = add_check_box("Scale", editable & Level_element::Scale);
    _rotate = add_check_box("Rotate", editable & Level_element::Rotate);
    _property = add_check_box("Property", editable & Level_element::Property);

    if (auto* moving = dynamic_cast<Moving_box_barrier*>(&element)) add_moving_barrier_rows(*moving);
    if (auto* releaser = dynamic_cast<Molecule_releaser*>(&element)) add_releaser_rows(*releaser);
    if (auto* portal = dynamic_cast<Portal*>(&element)) add_portal_rows(*portal);
}

void Element_menu::add_row(QString const& text, QWidget* widget)
{
    auto* action = new QWidgetAction(&_menu);
    action->setDefaultWidget(new Widget_text_combination(text, widget));
    _menu.addAction(action);
}

QCheckBox* Element_menu::add_check_box(QString const& text, bool checked)
{
    auto* box = new QCheckBox;
    box->setChecked(checked);
    add_row(text, box);
    return box;
}

template <class Box, class Value> Box* Element_menu::add_number(QString const& text, Value min, Value max, Value value)
{
    auto* box = new Box;
    box->setRange(min, max);
    box->setValue(value);
    add_row(text, box);
    return box;
}

void Element_menu::add_moving_barrier_rows(Moving_box_barrier& barrier)
{
    _moving = &barrier;
    _duration = new FloatSlider(0.1f, 10.f, barrier.get_animation()._duration);
    add_row("Duration", _duration);
    _set_start = _menu.addAction("Set startpoint");
    _set_end = _menu.addAction("Set endpoint");
}

void Element_menu::add_releaser_rows(Molecule_releaser& releaser)
{
    _releaser = &releaser;
    _max_molecules = add_number<QSpinBox>("Max. Molecules", 1, 5000, releaser.get_num_max_molecules());
    _interval = add_number<QDoubleSpinBox>("Rel. Interval (s)", 0.1, 10.0, double(releaser.get_interval()));
    _first_release = add_number<QDoubleSpinBox>("First release", 0.0, 10000.0, double(releaser.get_first_release()));

    _molecule_type = new QComboBox;
    for (std::string const& name : get_molecule_names()) _molecule_type->addItem(QString::fromStdString(name));
    QString const type = QString::fromStdString(releaser.get_molecule_type());
    // A type the factory does not know stays unless another is chosen.
    if (_molecule_type->findText(type) < 0) _molecule_type->addItem(type);
    _molecule_type->setCurrentText(type);
    add_row("Molecule Type", _molecule_type);
}

void Element_menu::add_portal_rows(Portal& portal)
{
    _portal = &portal;
    Molecule_capture_condition const& condition = portal.get_end_condition();
    _captured = add_number<QSpinBox>("Captured Molecules", 1, 1000, condition.get_min_captured_molecules());

    _condition_type = new QComboBox;
    _condition_type->addItems({"And", "Or"});
    _condition_type->setCurrentIndex(condition.get_type() == 0 ? 0 : 1);
    add_row("Type", _condition_type);

    _score_factor = add_number<QDoubleSpinBox>("Score Factor", 1.0, 100.0, double(portal.get_score_factor()));
    _destroy_on_enter = add_check_box("Destroy on enter", portal.get_destroy_on_entering());

    auto* collected = new QWidgetAction(&_menu);
    auto* count = new QLabel(QString("Collected Molecules: %1").arg(condition.get_num_captured_molecules()));
    // In line with the labels of the rows above.
    int const margin = count->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    count->setContentsMargins(margin, margin / 2, margin, margin / 2);
    collected->setDefaultWidget(count);
    _menu.addAction(collected);
}

bool Element_menu::write_back(QAction const* chosen)
{
    if (!_element) return false;
    _element->set_persistent(_persistent->isChecked());
    _element->set_user_editable(
        (_rotate->isChecked() ? Level_element::Rotate : 0) | (_translate->isChecked() ? Level_element::Translate : 0) |
        (_scale->isChecked() ? Level_element::Scale : 0) | (_property->isChecked() ? Level_element::Property : 0));

    if (_moving)
    {
        Animation& sweep = _moving->get_animation();
        sweep._duration = _duration->get_float_value();
        if (chosen && chosen == _set_start) sweep._start = _moving->get_position();
        if (chosen && chosen == _set_end) sweep._end = _moving->get_position();
    }
    if (_releaser)
    {
        _releaser->set_num_max_molecules(_max_molecules->value());
        _releaser->set_interval(float(_interval->value()));
        _releaser->set_first_release(float(_first_release->value()));
        _releaser->set_molecule_type(_molecule_type->currentText().toStdString());
    }
    if (_portal)
    {
        Molecule_capture_condition& condition = _portal->get_end_condition();
        condition.set_min_captured_molecules(_captured->value());
        condition.set_type(_condition_type->currentIndex() == 0 ? 0 : 1);
        _portal->set_score_factor(float(_score_factor->value()));
        _portal->set_destroy_on_entering(_destroy_on_enter->isChecked());
    }
    return true;
}
