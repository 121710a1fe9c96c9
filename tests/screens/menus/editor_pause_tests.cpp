// The editor's pause screen: loading, saving and test-playing a level, and a
// level designer's whole round trip.
#include "Editor_test.h"

#include "screens/menus/Main_menu_screen.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Core.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_spinbox.h"

#include "support/Text_file.h"
#include "support/Vector_expect.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QMenu>
#include <QWidgetAction>

#include <gmock/gmock.h>

#include <typeinfo>

using ::testing::HasSubstr;

namespace
{

class Editor_pause_test : public Editor_test
{
protected:
    Editor_pause_screen* pause_editor()
    {
        Capture_stdout quiet;
        driver->press_key(Qt::Key_Escape);
        driver->step_frames(70);
        return top<Editor_pause_screen>();
    }

    std::vector<std::string> button_texts() const
    {
        std::vector<std::string> texts;
        if (auto* menu = top<Menu_screen>())
            for (auto const& button : menu->get_buttons()) texts.push_back(button->get_text());
        return texts;
    }

    QString state_file() const { return working_directory + "/state.data"; }

    // Every element kind the level holds, by name, in the level's order.
    std::vector<std::string> kinds() const
    {
        std::vector<std::string> names;
        for (auto const& element : core->get_level_data()._level_elements) names.push_back(typeid(*element).name());
        return names;
    }

    void set_slider_exactly(std::string const& name, float value)
    {
        dialogs.menus.push_back([value](QMenu& menu) {
            for (QAction* action : menu.actions())
                if (auto* widget_action = qobject_cast<QWidgetAction*>(action))
                    for (QDoubleSpinBox* box : widget_action->defaultWidget()->findChildren<QDoubleSpinBox*>())
                        box->setValue(value);
            return nullptr;
        });
        Capture_stdout quiet;
        driver->click(screen_point(slider(name).get_handle()), Qt::RightButton);
    }
};

} // namespace

TEST_F(Editor_pause_test, the_pause_offers_the_editing_actions_and_continue_goes_back)
{
    open_sandbox();
    Editor_pause_screen* pause = pause_editor();
    ASSERT_NE(nullptr, pause);
    EXPECT_TRUE(pause->has_flag(Screen::Blocks_input));
    EXPECT_EQ(Screen::Hidden, editor->get_state());
    EXPECT_EQ((std::vector<std::string>{"Play Level", "Load Level", "Save Level", "Back to Main Menu", "Continue"}),
              button_texts());
    std::vector<float> heights;
    for (auto const& button : pause->get_buttons()) heights.push_back(button->get_position().y());
    EXPECT_EQ((std::vector<float>{0.8f, 0.68f, 0.56f, 0.44f, 0.32f}), heights);

    click_menu_button("Continue");
    EXPECT_EQ(Screen::Closing, pause->get_state());
    driver->step_frames(70);
    EXPECT_EQ(editor, top<Editor_screen>());
    EXPECT_EQ(Screen::Shown, editor->get_state());
    EXPECT_TRUE(core->get_simulation_state());

    pause_editor();
    dialogs.answers = {false};
    click_menu_button("Back to Main Menu");
    EXPECT_EQ("Return to Main Menu", dialogs.calls.back().title);
    EXPECT_EQ("Unsaved changes will be lost. Really return to the main menu?", dialogs.calls.back().text);
    EXPECT_NE(nullptr, top<Editor_pause_screen>()) << "No keeps the pause open";
    EXPECT_EQ(Screen::Shown, top<Editor_pause_screen>()->get_state());

    dialogs.answers = {true};
    click_menu_button("Back to Main Menu");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(data->path("simulation_settings.data"))));
    ASSERT_NE(nullptr, top<Main_menu_screen>());
    driver->step_frames(70);
    std::vector<Screen*> const stack = viewer->get_screens().screens();
    ASSERT_EQ(2u, stack.size()) << "the editor and its pause are gone";
    auto* game = dynamic_cast<Main_game_screen*>(stack[1]);
    ASSERT_NE(nullptr, game);
    EXPECT_EQ(Game_mode, game->get_mode());
    EXPECT_EQ(Screen::Hidden, game->get_state());
}

TEST_F(Editor_pause_test, ctrl_saves_and_loads_state_data_in_the_working_directory_without_a_dialog)
{
    open_sandbox();
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Charged_barrier", false, 1);
    pause_editor();
    click_menu_button("Save Level", Qt::ControlModifier);
    EXPECT_TRUE(dialogs.calls.empty());
    ASSERT_TRUE(QFile::exists(state_file()));
    EXPECT_THAT(read_text(state_file().toStdString()), HasSubstr("<_level_data class_id="));
    EXPECT_NE(nullptr, top<Editor_pause_screen>()) << "the pause stays open";

    {
        Capture_stdout quiet;
        core->clear();
        core->reset_level_data();
    }
    ASSERT_TRUE(elements<Charged_barrier>().empty());
    click_menu_button("Load Level", Qt::ControlModifier);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(1u, elements<Charged_barrier>().size());
}

