#include "Menu_test.h"
#include "Won_level.h"

#include "screens/results/Finished_run.h"
#include "screens/results/Statistics_replay.h"
#include "screens/results/Statistics_screen.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_statistics.h"

#include "support/Vector_expect.h"

namespace
{

class Statistics_screen_test : public Menu_test
{
protected:
    // A won run with captures spread over its time.
    Score won_run(std::vector<float> const& captures)
    {
        win_level(*core, captures);
        Score score;
        score.sensor_data = core->get_sensor_data();
        score.calculate(core->get_level_data()._score_time_factor, int(captures.size()));
        return score;
    }

    Statistics_screen* open(Score const& score)
    {
        previous = push_screen("after finish");
        previous->hide();
        Statistics_screen* screen = nullptr;
        {
            Capture_stdout quiet;
            screen = new Statistics_screen(viewer.get(), core.get(), previous, &score);
        }
        viewer->add_screen(screen);
        return screen;
    }

    Recording_screen* previous = nullptr;
};

TEST_F(Statistics_screen_test, each_popup_flashes_up_on_the_curve_as_the_drawing_passes_its_capture)
{
    Score const score = won_run({1.f, 3.f, 3.5f, 6.f});
    ASSERT_EQ(score.score_at_time.size(), 4u);
    Statistics_screen* screen = open(score);
    ASSERT_EQ(screen->get_plots().size(), 4u);
    EXPECT_EQ(screen->get_plots()[0]->get_text(), "Collected Molecules");
    EXPECT_EQ(screen->get_plots()[3]->get_text(), "Energy Consumption");
    ASSERT_EQ(screen->get_popups().size(), 4u);
    for (auto const& plot : screen->get_plots()) EXPECT_NE(plot->get_texture(), 0u);

    Draggable_statistics const& collected = *screen->get_plots()[0];
    Polyline const& curve = collected.get_particles().get_curve();
    std::vector<Eigen::Vector3f> const places = [&] {
        std::vector<Eigen::Vector3f> result;
        for (auto const& popup : screen->get_popups()) result.push_back(popup->get_position());
        return result;
    }();

    std::vector<int> first_seen(places.size(), -1);
    float drawn_before = 0.f;
    for (int frame = 0; frame < 700; ++frame)
    {
        step_frames(1);
        // Where the curve's drawing has got to, as a fraction of the plot's x.
        float const drawn = curve.point_at(collected.get_particles().get_time() / collected.get_duration()).x();
        for (size_t i = 0; i < places.size(); ++i)
        {
            if (first_seen[i] >= 0 || screen->get_popups()[i]->get_alpha() <= 0.f) continue;
            first_seen[i] = frame;
            float const x = score.score_at_time[i].first / score.full_time;
            EXPECT_GE(drawn + 1e-4f, x) << "pop-up " << i << " came before the curve reached it";
            EXPECT_LT(drawn_before, x + 1e-4f) << "pop-up " << i << " came a frame late";
            // Its place is the curve's point there, in the plot's inner area.
            Eigen::Vector3f const on_curve = curve.point_at_x(x);
            expect_near(plot_area_point(collected.get_position(), collected.get_size(), on_curve.head<2>()), places[i],
                        1e-4f);
        }
        drawn_before = drawn;
    }
    for (size_t i = 0; i < places.size(); ++i) EXPECT_GE(first_seen[i], 0) << i;

    // After the replay: the totals stay, every pop-up has floated up and faded.
    EXPECT_EQ(screen->get_capture_score_label().get_text(), result_digits(score.final_score));
    EXPECT_EQ(screen->get_energy_label().get_text(), result_digits(score._energy_bonus));
    for (size_t i = 0; i < places.size(); ++i)
    {
        EXPECT_EQ(screen->get_popups()[i]->get_alpha(), 0.f);
        expect_near(places[i] + Eigen::Vector3f(0.f, 0.05f, 0.f), screen->get_popups()[i]->get_position(), 1e-5f);
    }
}

TEST_F(Statistics_screen_test, repeat_replays_from_the_start_and_back_shows_the_previous_screen)
{
    Score const score = won_run({0.5f, 1.f});
    Statistics_screen* screen = open(score);
    step_frames(400);
    ASSERT_NE(screen->get_capture_score_label().get_text(), "0000000");

    {
        Capture_stdout quiet;
        click(*screen, "Repeat");
    }
    EXPECT_EQ(screen->get_time(), 0.f);
    EXPECT_EQ(screen->get_capture_score_label().get_text(), "0000000");
    for (auto const& plot : screen->get_plots()) EXPECT_EQ(plot->get_time(), 0.f);
    for (auto const& popup : screen->get_popups()) EXPECT_EQ(popup->get_alpha(), 0.f);
    step_frames(700);
    EXPECT_EQ(screen->get_capture_score_label().get_text(), result_digits(score.final_score));

    {
        Capture_stdout quiet;
        click(*screen, "Back");
    }
    EXPECT_EQ(previous->get_state(), Screen::Fading_in);
    EXPECT_EQ(screen->get_state(), Screen::Closing);
}

TEST_F(Statistics_screen_test, a_damaged_stored_run_still_gets_four_plots_and_its_energy_bonus)
{
    // Two series only, and no running score, as a loaded run has none.
    Score stored;
    stored.sensor_data._data = {{0.f, 1.f, 1.f, 2.f}, {3.f, 3.f, 3.f, 3.f}};
    stored.full_time = 0.8f;
    stored.final_score = 1000000;
    stored._energy_bonus = 431200;
    stored.score_at_time = {{0.2f, 500000}, {0.6f, 500000}};
    Statistics_screen* screen = open(stored);
    ASSERT_EQ(screen->get_plots().size(), 4u);
    EXPECT_TRUE(screen->get_plots()[1]->has_data());
    EXPECT_FALSE(screen->get_plots()[2]->has_data());
    step_frames(700);
    frame(); // draws without the missing series
    EXPECT_EQ(screen->get_energy_label().get_text(), "0431200");
    EXPECT_EQ(screen->get_capture_score_label().get_text(), "1000000");
}

TEST_F(Statistics_screen_test, a_run_without_captures_shows_no_popups)
{
    Score empty;
    empty.sensor_data._data = {{0.f, 0.f}, {1.f, 1.f}, {2.f, 2.f}, {0.f, 0.f}};
    empty.full_time = 0.4f;
    Statistics_screen* screen = open(empty);
    EXPECT_TRUE(screen->get_popups().empty());
    step_frames(700);
    EXPECT_EQ(screen->get_capture_score_label().get_text(), "0000000");
}

} // namespace
