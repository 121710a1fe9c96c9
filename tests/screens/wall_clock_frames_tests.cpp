// The screens' time against a wall clock the test controls: every animation
// frame runs the fixed steps the clock has passed, so fades and the result
// screen's count last what they are meant to whatever the frame rate.

#include "Menu_test.h"
#include "Won_level.h"

#include "screens/play/Play_mode.h"
#include "screens/results/After_finish_screen.h"
#include "widgets/Draggable_button.h"

#include <gtest/gtest.h>

namespace
{

int const level_3 = 5;

class Wall_clock_frames_test : public Menu_test
{
protected:
    void SetUp() override
    {
        Menu_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        viewer->set_wall_clock([this] { return now; });
        frame_after(0.0);
    }

    // One animation frame, `seconds` of wall clock after the last.
    void frame_after(double seconds)
    {
        now += seconds;
        Capture_stdout quiet;
        viewer->animate();
    }

    // The wall clock that passes at `fps` frames a second until the condition
    // holds (a minute at most).
    double seconds_until(double fps, std::function<bool()> const& done)
    {
        double const start = now;
        while (!done() && now - start < 60.0) frame_after(1.0 / fps);
        return now - start;
    }

    double now = 1000.0;
};

TEST_F(Wall_clock_frames_test, a_one_second_fade_lasts_about_a_second_of_wall_clock_at_any_frame_rate)
{
    struct Case
    {
        double fps;
        double at_most;
    };
    for (Case const& rate : {Case{60.0, 1.2}, Case{30.0, 1.2}, Case{15.0, 1.2}, Case{10.0, 1.6}})
    {
        Screen* screen = push_screen("fading");
        double const taken = seconds_until(rate.fps, [&] { return screen->get_state() == Screen::Shown; });
        EXPECT_LE(taken, rate.at_most + 1e-6) << rate.fps << " frames a second";
        EXPECT_GE(taken, 0.9) << rate.fps << " frames a second";
        screen->kill();
        seconds_until(rate.fps, [&] { return viewer->get_screens().empty(); });
    }
}

TEST_F(Wall_clock_frames_test, a_late_frame_moves_a_fade_by_four_steps_at_most_and_the_steps_stay_nominal)
{
    Screen* screen = push_screen("fading");
    for (int frame = 0; frame < 10; ++frame) frame_after(1.0 / 60.0);
    // Ten frames a period apart, each a step of exactly the period.
    EXPECT_NEAR(screen->get_progress(), 10 * Screen::frame_period, 1e-5);

    float const before = screen->get_progress();
    frame_after(0.2);
    EXPECT_NEAR(screen->get_progress() - before, 4 * Screen::frame_period, 1e-5);

    // What the late frame held back is not made up afterwards.
    frame_after(1.0 / 60.0);
    EXPECT_NEAR(screen->get_progress() - before, 5 * Screen::frame_period, 1e-5);

    // Frames that come early or late by a little still run one step each; the
    // 63rd step completes the fade.
    int frames = 0;
    while (screen->get_state() != Screen::Shown && frames < 100) frame_after(frames++ % 2 ? 0.014 : 0.018);
    EXPECT_EQ(frames, 63 - 15);
}

TEST_F(Wall_clock_frames_test, the_result_screen_counts_its_score_within_its_time_and_a_fifth_at_any_frame_rate)
{
    // The labels slide in for a second, then the score counts for three.
    double const nominal = 1.0 + 3.0;
    for (double const fps : {60.0, 30.0, 15.0})
    {
        {
            Capture_stdout quiet;
            core->load_level(level_3);
        }
        win_level(*core, {1.f, 2.5f});
        After_finish_screen* screen = nullptr;
        printed([&] { screen = new After_finish_screen(viewer.get(), core.get(), Game_mode); });
        viewer->add_screen(screen);
        auto const buttons_shown = [&] {
            for (auto const& button : screen->get_buttons())
                if (button->is_visible()) return true;
            return false;
        };
        double const taken = seconds_until(fps, buttons_shown);
        EXPECT_LE(taken, nominal * 1.2) << fps << " frames a second";
        EXPECT_GE(taken, nominal * 0.9) << fps << " frames a second";
        screen->kill();
        seconds_until(fps, [&] { return viewer->get_screens().empty(); });
    }
}

} // namespace
