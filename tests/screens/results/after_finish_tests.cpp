#include "Menu_test.h"
#include "Won_level.h"

#include "screens/editor/Editor_screen.h"
#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/results/After_finish_screen.h"
#include "screens/results/Finished_run.h"
#include "screens/results/Statistics_screen.h"
#include "widgets/Draggable_button.h"

#include <QFile>
#include <QGLViewer/manipulatedCameraFrame.h>

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{

int const level_3 = 5;

class After_finish_test : public Menu_test
{
protected:
    // Wins a level in place of the given campaign level and opens the screen over it.
    After_finish_screen* finish(int game_mode, int level = level_3,
                                std::vector<float> const& captures = {1.f, 2.5f, 4.f})
    {
        {
            Capture_stdout quiet;
            core->load_level(level);
        }
        win_level(*core, captures);
        EXPECT_EQ(core->get_game_state(), Core::Finished);
        After_finish_screen* screen = nullptr;
        init_output = printed([&] { screen = new After_finish_screen(viewer.get(), core.get(), game_mode); });
        viewer->add_screen(screen);
        return screen;
    }

    // Steps until the title has arrived and the count-up has begun.
    int frames_until_count_up(After_finish_screen& screen)
    {
        int frames = 0;
        while (!screen.is_counting_up() && frames < 200)
        {
            step_frames(1);
            ++frames;
        }
        return frames;
    }

    static std::vector<std::string> visible_buttons(Menu_screen const& menu)
    {
        std::vector<std::string> texts;
        for (auto const& button : menu.get_buttons())
            if (button->is_visible()) texts.push_back(button->get_text());
        return texts;
    }

    static int number(Draggable_label const& label) { return std::stoi(label.get_text()); }

    bool progress_file_exists() const { return QFile::exists(QString::fromStdString(data->path("progress.data"))); }

    std::string init_output;
};

TEST_F(After_finish_test, the_score_counts_up_after_the_labels_have_slid_in_and_then_the_buttons_appear)
{
    core->progress.last_level = 7;
    After_finish_screen* screen = finish(Game_mode);
    Score const& score = screen->get_score();
    EXPECT_EQ(score.num_molecules_to_capture, 3);
    ASSERT_EQ(score.score_at_time.size(), 3u);
    EXPECT_GT(score.final_score, 0);
    EXPECT_EQ(score._energy_bonus, 500000);
    EXPECT_TRUE(screen->has_flag(Screen::Blocks_input));
    EXPECT_EQ(visible_buttons(*screen), std::vector<std::string>{});
    EXPECT_EQ(screen->get_labels()[0]->get_position(), Eigen::Vector3f(0.5f, 1.3f, 0.f));

    int const sliding = frames_until_count_up(*screen);
    EXPECT_NEAR(sliding, 63, 1);
    EXPECT_EQ(screen->get_labels()[0]->get_position(), Eigen::Vector3f(0.5f, 0.8f, 0.f));
    EXPECT_EQ(screen->get_portal_score_label().get_position(), Eigen::Vector3f(0.25f, 0.5f, 0.f));
    EXPECT_EQ(screen->get_portal_score_label().get_text(), "0000000");

    // Half-way through the three seconds, half the numbers, within a frame.
    int const frames = 94;
    step_frames(frames);
    float const before = (frames - 1) * Screen::frame_period / 3.f;
    float const after = (frames + 1) * Screen::frame_period / 3.f;
    EXPECT_GE(number(screen->get_portal_score_label()), int(score.final_score * before));
    EXPECT_LE(number(screen->get_portal_score_label()), int(score.final_score * after));
    EXPECT_GE(number(screen->get_energy_bonus_label()), int(500000 * before));
    EXPECT_LE(number(screen->get_energy_bonus_label()), int(500000 * after));
    EXPECT_EQ(screen->get_energy_bonus_label().get_text().size(), 7u);
    EXPECT_EQ(visible_buttons(*screen), std::vector<std::string>{});
    EXPECT_TRUE(screen->get_particles().get_particles().empty());

    step_frames(100);
    EXPECT_FALSE(screen->is_counting_up());
    EXPECT_EQ(number(screen->get_portal_score_label()), score.final_score);
    EXPECT_EQ(screen->get_energy_bonus_label().get_text(), "0500000");
    EXPECT_FALSE(screen->get_particles().get_particles().empty());
    EXPECT_EQ(screen->get_particles().get_duration(), 3.f);
    EXPECT_EQ(visible_buttons(*screen),
              (std::vector<std::string>{"Next Level", "Back to Main Menu", "Show Statistics"}));
}

TEST_F(After_finish_test, a_game_run_joins_the_progress_file_and_only_a_better_one_is_a_highscore)
{
    core->progress.last_level = level_3;
    After_finish_screen* first = finish(Game_mode);
    EXPECT_THAT(init_output, HasSubstr("After_finish_screen::init new highscore"));
    EXPECT_EQ(core->progress.last_level, level_3 + 1);

    Progress saved;
    {
        Capture_stdout quiet;
        saved = load_progress_file(data->path("progress.data"));
    }
    EXPECT_EQ(saved.last_level, level_3 + 1);
    ASSERT_EQ(saved.scores["Level 3"].size(), 1u);
    Score const& stored = saved.scores["Level 3"][0];
    Score const& run = first->get_score();
    EXPECT_EQ(stored.final_score, run.final_score);
    EXPECT_EQ(stored.full_time, run.full_time);
    EXPECT_EQ(stored.score_at_time, run.score_at_time);
    EXPECT_EQ(stored.penalty_at_time, run.penalty_at_time);
    EXPECT_FALSE(stored.penalty_at_time.empty());
    EXPECT_EQ(stored._energy_bonus, run._energy_bonus);
    EXPECT_EQ(stored._penalty, run._penalty);
    EXPECT_EQ(stored.num_molecules_to_capture, 3);
    EXPECT_EQ(stored.sensor_data._data, run.sensor_data._data);
    EXPECT_EQ(stored.sensor_data._data.size(), 4u);

    // The same run again scores the same: no highscore, but it is kept.
    finish(Game_mode);
    EXPECT_THAT(init_output, Not(HasSubstr("new highscore")));
    ASSERT_EQ(core->progress.scores["Level 3"].size(), 2u);
    EXPECT_EQ(core->progress.last_level, level_3 + 1) << "a replay unlocks no further level";
    // A slower one neither.
    finish(Game_mode, level_3, {1.f, 2.5f, 70.f});
    EXPECT_THAT(init_output, Not(HasSubstr("new highscore")));
    EXPECT_EQ(core->progress.scores["Level 3"].size(), 3u);
}

TEST_F(After_finish_test, a_level_played_from_the_editor_leaves_the_progress_alone_and_goes_back_or_again)
{
    data->copy_all_from_game(); // what the editor shows
    core->progress.last_level = 2;
    After_finish_screen* screen = finish(Editor_play_mode);
    EXPECT_THAT(init_output, Not(HasSubstr("new highscore")));
    EXPECT_EQ(core->progress.last_level, 2);
    EXPECT_TRUE(core->progress.scores.empty());
    EXPECT_FALSE(progress_file_exists());

    frames_until_count_up(*screen);
    step_frames(190);
    ASSERT_EQ(visible_buttons(*screen), (std::vector<std::string>{"Play Again", "Back to Editor", "Show Statistics"}));

    {
        Capture_stdout quiet;
        core->set_simulation_state(true);
        click(*screen, "Back to Editor");
    }
    EXPECT_EQ(viewer->camera()->frame()->constraint(), nullptr);
    EXPECT_FALSE(core->get_simulation_state());
    EXPECT_EQ(core->get_current_time(), 0.f);
    EXPECT_EQ(core->get_game_state(), Core::Not_running) << "the level played is over";
    EXPECT_NE(dynamic_cast<Editor_screen*>(viewer->get_screens().screens().front()), nullptr);
    EXPECT_EQ(screen->get_state(), Screen::Closing);

    screen = finish(Editor_play_mode);
    frames_until_count_up(*screen);
    step_frames(190);
    {
        Capture_stdout quiet;
        click(*screen, "Play Again");
    }
    EXPECT_EQ(core->get_game_state(), Core::Running);
    EXPECT_TRUE(core->get_level_data()._molecules.empty());
    EXPECT_EQ(screen->get_state(), Screen::Closing);
    core->set_simulation_state(false);
}

TEST_F(After_finish_test, after_the_last_level_there_is_no_next_level)
{
    int const last = int(core->get_level_names().size()) - 1;
    core->progress.last_level = last;
    After_finish_screen* screen = finish(Game_mode, last);
    EXPECT_EQ(core->progress.last_level, last + 1);
    frames_until_count_up(*screen);
    step_frames(190);
    EXPECT_EQ(visible_buttons(*screen), (std::vector<std::string>{"Back to Main Menu", "Show Statistics"}));

    // Nor after replaying it from the picker with levels still to finish.
    core->progress.last_level = 2;
    After_finish_screen* replay = finish(Game_mode, last);
    frames_until_count_up(*replay);
    step_frames(190);
    EXPECT_EQ(visible_buttons(*replay), (std::vector<std::string>{"Back to Main Menu", "Show Statistics"}));
}

TEST_F(After_finish_test, the_buttons_lead_on_and_the_total_flies_apart)
{
    After_finish_screen* screen = finish(Game_mode);
    frames_until_count_up(*screen);
    step_frames(190);

    {
        Capture_stdout quiet;
        click(*screen, "Show Statistics");
    }
    Statistics_screen* statistics = top<Statistics_screen>();
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(&statistics->get_score(), &screen->get_score());
    EXPECT_EQ(screen->get_state(), Screen::Fading_out);
    for (Targeted_particle const& particle : screen->get_particles().get_particles())
        ASSERT_NE(particle.target.norm(), 1.5f); // still on the digits
    step_frames(63);
    {
        Capture_stdout quiet;
        click(*statistics, "Back");
    }
    EXPECT_EQ(screen->get_state(), Screen::Fading_in);
    step_frames(63);

    {
        Capture_stdout quiet;
        click(*screen, "Next Level");
    }
    EXPECT_EQ(core->get_current_level(), level_3 + 1);
    ASSERT_NE(top<Before_start_screen>(), nullptr);
    EXPECT_EQ(screen->get_state(), Screen::Closing);
    for (Targeted_particle const& particle : screen->get_particles().get_particles())
        ASSERT_NEAR(particle.target.norm(), 1.5f, 1e-4f);

    After_finish_screen* another = finish(Game_mode);
    frames_until_count_up(*another);
    step_frames(190);
    {
        Capture_stdout quiet;
        click(*another, "Back to Main Menu");
    }
    ASSERT_NE(top<Main_menu_screen>(), nullptr);
    EXPECT_EQ(another->get_state(), Screen::Closing);
}

} // namespace
