#include "Menu_test.h"

#include "foundation/Parameter.h"
#include "screens/editor/Editor_screen.h"
#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "simulation/Progress.h"
#include "widgets/Draggable_button.h"

#include <QFile>

#include <gtest/gtest.h>

namespace
{

QString const warning_text = "You haven't finished the game levels yet. Using the sandbox might need knowledge "
                             "gained during those levels.\nStart the sandbox anyway?";

class Main_menu_test : public Menu_test
{
protected:
    void SetUp() override
    {
        Menu_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        level_count = int(core->get_level_names().size());
        ASSERT_EQ(level_count, 11);
    }

    Main_menu_screen* show_main_menu()
    {
        Capture_stdout quiet;
        return show(new Main_menu_screen(viewer.get(), core.get()));
    }

    void press(Menu_screen const& menu, std::string const& button_text)
    {
        Capture_stdout quiet;
        click(menu, button_text);
    }

    Parameter& max_force() { return *core->get_parameters()["max_force"]; }

    // Whether the before-start screen was on top, and the max_force value, at
    // every level_changed.
    struct Level_change
    {
        bool before_start_on_top;
        float max_force;
    };
    void record_level_changes()
    {
        QObject::connect(core.get(), &Core::level_changed, viewer.get(), [this] {
            changes.push_back({top<Before_start_screen>() != nullptr, max_force().get_value<float>()});
        });
    }

    std::string progress_file() const { return data->path("progress.data"); }

    int level_count = 0;
    std::vector<Level_change> changes;
};

float default_max_force(Core& core)
{
    Capture_stdout quiet;
    core.load_default_simulation_settings();
    return core.get_parameters()["max_force"]->get_value<float>();
}

TEST_F(Main_menu_test, start_new_game_resets_the_progress_loads_the_first_level_and_shows_its_name)
{
    float const defaults = default_max_force(*core);
    max_force().set_value_no_update(defaults + 7.f);
    core->progress.last_level = 6;
    {
        Capture_stdout quiet;
        core->load_level(4);
    }
    Main_menu_screen* menu = show_main_menu();
    record_level_changes();

    dialogs.answers = {true};
    press(*menu, "Start New Game");
    ASSERT_EQ(1u, dialogs.calls.size()) << "a campaign in progress is not given up unasked";
    EXPECT_EQ("ask_yes_no", dialogs.calls[0].kind);
    EXPECT_EQ("Start New Game", dialogs.calls[0].title);
    EXPECT_EQ(core->progress.last_level, 0);
    EXPECT_EQ(core->get_current_level(), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(progress_file()))); // only in memory
    Before_start_screen* before = top<Before_start_screen>();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(menu->get_state(), Screen::Closing);
    EXPECT_EQ(before->get_state(), Screen::Fading_in);
    // The default settings are in place when the level loads, and the menu tells
    // of the level once the before-start screen is up.
    ASSERT_GE(changes.size(), 2u);
    EXPECT_EQ(changes.front().max_force, defaults);
    EXPECT_TRUE(changes.back().before_start_on_top);
    EXPECT_FALSE(changes.front().before_start_on_top);
    // The title flies apart.
    for (Targeted_particle const& particle : menu->get_title().get_particles())
        ASSERT_NEAR(particle.speed.norm(), 1.5f, 1e-4f);
    EXPECT_FALSE(menu->get_title().get_particles().empty());
}

TEST_F(Main_menu_test, a_new_game_refused_at_the_question_keeps_the_campaign_and_the_menu)
{
    core->progress.last_level = 5;
    Main_menu_screen* menu = show_main_menu();
    press(*menu, "Start New Game");
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ(5, core->progress.last_level);
    EXPECT_EQ(menu, top<Main_menu_screen>());
    EXPECT_EQ(nullptr, top<Before_start_screen>());

    core->progress.last_level = 0;
    press(*menu, "Start New Game");
    EXPECT_EQ(1u, dialogs.calls.size()) << "nothing to lose: no question";
    EXPECT_NE(nullptr, top<Before_start_screen>());
}

TEST_F(Main_menu_test, continue_loads_the_level_reached_before_the_default_settings)
{
    float const defaults = default_max_force(*core);
    max_force().set_value_no_update(defaults + 7.f);
    core->progress.last_level = 5;
    Main_menu_screen* menu = show_main_menu();
    record_level_changes();

    press(*menu, "Continue Game");
    EXPECT_EQ(core->get_current_level(), 5);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front().max_force, defaults + 7.f);
    EXPECT_EQ(max_force().get_value<float>(), defaults);
    ASSERT_NE(top<Before_start_screen>(), nullptr);
    EXPECT_EQ(menu->get_state(), Screen::Closing);
}

