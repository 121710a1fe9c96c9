#include "Recording_screen.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

float const dt = Screen::frame_period;

void step(Screen& screen, int frames)
{
    for (int i = 0; i < frames; ++i) screen.update_state(dt);
}

// Counts its triggers; done on the given one. Reports its own deletion.
class Counting_event : public Event
{
public:
    Counting_event(std::string name, int triggers_to_finish, std::vector<std::string>& log)
        : name(std::move(name)), remaining(triggers_to_finish), log(log)
    {
    }
    ~Counting_event() override { log.push_back(name + " deleted"); }

    bool trigger() override
    {
        log.push_back(name + " triggered");
        if (during_trigger) during_trigger();
        return --remaining <= 0;
    }

    std::string name;
    int remaining;
    std::vector<std::string>& log;
    std::function<void()> during_trigger;
};

struct Screen_fade : ::testing::Test
{
    std::vector<std::string> log;
    Recording_screen screen{"s", log};
};

} // namespace

TEST_F(Screen_fade, a_new_screen_is_shown_on_the_63rd_frame_with_one_change_event)
{
    EXPECT_EQ(screen.get_state(), Screen::Fading_in);
    EXPECT_EQ(screen.get_progress(), 0.f);

    step(screen, 62);
    EXPECT_EQ(screen.get_state(), Screen::Fading_in);
    EXPECT_NEAR(screen.get_progress(), 0.992f, 1e-4f);
    EXPECT_TRUE(screen.state_changes.empty());

    step(screen, 1);
    EXPECT_EQ(screen.get_state(), Screen::Shown);
    EXPECT_EQ(screen.get_progress(), 0.f);
    ASSERT_EQ(screen.state_changes.size(), 1u);
    EXPECT_EQ(screen.state_changes[0], std::make_pair(int(Screen::Shown), int(Screen::Fading_in)));

    // Shown stands still, but the screen's own update runs on every frame.
    log.clear();
    step(screen, 100);
    EXPECT_EQ(screen.get_state(), Screen::Shown);
    EXPECT_EQ(screen.state_changes.size(), 1u);
    EXPECT_EQ(log.size(), 100u);
}

TEST_F(Screen_fade, hide_and_show_reverse_the_fade_from_the_current_opacity)
{
    for (int i = 0; i < 19; ++i) screen.update_state(dt);
    float const opacity = screen.get_progress(); // about 0.3
    screen.hide();
    EXPECT_EQ(screen.get_state(), Screen::Fading_out);
    EXPECT_FLOAT_EQ(1.f - screen.get_progress(), opacity);

    screen.show();
    EXPECT_EQ(screen.get_state(), Screen::Fading_in);
    EXPECT_FLOAT_EQ(screen.get_progress(), opacity);

    // From Shown the fade-out starts at full opacity and ends Hidden.
    step(screen, 63);
    ASSERT_EQ(screen.get_state(), Screen::Shown);
    screen.hide();
    EXPECT_EQ(screen.get_progress(), 0.f);
    step(screen, 63);
    EXPECT_EQ(screen.get_state(), Screen::Hidden);
    EXPECT_EQ(screen.state_changes.back(), std::make_pair(int(Screen::Hidden), int(Screen::Fading_out)));

    // Show on a shown or fading-in screen changes nothing.
    screen.show();
    step(screen, 10);
    float const progress = screen.get_progress();
    screen.show();
    EXPECT_EQ(screen.get_state(), Screen::Fading_in);
    EXPECT_EQ(screen.get_progress(), progress);
}

TEST_F(Screen_fade, a_screen_hidden_at_once_is_hidden_on_the_next_frame)
{
    screen.hide();
    EXPECT_EQ(screen.get_progress(), 1.f);
    step(screen, 1);
    EXPECT_EQ(screen.get_state(), Screen::Hidden);
}

