// The element menu's rows by kind, and what the designer enters going back
// into the element.
#include "screens/play/Element_menu.h"

#include "foundation/FloatSlider.h"
#include "simulation/Atom_cannon.h"
#include "simulation/Box_barrier.h"
#include "simulation/Portal.h"

#include "support/Scripted_dialogs.h"
#include "support/Vector_expect.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace
{

QStringList const flag_rows{"Persistent", "Translate", "Scale", "Rotate", "Property"};

template <class Widget> Widget& row(Element_menu& menu, QString const& label)
{
    Widget* widget = Scripted_dialogs::row_widget<Widget>(menu.menu(), label);
    if (!widget) throw std::runtime_error("no row " + label.toStdString());
    return *widget;
}

QAction* action_named(Element_menu& menu, QString const& text)
{
    for (QAction* action : menu.menu().actions())
        if (action->text() == text) return action;
    return nullptr;
}

} // namespace

TEST(Element_menu, every_element_shows_its_flags_and_gets_back_what_was_ticked)
{
    Box_barrier wall(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5), 100.f, 2.f);
    wall.set_user_editable(Level_element::Translate | Level_element::Property | 16);
    Element_menu menu(wall);
    EXPECT_EQ(flag_rows, Scripted_dialogs::menu_rows(menu.menu()));
    EXPECT_TRUE(row<QCheckBox>(menu, "Persistent").isChecked());
    EXPECT_TRUE(row<QCheckBox>(menu, "Translate").isChecked());
    EXPECT_FALSE(row<QCheckBox>(menu, "Scale").isChecked());
    EXPECT_FALSE(row<QCheckBox>(menu, "Rotate").isChecked());
    EXPECT_TRUE(row<QCheckBox>(menu, "Property").isChecked());

    menu.write_back(nullptr);
    EXPECT_EQ(Level_element::Translate | Level_element::Property, wall.get_user_editable())
        << "the menu writes back the four bits it shows";

    row<QCheckBox>(menu, "Persistent").setChecked(false);
    row<QCheckBox>(menu, "Rotate").setChecked(true);
    row<QCheckBox>(menu, "Translate").setChecked(false);
    menu.write_back(nullptr);
    EXPECT_FALSE(wall.is_persistent());
    EXPECT_EQ(Level_element::Rotate | Level_element::Property, wall.get_user_editable());
}

TEST(Element_menu, a_moving_barrier_sets_its_sweep_from_where_it_stands)
{
    Moving_box_barrier sweeper(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5), 100.f, 2.f);
    Element_menu first(sweeper);
    EXPECT_EQ((flag_rows + QStringList{"Duration", "Set startpoint", "Set endpoint"}),
              Scripted_dialogs::menu_rows(first.menu()));
    EXPECT_FLOAT_EQ(2.f, row<FloatSlider>(first, "Duration").get_float_value());
    row<FloatSlider>(first, "Duration").set_float_value(4.5f);

    sweeper.set_position(Eigen::Vector3f(10, 0, 3));
    first.write_back(action_named(first, "Set endpoint"));
    EXPECT_FLOAT_EQ(4.5f, sweeper.get_animation()._duration);
    expect_near(Eigen::Vector3f(10, 0, 3), sweeper.get_animation()._end);
    expect_near(Eigen::Vector3f(0, 0, 0), sweeper.get_animation()._start);

    Element_menu second(sweeper);
    second.write_back(action_named(second, "Set startpoint"));
    expect_near(Eigen::Vector3f(10, 0, 3), sweeper.get_animation()._start);
}

TEST(Element_menu, a_releaser_tunes_its_releases_and_keeps_a_type_the_factory_does_not_know)
{
    Atom_cannon cannon(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5), 1.f, 1.f, 0.f, 10.f);
    cannon.set_molecule_type("Dipole");
    Element_menu menu(cannon);
    EXPECT_EQ((flag_rows + QStringList{"Max. Molecules", "Rel. Interval (s)", "First release", "Molecule Type"}),
              Scripted_dialogs::menu_rows(menu.menu()));
    QSpinBox& maximum = row<QSpinBox>(menu, "Max. Molecules");
    EXPECT_EQ(1, maximum.minimum());
    EXPECT_EQ(5000, maximum.maximum());
    EXPECT_EQ("Dipole", row<QComboBox>(menu, "Molecule Type").currentText());

    menu.write_back(nullptr);
    EXPECT_EQ("Dipole", cannon.get_molecule_type()) << "untouched, unchanged";

    maximum.setValue(250);
    row<QDoubleSpinBox>(menu, "Rel. Interval (s)").setValue(0.05); // below the range
    row<QDoubleSpinBox>(menu, "First release").setValue(12.5);
    row<QComboBox>(menu, "Molecule Type").setCurrentText("Na");
    menu.write_back(nullptr);
    EXPECT_EQ(250, cannon.get_num_max_molecules());
    EXPECT_FLOAT_EQ(0.1f, cannon.get_interval());
    EXPECT_FLOAT_EQ(12.5f, cannon.get_first_release());
    EXPECT_EQ("Na", cannon.get_molecule_type());
}

TEST(Element_menu, a_portal_edits_its_end_condition_and_shows_what_it_collected)
{
    Sphere_portal portal(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5));
    portal.get_end_condition().set_type(2);
    portal.get_end_condition().set_num_captured_molecules(7);
    Element_menu menu(portal);
    EXPECT_EQ((flag_rows +
               QStringList{"Captured Molecules", "Type", "Score Factor", "Destroy on enter", "Collected Molecules: 7"}),
              Scripted_dialogs::menu_rows(menu.menu()));
    EXPECT_EQ("Or", row<QComboBox>(menu, "Type").currentText());

    row<QSpinBox>(menu, "Captured Molecules").setValue(12);
    row<QComboBox>(menu, "Type").setCurrentText("And");
    row<QDoubleSpinBox>(menu, "Score Factor").setValue(3.0);
    row<QCheckBox>(menu, "Destroy on enter").setChecked(!portal.get_destroy_on_entering());
    bool const destroy = !portal.get_destroy_on_entering();
    menu.write_back(nullptr);
    EXPECT_EQ(12, portal.get_end_condition().get_min_captured_molecules());
    EXPECT_EQ(0, portal.get_end_condition().get_type());
    EXPECT_FLOAT_EQ(3.f, portal.get_score_factor());
    EXPECT_EQ(destroy, portal.get_destroy_on_entering());
    EXPECT_EQ(7, portal.get_end_condition().get_num_captured_molecules());
}