TEST_F(Main_menu_test, a_damaged_negative_last_level_continues_with_the_first_level)
{
    {
        Capture_stdout quiet;
        core->load_level(7);
    }
    core->progress.last_level = -4;
    Main_menu_screen* menu = show_main_menu();
    press(*menu, "Continue Game");
    EXPECT_EQ(core->get_current_level(), 0);
    ASSERT_NE(top<Before_start_screen>(), nullptr);
}

TEST_F(Main_menu_test, the_before_start_screen_starts_the_level_or_goes_back_to_the_main_menu)
{
    {
        Capture_stdout quiet;
        core->load_level(3);
    }
    Before_start_screen* before = nullptr;
    {
        Capture_stdout quiet;
        before = show(new Before_start_screen(viewer.get(), core.get()));
    }
    EXPECT_TRUE(before->has_flag(Screen::Blocks_input));
    EXPECT_EQ(before->get_title().get_duration(), 3.f);
    EXPECT_FALSE(before->get_title().get_particles().empty());

    press(*before, "Back to Main Menu");
    Main_menu_screen* menu = top<Main_menu_screen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(before->get_state(), Screen::Closing);
    EXPECT_EQ(core->get_game_state(), Core::Not_running);
    step_frames(63);

    press(*menu, "Continue Game");
    Before_start_screen* again = top<Before_start_screen>();
    ASSERT_NE(again, nullptr);
    step_frames(63);
    press(*again, "Start Level");
    EXPECT_EQ(core->get_game_state(), Core::Running);
    EXPECT_TRUE(core->get_simulation_state());
    EXPECT_EQ(again->get_state(), Screen::Closing);
    core->set_simulation_state(false);
}

TEST_F(Main_menu_test, the_sandbox_warning_asks_once_and_is_remembered_when_accepted)
{
    data->copy_all_from_game(); // what the editor shows
    core->progress.last_level = 3;
    Main_menu_screen* menu = show_main_menu();

    dialogs.answers = {false};
    press(*menu, "Sandbox");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, "ask_yes_no");
    EXPECT_EQ(dialogs.calls[0].title, "Starting Sandbox");
    EXPECT_EQ(dialogs.calls[0].text, warning_text);
    EXPECT_FALSE(core->progress.sandbox_warning_seen);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(progress_file())));
    EXPECT_EQ(menu->get_state(), Screen::Shown);
    EXPECT_EQ(top<Main_menu_screen>(), menu);

    dialogs.answers = {true};
    press(*menu, "Sandbox");
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_TRUE(core->progress.sandbox_warning_seen);
    EXPECT_NE(top<Editor_screen>(), nullptr);
    EXPECT_EQ(menu->get_state(), Screen::Closing);
    Progress saved;
    {
        Capture_stdout quiet;
        saved = load_progress_file(progress_file());
    }
    EXPECT_TRUE(saved.sandbox_warning_seen);
    EXPECT_EQ(saved.last_level, 3);

    menu = show_main_menu();
    press(*menu, "Sandbox");
    EXPECT_EQ(dialogs.calls.size(), 2u);
}

TEST_F(Main_menu_test, with_every_level_finished_or_more_the_sandbox_asks_nothing)
{
    data->copy_all_from_game();
    for (int last : {11, 25})
    {
        core->progress.last_level = last;
        Main_menu_screen* menu = show_main_menu();
        press(*menu, "Sandbox");
        EXPECT_TRUE(dialogs.calls.empty()) << last;
        EXPECT_FALSE(core->progress.sandbox_warning_seen);
        EXPECT_NE(top<Editor_screen>(), nullptr) << last;
    }
}

TEST_F(Main_menu_test, quit_saves_the_progress_and_ends_the_event_loop)
{
    core->progress.last_level = 2;
    core->progress.sandbox_warning_seen = true;
    Main_menu_screen* menu = show_main_menu();
    EXPECT_TRUE(run_until_quit([&] { press(*menu, "Quit"); }));
    EXPECT_FALSE(viewer->isVisible());

    Progress saved;
    {
        Capture_stdout quiet;
        saved = load_progress_file(progress_file());
    }
    EXPECT_EQ(saved.last_level, 2);
    EXPECT_TRUE(saved.sandbox_warning_seen);
}

} // namespace