TEST_F(Screen_fade, hiding_a_hidden_closing_or_closed_screen_changes_nothing)
{
    screen.hide();
    step(screen, 1);
    ASSERT_EQ(screen.get_state(), Screen::Hidden);
    screen.hide();
    EXPECT_EQ(screen.get_state(), Screen::Hidden);

    screen.show();
    step(screen, 63);
    screen.kill();
    step(screen, 20);
    float const progress = screen.get_progress();
    screen.hide();
    EXPECT_EQ(screen.get_state(), Screen::Closing);
    EXPECT_EQ(screen.get_progress(), progress);

    step(screen, 50);
    ASSERT_EQ(screen.get_state(), Screen::Closed);
    screen.hide();
    EXPECT_EQ(screen.get_state(), Screen::Closed);
    screen.kill();
    EXPECT_EQ(screen.get_state(), Screen::Closed);
    screen.show();
    EXPECT_EQ(screen.get_state(), Screen::Closed);
}

TEST_F(Screen_fade, a_kill_keeps_the_fade_out_progress_and_can_be_undone_while_closing)
{
    step(screen, 63);
    screen.hide();
    step(screen, 25); // progress 0.4
    screen.kill();
    EXPECT_EQ(screen.get_state(), Screen::Closing);
    EXPECT_NEAR(screen.get_progress(), 0.4f, 1e-4f);
    step(screen, 37);
    EXPECT_EQ(screen.get_state(), Screen::Closing);
    step(screen, 1);
    EXPECT_EQ(screen.get_state(), Screen::Closed);
    EXPECT_EQ(screen.state_changes.back(), std::make_pair(int(Screen::Closed), int(Screen::Closing)));

    Recording_screen revived("r", log);
    step(revived, 63);
    revived.kill();
    step(revived, 10);
    revived.show();
    EXPECT_EQ(revived.get_state(), Screen::Fading_in);
    EXPECT_NEAR(revived.get_progress(), 1.f - 0.16f, 1e-4f);
}

TEST_F(Screen_fade, a_hidden_screen_that_is_killed_closes_without_showing_again)
{
    screen.hide();
    step(screen, 1);
    screen.kill();
    EXPECT_EQ(screen.get_state(), Screen::Closing);
    EXPECT_EQ(1.f - screen.get_progress(), 0.f); // no opacity
    step(screen, 1);
    EXPECT_EQ(screen.get_state(), Screen::Closed);
}

TEST(Screen_events, run_one_trigger_per_frame_in_order_and_are_deleted_when_done)
{
    std::vector<std::string> log;
    {
        Recording_screen screen("s", log);
        screen.add_event(new Counting_event("a", 2, log));
        screen.add_event(new Counting_event("b", 1, log));
        log.clear();

        screen.process_events();
        screen.process_events();
        EXPECT_EQ(log, (std::vector<std::string>{"a triggered", "a triggered", "a deleted"}));
        screen.process_events();
        screen.process_events();
        EXPECT_EQ(screen.queued_event_count(), 0u);
        EXPECT_EQ(log.size(), 5u);

        // Events still queued go with the screen, as do cleared ones.
        screen.add_event(new Counting_event("c", 5, log));
        screen.add_event(new Counting_event("d", 5, log));
        screen.clear_events();
        EXPECT_EQ(log.back(), "d deleted");
        screen.add_event(new Counting_event("e", 5, log));
    }
    EXPECT_EQ(log.back(), "e deleted");
}

TEST(Screen_events, an_event_that_clears_the_queue_is_deleted_only_after_its_trigger)
{
    std::vector<std::string> log;
    Recording_screen screen("s", log);
    Counting_event* clearing = new Counting_event("a", 3, log);
    clearing->during_trigger = [&] {
        screen.clear_events();
        screen.add_event(new Counting_event("after", 1, log));
        log.push_back("still running");
    };
    screen.add_event(clearing);
    screen.add_event(new Counting_event("b", 1, log));

    screen.process_events();
    EXPECT_EQ(log, (std::vector<std::string>{"a triggered", "b deleted", "still running", "a deleted"}));
    ASSERT_EQ(screen.queued_event_count(), 1u);
    screen.process_events();
    EXPECT_EQ(log.back(), "after deleted");
}

TEST(Screen_gl, a_screen_made_without_a_current_context_gets_its_functions_later)
{
    std::vector<std::string> log;
    ASSERT_EQ(QOpenGLContext::currentContext(), nullptr);
    Recording_screen screen("s", log);
    EXPECT_FALSE(screen.has_gl_functions());
    screen.prepare_gl_functions(); // still no context: nothing to do
    EXPECT_FALSE(screen.has_gl_functions());
}
