// The sandbox editor's controls and mouse, played through the window.
#include "Editor_test.h"

#include "foundation/Main_options_window.h"
#include "rendering/World_renderer.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_spinbox.h"
#include "widgets/Draggable_tooltip.h"
#include "widgets/Ui_renderer.h"
#include "widgets/Widget_painting.h"

#include "support/Vector_expect.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFrame>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QSpinBox>

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{

std::vector<std::string> const palette_order{"Box_barrier",
                                             "Box_portal",
                                             "Brownian_box",
                                             "Charged_barrier",
                                             "Molecule_releaser",
                                             "Sphere_portal",
                                             "Tractor_barrier",
                                             "H2O",
                                             "Na",
                                             "Cl"};

bool has_options_box(char const* name)
{
    for (QGroupBox* box : Main_options_window::instance()->get_options_frame()->findChildren<QGroupBox*>())
        if (box->title() == name) return true;
    return false;
}

} // namespace

TEST_F(Editor_test, the_sandbox_opens_with_every_kind_on_the_palette_and_the_advanced_controls_folded)
{
    level()._available_elements.clear(); // as right after start-up, before any level
    ASSERT_NE(nullptr, open_sandbox());
    EXPECT_EQ(Screen::Shown, editor->get_state());
    EXPECT_EQ(Editor_mode, editor->get_mode());
    EXPECT_EQ(Core::Not_running, core->get_game_state());
    EXPECT_TRUE(core->get_simulation_state()) << "shown, the editor runs the simulation";
    EXPECT_TRUE(has_options_box("Editor_screen"));

    float const aspect = 1280.f / 720.f;
    ASSERT_EQ(palette_order.size(), editor->get_palette_buttons().size());
    for (size_t i = 0; i < palette_order.size(); ++i)
    {
        Draggable_button const& button = *editor->get_palette_buttons().at(palette_order[i]);
        expect_near(Eigen::Vector3f(0.05f + 0.06f * float(i), 0.95f, 0.f), button.get_position());
        EXPECT_FLOAT_EQ(0.04f * aspect, button.get_size().y());
        EXPECT_TRUE(button.is_checkable());
        EXPECT_FALSE(button.is_checked());
        EXPECT_TRUE(button.is_visible());
        EXPECT_NE(0u, button.get_texture()) << palette_order[i];
    }
    ASSERT_EQ(7u, editor->get_spinboxes().size());
    Draggable_spinbox const& tractors = count_spinbox("Tractor_barrier");
    expect_near(Eigen::Vector3f(0.41f, 0.85f, 0.f), tractors.get_position());
    EXPECT_EQ("Number of available items of this type when playing the level", tractors.get_tooltip());
    EXPECT_FLOAT_EQ(0.7f, tractors.get_alpha());
    for (auto const& spinbox : editor->get_spinboxes()) EXPECT_FALSE(spinbox->is_visible());

    Draggable_button const& play = *editor->get_play_button();
    expect_near(Eigen::Vector3f(0.95f, 0.95f, 0.f), play.get_position());
    EXPECT_TRUE(play.is_checked()) << "it follows \"Toggle simulation\"";
    core->set_simulation_state(false);
    EXPECT_FALSE(play.is_checked());

    EXPECT_TRUE(editor->get_text_button("Hide Controls")->is_visible());
    EXPECT_FALSE(editor->get_text_button("Show Controls")->is_visible());
    EXPECT_TRUE(editor->get_text_button("Show Adv. Options")->is_visible());
    EXPECT_FALSE(editor->get_text_button("Hide Adv. Options")->is_visible());
    EXPECT_TRUE(slider("Temperature").is_visible());
    EXPECT_FALSE(slider("Mass Factor").is_visible());
    EXPECT_EQ(core->get_parameters()["Atomic Force Type/Coulomb Force/Strength"],
              slider("Coulomb Force").get_parameter());
    EXPECT_NE(0u, slider("Gravity").get_texture());
    EXPECT_NE(0u, slider("Gravity").get_handle_texture());
    EXPECT_TRUE(hidden_pickables().empty());
    for (auto const& label : editor->get_shadowed_labels())
        EXPECT_FALSE(label->is_visible()) << "no score is kept in the editor";
}