TEST_F(Editor_pause_test, a_cancelled_dialog_changes_nothing_and_failures_are_told_not_hidden)
{
    open_sandbox();
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Tractor_barrier", false, 1);
    pause_editor();

    click_menu_button("Save Level");
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("save_file_name", dialogs.calls[0].kind);
    EXPECT_EQ("Save Level", dialogs.calls[0].title);
    EXPECT_EQ(". State File (*.data)", dialogs.calls[0].text);
    click_menu_button("Load Level");
    EXPECT_EQ("open_file_name", dialogs.calls[1].kind);
    EXPECT_EQ("Load Level", dialogs.calls[1].title);
    EXPECT_TRUE(QDir(working_directory).entryList({"*.data"}).isEmpty()) << "nothing saved";
    EXPECT_EQ(1u, elements<Tractor_barrier>().size()) << "nothing loaded";

    QString const broken = working_directory + "/broken.data";
    write_text(broken.toStdString(), "<?xml version=\"1.0\"?><boost_serialization><_level_data>");
    dialogs.file_names = {broken};
    click_menu_button("Load Level");
    ASSERT_EQ(4u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[3].kind);
    EXPECT_EQ("Load Level", dialogs.calls[3].title);
    EXPECT_THAT(dialogs.calls[3].text.toStdString(), HasSubstr("broken.data"));
    EXPECT_EQ(1u, elements<Tractor_barrier>().size()) << "the edited level is kept";

    dialogs.file_names = {working_directory + "/no/such/folder/level.data"};
    click_menu_button("Save Level");
    ASSERT_EQ(6u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[5].kind);
    EXPECT_EQ("Save Level", dialogs.calls[5].title);

    dialogs.file_names = {working_directory + "/mine.data"};
    click_menu_button("Save Level");
    EXPECT_TRUE(QFile::exists(working_directory + "/mine.data")) << "the chosen path, unchanged";
}

TEST_F(Editor_pause_test, play_level_needs_a_portal_and_escape_during_its_fade_leaves_the_pause_closed)
{
    open_sandbox();
    Editor_pause_screen* pause = pause_editor();
    click_menu_button("Play Level");
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("critical", dialogs.calls[0].kind);
    EXPECT_EQ("Portal Missing", dialogs.calls[0].title);
    EXPECT_EQ("At least one portal is needed to have a playable level.", dialogs.calls[0].text);
    EXPECT_EQ(pause, top<Editor_pause_screen>());
    EXPECT_EQ(Core::Not_running, core->get_game_state());

    editor->add_element(Eigen::Vector3f(0, 0, 0), "Sphere_portal", false, 1);
    click_menu_button("Play Level");
    auto* test_play = top<Main_game_screen>();
    ASSERT_NE(nullptr, test_play);
    EXPECT_EQ(Editor_play_mode, test_play->get_mode());
    EXPECT_EQ(Core::Running, core->get_game_state());

    driver->step_frames(10);
    driver->press_key(Qt::Key_Escape);
    EXPECT_EQ(Screen::Closing, pause->get_state());
    driver->step_frames(70);
    std::vector<Screen*> const stack = viewer->get_screens().screens();
    ASSERT_EQ(1u, stack.size()) << "the closing editor and pause are gone";
    EXPECT_EQ(test_play, stack[0]);
    EXPECT_EQ(Screen::Shown, test_play->get_state());
}