TEST_F(Editor_test, a_resize_paints_the_text_buttons_for_the_new_size_and_keeps_the_icons_square)
{
    Editor_screen* editor = open_sandbox();
    std::vector<std::string> const texts{"Hide Controls", "Reset", "Clear", "Show Adv. Options", "Load Defaults"};
    for (QSize const& size : {QSize(900, 700), QSize(1600, 600)})
    {
        resize_window(size);
        for (std::string const& text : texts)
        {
            Draggable_button* button = editor->get_text_button(text);
            ASSERT_NE(nullptr, button) << text;
            EXPECT_LT(texels_off_pixels(*button).maxCoeff(), 1.f) << text << " at " << size.width();
        }
        std::vector<Draggable_button const*> icons{editor->get_play_button()};
        for (auto const& entry : editor->get_palette_buttons()) icons.push_back(entry.second.get());
        for (Draggable_button const* icon : icons)
            EXPECT_NEAR(icon->get_size().x() * float(size.width()), icon->get_size().y() * float(size.height()), 0.5f);
        Ui_renderer const& painter = viewer->get_ui_renderer();
        EXPECT_EQ(paint_digit(0, painter.get_font(), size.width()).size(),
                  texture_size(painter.get_digit_textures()[0]))
            << "the count spin boxes' digits";
    }
    click_text("Hide Controls");
    EXPECT_FALSE(editor->get_view().controls_shown()) << "the buttons are still where they are drawn";
}

TEST_F(Editor_test, a_kind_without_a_count_of_its_own_gets_a_button_but_no_spin_box)
{
    // A level written by hand may list kinds the counts do not cover; one of
    // them has a picture here, the other none.
    ASSERT_TRUE(QFile::copy(QString::fromStdString(data->path("textures/button_Box_barrier.png")),
                            QString::fromStdString(data->path("textures/button_Moving_box_barrier.png"))));
    level()._available_elements["Moving_box_barrier"] = 2;
    level()._available_elements["Teleporter"] = 1;
    ASSERT_NE(nullptr, open_sandbox());
    EXPECT_EQ(11u, editor->get_palette_buttons().size()) << "no button without a picture";
    EXPECT_EQ(1u, editor->get_palette_buttons().count("Moving_box_barrier"));
    EXPECT_EQ(7u, editor->get_spinboxes().size());
    for (auto const& spinbox : editor->get_spinboxes())
        EXPECT_NE(nullptr, dynamic_cast<Draggable_spinbox&>(*spinbox).get_parameter());

    click_text("Show Adv. Options");
    click_palette("Moving_box_barrier");
    driver->click(floor_pixel(0.f, 0.f));
    EXPECT_EQ(1u, elements<Moving_box_barrier>().size());
}

TEST_F(Editor_test, hide_and_show_sequences_never_leave_a_hidden_widget_pickable)
{
    open_sandbox();
    Draggable_spinbox& tractors = count_spinbox("Tractor_barrier");
    Parameter const& tractor_count = *tractors.get_parameter();
    Eigen::Vector2f const up_arrow = screen_point(tractors.get_up_handle());

    // Hidden, the arrow is not there to be clicked.
    {
        Capture_stdout quiet;
        driver->click(up_arrow);
    }
    EXPECT_EQ(0, tractor_count.get_value<int>());

    for (char const* step : {"Show Adv. Options", "Hide Controls", "Show Controls", "Show Adv. Options",
                             "Hide Adv. Options", "Show Adv. Options"})
    {
        SCOPED_TRACE(step);
        click_text(step);
        EXPECT_EQ(std::vector<std::string>(), hidden_pickables());
    }
    EXPECT_TRUE(editor->get_view().advanced_shown());
    EXPECT_TRUE(tractors.is_visible());
    EXPECT_TRUE(editor->get_palette_buttons().at("Na")->is_visible());

    click_text("Hide Controls");
    EXPECT_FALSE(editor->get_palette_buttons().at("Box_barrier")->is_visible());
    EXPECT_FALSE(editor->get_play_button()->is_visible());
    EXPECT_TRUE(editor->get_text_button("Show Controls")->is_visible());
    click_text("Show Controls");
    EXPECT_FALSE(tractors.is_visible()) << "the advanced options come back folded";
    EXPECT_FALSE(editor->get_text_button("Hide Adv. Options")->is_visible());
    EXPECT_TRUE(editor->get_text_button("Show Adv. Options")->is_visible());
}

TEST_F(Editor_test, the_count_spin_boxes_set_what_a_player_gets_and_placing_takes_none)
{
    open_sandbox();
    click_text("Show Adv. Options");
    Draggable_spinbox& tractors = count_spinbox("Tractor_barrier");
    Draggable_button const& tractor_button = *editor->get_palette_buttons().at("Tractor_barrier");
    GLuint const zero_painted = tractor_button.get_texture();
    for (int i = 0; i < 3; ++i)
    {
        Capture_stdout quiet;
        driver->click(screen_point(tractors.get_up_handle()));
    }
    {
        Capture_stdout quiet;
        driver->click(screen_point(tractors.get_down_handle()));
    }
    EXPECT_EQ(2, tractors.get_value());
    EXPECT_EQ(2, level()._available_elements["Tractor_barrier"]);
    EXPECT_NE(zero_painted, tractor_button.get_texture()) << "the palette shows the new count";
    EXPECT_NE(0u, tractor_button.get_texture());

    click_palette("Tractor_barrier");
    driver->click(floor_pixel(0.f, 0.f));
    EXPECT_EQ(1u, elements<Tractor_barrier>().size());
    EXPECT_EQ(2, level()._available_elements["Tractor_barrier"]) << "the designer's placements are free";
}

TEST_F(Editor_test, placing_lands_inside_the_field_shift_keeps_placing_and_the_checked_button_ends_it)
{
    open_sandbox();
    Draggable_button const& walls = *editor->get_palette_buttons().at("Box_barrier");
    click_palette("Box_barrier");
    EXPECT_EQ(Main_game_screen::Placing, editor->get_drag_state());
    EXPECT_TRUE(walls.is_checked());
    ASSERT_NE(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(Qt::CrossCursor, QApplication::overrideCursor()->shape());

    driver->click(floor_pixel(10.f, 5.f), Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(1u, elements<Box_barrier>().size());
    Box_barrier const& first = *elements<Box_barrier>()[0];
    expect_near(Eigen::Vector3f(10.f, 0.f, 5.f), first.get_position(), 0.5f);
    Eigen::AlignedBox3f const field(Eigen::Vector3f(-40, -20, -20), Eigen::Vector3f(40, 20, 20));
    EXPECT_TRUE(field.contains(first.get_bounding_box())) << "inside the field, all its depth";
    EXPECT_EQ(0, first.get_user_editable());
    EXPECT_EQ(Main_game_screen::Placing, editor->get_drag_state()) << "Shift keeps placing";
    EXPECT_TRUE(walls.is_checked());

    driver->click(floor_pixel(-10.f, -5.f));
    EXPECT_EQ(2u, elements<Box_barrier>().size());
    EXPECT_EQ(Main_game_screen::Idle, editor->get_drag_state());
    EXPECT_FALSE(walls.is_checked());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());

    // A second click on the checked button stops, without placing anything.
    click_palette("Box_barrier");
    ASSERT_TRUE(walls.is_checked());
    click_palette("Box_barrier");
    EXPECT_FALSE(walls.is_checked());
    EXPECT_EQ(Main_game_screen::Idle, editor->get_drag_state());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    driver->click(floor_pixel(20.f, 0.f));
    EXPECT_EQ(2u, elements<Box_barrier>().size());

    // Another button switches what is placed; a right release stops.
    click_palette("Box_barrier");
    click_palette("Brownian_box");
    EXPECT_FALSE(walls.is_checked());
    EXPECT_TRUE(editor->get_palette_buttons().at("Brownian_box")->is_checked());
    EXPECT_EQ("Brownian_box", editor->get_element_to_place());
    EXPECT_EQ(Main_game_screen::Placing, editor->get_drag_state());
    driver->click(floor_pixel(0.f, 0.f), Qt::RightButton);
    EXPECT_TRUE(elements<Brownian_box>().empty());
    EXPECT_EQ(Main_game_screen::Idle, editor->get_drag_state());
    EXPECT_FALSE(editor->get_palette_buttons().at("Brownian_box")->is_checked());
}

TEST_F(Editor_test, eight_water_molecules_per_click_spread_around_the_point_at_middle_depth)
{
    open_sandbox();
    core->set_simulation_state(false);
    set_molecules_per_click("H2O", 8);
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("run_menu", dialogs.calls[0].kind);
    EXPECT_EQ(8, editor->get_molecules_per_click("H2O"));
    EXPECT_FALSE(editor->get_palette_buttons().at("H2O")->is_checked()) << "a right click does not place";

    click_palette("H2O");
    driver->click(middle_pixel(-8.f, 4.f));
    std::list<Molecule> const& molecules = level()._molecules;
    ASSERT_EQ(8u, molecules.size());
    Eigen::Vector3f mean = Eigen::Vector3f::Zero();
    float spread = 0.f;
    for (Molecule const& molecule : molecules) mean += molecule._x / 8.f;
    for (Molecule const& molecule : molecules) spread = std::max(spread, (molecule._x - mean).cwiseAbs().maxCoeff());
    EXPECT_NEAR(0.f, molecules.front()._x.y() + 6.f, 0.5f) << "the low corner of a cube around y = 0";
    EXPECT_LT(spread, 12.f);
    EXPECT_GT(spread, 2.f) << "spread out";
    expect_near(Eigen::Vector3f(-8.f - 6.f, -6.f, 4.f - 6.f), molecules.front()._x, 0.6f);
}

TEST_F(Editor_test, the_temperature_slider_dragged_to_its_end_gives_fifty_and_menus_take_exact_values)
{
    open_sandbox();
    Draggable_slider& temperature = slider("Temperature");
    Parameter const& level_temperature = *level().get_parameters()["Temperature"];
    Eigen::Vector2f const knob = screen_point(temperature.get_handle());
    {
        Capture_stdout quiet;
        driver->move(driver->pixel_of(knob));
        driver->press(driver->pixel_of(knob));
        for (float x : {0.95f, 0.99f, 1.05f}) driver->move(driver->pixel_of(Eigen::Vector2f(x, knob.y())));
        driver->release(driver->pixel_of(Eigen::Vector2f(1.05f, knob.y())));
    }
    EXPECT_FLOAT_EQ(50.f, level_temperature.get_value<float>());
    EXPECT_FLOAT_EQ(50.f, level()._translation_fluctuation) << "applied to the level";

    dialogs.menus.push_back([](QMenu& menu) {
        if (auto* value = Scripted_dialogs::row_widget<QDoubleSpinBox>(menu, "Temperature (Min: -50, Max: 50)"))
            value->setValue(-12.5);
        return nullptr;
    });
    Capture_stdout out;
    driver->click(screen_point(temperature.get_handle()), Qt::RightButton);
    EXPECT_THAT(out.text(), HasSubstr("Editor_screen::parameter_slider_right_click_event"));
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("Temperature (Min: -50, Max: 50)", dialogs.calls[0].text);
    EXPECT_FLOAT_EQ(-12.5f, level()._translation_fluctuation);
    EXPECT_LT(screen_point(temperature.get_handle()).x(), knob.x()) << "the knob follows";

    click_text("Show Adv. Options");
    Parameter const& waals = *core->get_parameters()["Atomic Force Type/Van der Waals Force/Strength"];
    dialogs.menus.push_back([](QMenu& menu) {
        if (auto* value =
                Scripted_dialogs::row_widget<QDoubleSpinBox>(menu, "Van der Waals Force (Min: 0.001, Max: 1)"))
            value->setValue(0.005);
        return nullptr;
    });
    driver->click(screen_point(slider("Van der Waals Force").get_handle()), Qt::RightButton);
    ASSERT_EQ(2u, dialogs.calls.size());
    EXPECT_EQ("Van der Waals Force (Min: 0.001, Max: 1)", dialogs.calls[1].text);
    EXPECT_NEAR(0.005f, waals.get_value<float>(), 1e-6f);
}

TEST_F(Editor_test, load_defaults_keeps_the_simulation_running_or_stopped_as_it_was)
{
    open_sandbox();
    for (bool running : {true, false})
    {
        SCOPED_TRACE(running);
        core->set_simulation_state(running);
        Parameter& temperature = *level().get_parameters()["Temperature"];
        temperature.set_value_no_update(20.f);
        temperature._callback();
        Parameter& mass = *core->get_parameters()["Mass Factor"];
        mass.set_value_no_update(0.7f);
        click_text("Load Defaults");
        EXPECT_FLOAT_EQ(0.f, level()._translation_fluctuation);
        EXPECT_FLOAT_EQ(0.1f, mass.get_value<float>());
        EXPECT_EQ(running, core->get_simulation_state());
        EXPECT_EQ(running, core->get_physics_timer().isActive());
        EXPECT_EQ(running, editor->get_play_button()->is_checked());
    }

    // The play button itself pauses and goes on.
    click(*editor->get_play_button());
    EXPECT_TRUE(core->get_simulation_state());
    click(*editor->get_play_button());
    EXPECT_FALSE(core->get_simulation_state());
}

TEST_F(Editor_test, reset_and_clear_ask_first_and_clear_leaves_only_the_borders)
{
    open_sandbox();
    core->set_simulation_state(false);
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Box_barrier", false, 1);
    editor->add_element(Eigen::Vector3f(20, 0, 0), "Brownian_box", false, 1);
    editor->add_element(Eigen::Vector3f(-20, 0, 0), "H2O", false, 2);
    size_t const elements_before = level()._level_elements.size();
    ASSERT_EQ(6u + 2u, elements_before);

    dialogs.choices = {-1, 0, 1};
    click_text("Reset");
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("ask_choice", dialogs.calls[0].kind);
    EXPECT_EQ("Reset Level", dialogs.calls[0].title);
    EXPECT_EQ("The level elements will be reset and all molecules removed.\n[Keep molecules|Continue]",
              dialogs.calls[0].text);
    EXPECT_EQ(2u, level()._molecules.size()) << "cancelled";
    click_text("Reset");
    EXPECT_EQ(2u, level()._molecules.size()) << "kept";
    click_text("Reset");
    EXPECT_TRUE(level()._molecules.empty());
    EXPECT_EQ(elements_before, level()._level_elements.size()) << "the heating box stays: the editor put it there";

    level().get_parameters()["gravity"]->set_value_no_update(4.f);
    dialogs.answers = {false, true};
    click_text("Clear");
    EXPECT_EQ("Clear Level", dialogs.calls.back().title);
    EXPECT_EQ("This will clear the level, unsaved work will be lost. Continue?", dialogs.calls.back().text);
    EXPECT_EQ(elements_before, level()._level_elements.size());
    click_text("Clear");
    EXPECT_EQ(6u, level()._level_elements.size());
    EXPECT_EQ(6u, level()._game_field_borders.size());
    EXPECT_FLOAT_EQ(0.f, level().get_parameters()["gravity"]->get_value<float>());
    EXPECT_TRUE(editor->get_pickables().size() > 0u);
}

TEST_F(Editor_test, backspace_changes_nothing_without_a_selection_and_deletes_what_was_clicked)
{
    open_sandbox();
    core->set_simulation_state(false);
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Box_portal", false, 1);
    ASSERT_EQ(1u, elements<Box_portal>().size());

    viewer->makeCurrent();
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    {
        Capture_stdout quiet;
        EXPECT_FALSE(editor->keyPressEvent(&backspace)) << "the key goes on to the viewer";
    }
    EXPECT_EQ(1u, elements<Box_portal>().size());

    Draggable_box* box = editor->get_handle_box(elements<Box_portal>()[0]);
    ASSERT_NE(nullptr, box);
    click_handle(box->get_disc());
    EXPECT_EQ(elements<Box_portal>()[0], editor->get_selected_element());
    driver->press_key(Qt::Key_Delete);
    EXPECT_TRUE(elements<Box_portal>().empty());
}

TEST_F(Editor_test, hovering_shows_one_tooltip_at_a_time_and_a_press_takes_it_away)
{
    open_sandbox();
    size_t const hud = editor->get_shadowed_labels().size();
    Capture_stdout out;
    driver->move(driver->pixel_of(centre_of(*editor->get_palette_buttons().at("Box_barrier"))));
    ASSERT_EQ(1u, editor->get_tooltips().size());
    EXPECT_EQ(hud + 1, editor->get_shadowed_labels().size());
    EXPECT_THAT(out.text(), HasSubstr("Editor_screen::mouseMoveEvent started hovering"));

    driver->move(driver->pixel_of(centre_of(*editor->get_palette_buttons().at("Na"))));
    ASSERT_EQ(1u, editor->get_tooltips().size());
    EXPECT_EQ(editor->get_palette_buttons().at("Na").get(), editor->get_tooltips().begin()->first);
    EXPECT_EQ(hud + 1, editor->get_shadowed_labels().size()) << "replaced, never both";
    EXPECT_EQ(Draggable_tooltip::Fading_in, editor->get_tooltips().begin()->second->get_fade_state());

    driver->move(driver->pixel_of(centre_of(*editor->get_text_button("Hide Controls"))));
    EXPECT_TRUE(editor->get_tooltips().empty()) << "a button without a tooltip shows none";
    EXPECT_EQ(hud, editor->get_shadowed_labels().size());

    driver->move(driver->pixel_of(centre_of(*editor->get_text_button("Clear"))));
    ASSERT_EQ(1u, editor->get_tooltips().size());
    dialogs.answers = {false};
    click_text("Clear");
    EXPECT_TRUE(editor->get_tooltips().empty());
    EXPECT_EQ(hud, editor->get_shadowed_labels().size());
}

TEST_F(Editor_test, a_right_click_on_a_handle_opens_the_element_menu_and_its_answers_stay)
{
    open_sandbox();
    core->set_simulation_state(false);
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Box_portal", false, 1);
    Box_portal* portal = elements<Box_portal>()[0];
    ASSERT_TRUE(portal->is_persistent());

    dialogs.menus.push_back([](QMenu& menu) {
        if (auto* persistent = Scripted_dialogs::row_widget<QCheckBox>(menu, "Persistent"))
            persistent->setChecked(false);
        if (auto* captured = Scripted_dialogs::row_widget<QSpinBox>(menu, "Captured Molecules")) captured->setValue(9);
        return nullptr;
    });
    Capture_stdout out;
    click_handle(editor->get_handle_box(portal)->get_disc(), Qt::RightButton);
    EXPECT_THAT(out.text(), HasSubstr("Main_game_screen::show_context_menu_for_element"));
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_THAT(dialogs.calls[0].text.toStdString(), HasSubstr("Collected Molecules: 0"));
    EXPECT_EQ(portal, editor->get_selected_element());
    EXPECT_FALSE(portal->is_persistent());
    EXPECT_EQ(9, portal->get_end_condition().get_min_captured_molecules());
}

namespace
{

char const* const kinds_with_handles[] = {"Box_barrier",     "Moving_box_barrier", "Blow_barrier",      "Brownian_box",
                                          "Box_portal",      "Sphere_portal",      "Molecule_releaser", "Atom_cannon",
                                          "Charged_barrier", "Tractor_barrier"};

} // namespace

TEST_F(Editor_test, every_handle_of_every_element_kind_opens_the_element_menu_and_so_does_a_click_on_its_gear)
{
    open_sandbox();
    core->set_simulation_state(false);
    for (char const* kind : kinds_with_handles)
    {
        size_t const before = level()._level_elements.size();
        editor->add_element(Eigen::Vector3f(0, 0, 0), kind, false, 1);
        ASSERT_EQ(before + 1, level()._level_elements.size()) << kind;
        Level_element* element = level()._level_elements.back().get();
        EXPECT_THAT(handles_without_menu(*editor, *element, 31, Qt::RightButton), ::testing::IsEmpty());

        size_t const menus = dialogs.calls.size();
        {
            Capture_stdout quiet;
            click_handle(editor->get_handle_box(element)->get_disc());
        }
        EXPECT_EQ(menus + 1, dialogs.calls.size()) << kind << ": the gear";
        EXPECT_EQ(element, editor->get_selected_element());
        Capture_stdout quiet;
        driver->press_key(Qt::Key_Delete);
        ASSERT_EQ(before, level()._level_elements.size()) << kind;
    }
}

TEST_F(Editor_test, f11_builds_the_renderer_again_and_escape_pauses_ending_placing)
{
    open_sandbox();
    {
        Capture_stdout out;
        driver->press_key(Qt::Key_F11);
        EXPECT_THAT(out.text(), HasSubstr("Editor_screen::keyPressEvent re-init screen"));
        EXPECT_EQ(viewer->camera()->screenWidth(), editor->get_renderer()->get_width());
    }

    click_palette("Charged_barrier");
    ASSERT_NE(nullptr, QApplication::overrideCursor());
    driver->press_key(Qt::Key_Escape);
    EXPECT_EQ(Screen::Fading_out, editor->get_state());
    EXPECT_NE(nullptr, top<Editor_pause_screen>());
    EXPECT_FALSE(core->get_simulation_state());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(Main_game_screen::Idle, editor->get_drag_state()) << "as in the play screen";
    EXPECT_FALSE(editor->get_palette_buttons().at("Charged_barrier")->is_checked());

    driver->step_frames(70);
    driver->press_key(Qt::Key_Escape);
    EXPECT_EQ(Screen::Fading_in, editor->get_state()) << "Escape again goes on editing";
    EXPECT_EQ(Screen::Closing, top<Editor_pause_screen>()->get_state());
}

// "Continue" acts on the press and gives the editor back: neither its release
// nor a move before it may place, deselect or hover in the editor.
TEST_F(Editor_test, nothing_of_a_click_on_the_pauses_continue_reaches_the_editor)
{
    open_sandbox();
    core->set_simulation_state(false);
    editor->add_element(Eigen::Vector3f(-20, 0, 0), "Box_portal", false, 1);
    Box_portal* portal = elements<Box_portal>()[0];
    click_handle(editor->get_handle_box(portal)->get_disc());
    ASSERT_EQ(portal, editor->get_selected_element());
    click_palette("Brownian_box");
    ASSERT_EQ(Main_game_screen::Placing, editor->get_drag_state());

    Capture_stdout quiet;
    driver->press_key(Qt::Key_Escape);
    driver->step_frames(70);
    auto* pause = top<Editor_pause_screen>();
    ASSERT_NE(nullptr, pause);
    QPoint continue_pixel;
    for (auto const& button : pause->get_buttons())
        if (button->get_text() == "Continue") continue_pixel = driver->pixel_of(centre_of(*button));
    driver->press(continue_pixel);
    ASSERT_EQ(Screen::Fading_in, editor->get_state()) << "the press gave the editor back";
    driver->move(driver->pixel_of(centre_of(*editor->get_palette_buttons().at("Box_barrier"))), Qt::LeftButton);
    driver->release(continue_pixel);
    driver->step_frames(70);

    EXPECT_TRUE(elements<Brownian_box>().empty());
    EXPECT_EQ(Main_game_screen::Idle, editor->get_drag_state());
    EXPECT_FALSE(editor->get_palette_buttons().at("Brownian_box")->is_checked());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(portal, editor->get_selected_element());
    EXPECT_TRUE(editor->get_tooltips().empty());

    // The editor's own clicks are its own again.
    click_palette("Brownian_box");
    driver->click(floor_pixel(10.f, 0.f));
    EXPECT_EQ(1u, elements<Brownian_box>().size());
}

TEST_F(Editor_test, a_camera_looking_along_the_planes_places_and_drags_nothing)
{
    open_sandbox();
    core->set_simulation_state(false);
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Box_barrier", false, 1);
    Box_barrier* wall = elements<Box_barrier>()[0];
    Eigen::Vector3f const where = wall->get_position();

    // Level with the middle plane, from the side: the ray through the middle
    // of the window runs along every plane of constant depth.
    qglviewer::Camera& camera = *viewer->camera();
    camera.setPosition(qglviewer::Vec(150, 0, 0));
    camera.setUpVector(qglviewer::Vec(0, 0, 1));
    camera.lookAt(qglviewer::Vec(0, 0, 0));
    QPoint const middle(camera.screenWidth() / 2, camera.screenHeight() / 2);

    click_palette("Na");
    driver->click(middle);
    EXPECT_TRUE(level()._molecules.empty());
    click_palette("Box_portal");
    driver->click(middle);
    EXPECT_TRUE(elements<Box_portal>().empty());

    // Looking away from the field: the floor lies behind the camera.
    camera.setPosition(qglviewer::Vec(0, 100, 0));
    camera.lookAt(qglviewer::Vec(0, 200, 0));
    click_palette("Box_portal");
    driver->click(middle);
    EXPECT_TRUE(elements<Box_portal>().empty());

    camera.setPosition(qglviewer::Vec(150, 0, 0));
    camera.lookAt(qglviewer::Vec(0, 0, 0));
    Eigen::Vector3f const handle = editor->get_handle_box(wall)->get_translation_handles().front().get_world_position();
    driver->drag(handle, handle + Eigen::Vector3f(0, 30, 0));
    EXPECT_TRUE(wall->get_position().allFinite());
    EXPECT_LT((wall->get_position() - where).norm(), 80.f);
}