TEST_F(Editor_pause_test, a_designers_round_trip_keeps_the_level_through_saving_loading_and_a_test_play)
{
    open_sandbox();
    // Nothing moves while the level is built and compared.
    driver->set_physics_step(0.f);
    std::vector<std::pair<std::string, Eigen::Vector2f>> const placements{{"Box_barrier", {-28.f, 8.f}},
                                                                          {"Brownian_box", {-12.f, -8.f}},
                                                                          {"Box_portal", {4.f, 8.f}},
                                                                          {"Sphere_portal", {20.f, -10.f}},
                                                                          {"Molecule_releaser", {30.f, 10.f}},
                                                                          {"Charged_barrier", {-4.f, -10.f}},
                                                                          {"Tractor_barrier", {12.f, 10.f}},
                                                                          {"H2O", {-20.f, 0.f}},
                                                                          {"Na", {0.f, 0.f}},
                                                                          {"Cl", {16.f, 2.f}}};
    for (auto const& [name, at] : placements)
    {
        click_palette(name);
        Capture_stdout quiet;
        driver->click(name.size() <= 3 ? middle_pixel(at.x(), at.y()) : floor_pixel(at.x(), at.y()));
    }
    set_slider_exactly("Temperature", 10.f);
    set_slider_exactly("Gravity", 2.5f);
    click_text("Show Adv. Options");
    set_slider_exactly("Game Field Width", 120.f);
    for (char const* kind : {"Tractor_barrier", "Tractor_barrier", "Brownian_box"})
    {
        Capture_stdout quiet;
        driver->click(screen_point(count_spinbox(kind).get_up_handle()));
    }
    std::vector<std::string> const built = kinds();
    ASSERT_EQ(6u + 7u, built.size());
    ASSERT_EQ(3u, level()._molecules.size());
    std::map<std::string, int> const counts = level()._available_elements;
    ASSERT_EQ(2, counts.at("Tractor_barrier"));

    driver->step_frame(); // a step, though of no time, works out what the molecules are
    pause_editor();
    click_menu_button("Save Level", Qt::ControlModifier);
    std::string const first_save = read_text(state_file().toStdString());
    click_menu_button("Continue");
    driver->step_frames(70);
    dialogs.answers = {true};
    click_text("Clear");
    ASSERT_EQ(6u, level()._level_elements.size());

    pause_editor();
    click_menu_button("Load Level", Qt::ControlModifier);
    EXPECT_EQ(built, kinds()) << "heating boxes and tractors included";
    EXPECT_EQ(3u, level()._molecules.size());
    EXPECT_EQ(counts, level()._available_elements);
    EXPECT_FLOAT_EQ(10.f, level().get_parameters()["Temperature"]->get_value<float>());
    EXPECT_FLOAT_EQ(2.5f, level().get_parameters()["gravity"]->get_value<float>());
    EXPECT_FLOAT_EQ(120.f, level().get_parameters()["Game Field Width"]->get_value<float>());

    // A test play, and back: the same level. Time stands still here, as a
    // tractor's flying particles are kept with a level.
    std::list<Molecule> const designed = level()._molecules;
    auto const test_play = [this](float step, int frames) {
        driver->set_physics_step(step);
        click_menu_button("Play Level");
        auto* played = top<Main_game_screen>();
        ASSERT_NE(nullptr, played);
        ASSERT_EQ(4u, played->get_buttons().size()) << "the heating box, the tractors, the camera and the speed";
        driver->step_frames(frames);
        ASSERT_EQ(Core::Running, core->get_game_state()) << "the test play goes on";
        Editor_pause_screen* pause = pause_editor();
        ASSERT_NE(nullptr, pause);
        EXPECT_EQ((std::vector<std::string>{"Return to Editor"}), button_texts());
        EXPECT_FLOAT_EQ(0.85f, pause->get_buttons()[0]->get_position().y());
        driver->set_physics_step(0.f);
        click_menu_button("Return to Editor");
        editor = top<Editor_screen>();
        ASSERT_NE(nullptr, editor);
        EXPECT_EQ(Core::Not_running, core->get_game_state());
        EXPECT_EQ(nullptr, viewer->camera()->frame()->constraint()) << "the editor's camera is free";
        driver->step_frames(70);
        ASSERT_EQ(1u, viewer->get_screens().size());
    };
    test_play(0.f, 70);
    pause_editor();
    click_menu_button("Save Level", Qt::ControlModifier);
    EXPECT_TRUE(first_save == read_text(state_file().toStdString())) << "the second save differs from the first";

    // With time running the releaser releases; back in the editor only the
    // designer's molecules are there, where they were placed.
    test_play(Game_driver::default_physics_step, 90);
    EXPECT_EQ(built, kinds());
    ASSERT_EQ(designed.size(), level()._molecules.size());
    auto placed = designed.begin();
    for (Molecule const& molecule : level()._molecules) expect_near((placed++)->_x, molecule._x);
    EXPECT_EQ(counts, level()._available_elements);
}

TEST_F(Editor_pause_test, every_molecule_placed_or_loaded_is_in_the_test_play)
{
    open_sandbox();
    driver->set_physics_step(0.f);
    click_palette("Box_portal");
    {
        Capture_stdout quiet;
        driver->click(floor_pixel(30.f, 0.f));
    }
    set_molecules_per_click("H2O", 20);
    click_palette("H2O");
    {
        Capture_stdout quiet;
        driver->click(middle_pixel(-20.f, 0.f));
    }
    ASSERT_EQ(20u, level()._molecules.size());

    auto const play_and_count = [this] {
        click_menu_button("Play Level");
        EXPECT_NE(nullptr, top<Main_game_screen>());
        EXPECT_EQ(Core::Running, core->get_game_state());
        driver->step_frames(70);
        size_t const played = level()._molecules.size();
        pause_editor();
        click_menu_button("Return to Editor");
        editor = top<Editor_screen>();
        driver->step_frames(70);
        return played;
    };
    pause_editor();
    EXPECT_EQ(20u, play_and_count()) << "placed";
    EXPECT_EQ(20u, level()._molecules.size()) << "back in the editor";

    pause_editor();
    click_menu_button("Save Level", Qt::ControlModifier);
    click_menu_button("Load Level", Qt::ControlModifier);
    ASSERT_EQ(20u, level()._molecules.size());
    EXPECT_EQ(20u, play_and_count()) << "saved and loaded";
}
