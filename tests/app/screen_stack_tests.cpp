#include "app/Screen_stack.h"

#include "Recording_screen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{

struct Stack : ::testing::Test
{
    // The log outlives the screens, which write into it when destroyed.
    std::vector<std::string> log;
    Screen_stack stack;

    Recording_screen* push(std::string const& name, int flags = 0)
    {
        auto* screen = new Recording_screen(name, log, flags);
        stack.add(screen);
        return screen;
    }

    std::vector<std::string> names(std::vector<Screen*> const& screens) const
    {
        std::vector<std::string> result;
        for (Screen* screen : screens) result.push_back(static_cast<Recording_screen*>(screen)->name);
        return result;
    }

    bool offer_press()
    {
        return stack.offer_pointer_event([](Screen& screen) { return screen.mousePressEvent(nullptr); });
    }

    bool offer_key()
    {
        return stack.offer_key_event([](Screen& screen) { return screen.keyPressEvent(nullptr); });
    }

    void close(Screen* screen)
    {
        screen->kill();
        for (int i = 0; i < 63; ++i) screen->update_state(Screen::frame_period);
        ASSERT_EQ(screen->get_state(), Screen::Closed);
    }
};

} // namespace

TEST_F(Stack, a_frame_removes_closed_screens_then_updates_top_down_then_pushes_the_queued)
{
    push("bottom");
    Recording_screen* middle = push("middle");
    push("top");
    close(middle);
    stack.queue(new Recording_screen("first queued", log));
    stack.queue(new Recording_screen("second queued", log));
    log.clear();

    stack.step(Screen::frame_period);

    EXPECT_THAT(log, ElementsAre("middle destroyed", "top update", "bottom update"));
    // The last one queued ends on top.
    EXPECT_THAT(names(stack.screens()), ElementsAre("second queued", "first queued", "top", "bottom"));

    log.clear();
    stack.step(Screen::frame_period);
    EXPECT_THAT(log, ElementsAre("second queued update", "first queued update", "top update", "bottom update"));
}

TEST_F(Stack, a_screen_that_closes_in_a_frame_is_updated_once_closed_and_gone_before_the_next_update)
{
    Recording_screen* screen = push("s");
    for (int i = 0; i < 63; ++i) stack.step(Screen::frame_period);
    screen->kill();
    for (int i = 0; i < 63; ++i) stack.step(Screen::frame_period);
    ASSERT_EQ(screen->get_state(), Screen::Closed);
    EXPECT_TRUE(stack.drawing_order().empty());
    log.clear();
    stack.step(Screen::frame_period);
    EXPECT_THAT(log, ElementsAre("s destroyed"));
    EXPECT_TRUE(stack.empty());
}

TEST_F(Stack, screens_queued_from_an_update_wait_for_the_end_of_the_frame)
{
    struct Queuing_screen : Recording_screen
    {
        Queuing_screen(Screen_stack& stack, std::vector<std::string>& log) : Recording_screen("q", log), stack(stack) {}
        void update(float dt) override
        {
            Recording_screen::update(dt);
            if (!queued) stack.queue(new Recording_screen("new", log));
            queued = true;
        }
        Screen_stack& stack;
        bool queued = false;
    };
    stack.add(new Queuing_screen(stack, log));
    push("top");
    log.clear();

    stack.step(Screen::frame_period);
    // Not updated in the frame that queued it.
    EXPECT_THAT(log, ElementsAre("top update", "q update"));
    EXPECT_THAT(names(stack.screens()), ElementsAre("new", "top", "q"));
}

TEST_F(Stack, drawing_starts_at_the_topmost_covering_screen_and_goes_bottom_up)
{
    push("lowest");
    push("play", Screen::Covers_below);
    Recording_screen* closed = push("closed");
    push("hidden")->hide();
    push("menu", Screen::Blocks_input);
    close(closed);

    EXPECT_THAT(names(stack.drawing_order()), ElementsAre("play", "hidden", "menu"));
    log.clear();
    stack.draw();
    EXPECT_THAT(log, ElementsAre("play draw", "hidden draw", "menu draw"));
}

TEST_F(Stack, mouse_events_stop_at_the_first_taker_or_at_a_blocking_screen)
{
    Recording_screen* bottom = push("bottom");
    Recording_screen* menu = push("menu", Screen::Blocks_input);
    Recording_screen* closing = push("closing");
    push("top");
    closing->kill();

    log.clear();
    EXPECT_FALSE(offer_press());
    EXPECT_THAT(log, ElementsAre("top press", "menu press"));

    menu->takes_mouse = true;
    log.clear();
    EXPECT_TRUE(offer_press());
    EXPECT_THAT(log, ElementsAre("top press", "menu press"));

    menu->takes_mouse = false;
    menu->kill();
    bottom->takes_mouse = true;
    log.clear();
    EXPECT_TRUE(offer_press());
    EXPECT_THAT(log, ElementsAre("top press", "bottom press"));
}

// Buttons act on the press: a first press that opens a new screen must not
// have the second press of its double click act on the new one.
TEST_F(Stack, the_second_press_of_a_double_click_reaches_only_the_screen_that_took_the_first)
{
    auto const press = [](Screen& screen) { return screen.mousePressEvent(nullptr); };
    push("play");
    Recording_screen* menu = push("menu", Screen::Blocks_input);
    menu->takes_mouse = true;
    Recording_screen* opened = nullptr;
    menu->on_input = [&] {
        if (opened) return;
        menu->kill();
        opened = push("opened", Screen::Blocks_input);
        opened->takes_mouse = true;
    };

    log.clear();
    EXPECT_TRUE(stack.offer_press(press));
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(stack.offer_to_press_taker(press)) << "still the closing menu's";
    EXPECT_THAT(log, ElementsAre("menu press"));

    // The taker destroyed meanwhile: still nobody else's.
    close(menu);
    stack.step(Screen::frame_period);
    log.clear();
    EXPECT_TRUE(stack.offer_to_press_taker(press));
    EXPECT_THAT(log, ElementsAre());

    // A screen that stays counts both presses, as a spin box's arrow does.
    EXPECT_TRUE(stack.offer_press(press));
    EXPECT_TRUE(stack.offer_to_press_taker(press));
    EXPECT_THAT(log, ElementsAre("opened press", "opened press"));

    // Nor does a screen that hid itself under the one it opened (the statistics) get it.
    opened->on_input = [&] {
        if (opened->get_state() == Screen::Shown) opened->hide();
    };
    for (int i = 0; i < 63; ++i) opened->update_state(Screen::frame_period);
    log.clear();
    EXPECT_TRUE(stack.offer_press(press));
    EXPECT_TRUE(stack.offer_to_press_taker(press));
    EXPECT_THAT(log, ElementsAre("opened press"));
    opened->on_input = nullptr;

    // A first press no screen took goes to the camera, and so does the second.
    opened->kill();
    log.clear();
    EXPECT_FALSE(stack.offer_press(press));
    EXPECT_FALSE(stack.offer_to_press_taker(press));
    EXPECT_THAT(log, ElementsAre("play press"));
}

TEST_F(Stack, keys_reach_closing_and_closed_screens)
{
    push("bottom");
    Recording_screen* closed = push("closed", Screen::Blocks_input);
    Recording_screen* closing = push("closing");
    closing->kill();
    close(closed);

    log.clear();
    EXPECT_FALSE(offer_key());
    EXPECT_THAT(log, ElementsAre("closing key", "closed key"));

    closing->takes_keys = true;
    log.clear();
    EXPECT_TRUE(offer_key());
    EXPECT_THAT(log, ElementsAre("closing key"));
}

TEST_F(Stack, a_walk_stops_when_the_stack_changes_under_it_and_destroys_nothing_meanwhile)
{
    Recording_screen* bottom = push("bottom");
    Recording_screen* dialog_opener = push("opener");
    Recording_screen* closed = push("closed");
    close(closed);
    // A modal dialog in the handler runs frames in its own event loop.
    dialog_opener->on_input = [&] {
        stack.queue(new Recording_screen("queued", log));
        stack.step(Screen::frame_period);
    };
    (void)bottom;

    log.clear();
    EXPECT_TRUE(offer_press());
    EXPECT_THAT(log, ElementsAre("opener press", "closed update", "opener update", "bottom update"));
    // The closed screen waits for a frame outside any walk.
    EXPECT_EQ(stack.size(), 4u);
    log.clear();
    stack.step(Screen::frame_period);
    EXPECT_EQ(log.front(), "closed destroyed");
    EXPECT_EQ(stack.size(), 3u);
}

TEST_F(Stack, replace_kills_every_screen_and_pushes_the_new_one_on_top)
{
    Recording_screen* old_bottom = push("old bottom");
    Recording_screen* old_top = push("old top");
    stack.replace(new Recording_screen("new", log));
    EXPECT_EQ(old_bottom->get_state(), Screen::Closing);
    EXPECT_EQ(old_top->get_state(), Screen::Closing);
    EXPECT_THAT(names(stack.screens()), ElementsAre("new", "old top", "old bottom"));

    for (int i = 0; i < 64; ++i) stack.step(Screen::frame_period);
    EXPECT_THAT(names(stack.screens()), ElementsAre("new"));
    EXPECT_EQ(stack.screens().front()->get_state(), Screen::Shown);

    stack.kill_all();
    EXPECT_EQ(stack.screens().front()->get_state(), Screen::Closing);
    stack.clear();
    EXPECT_TRUE(stack.empty());
}

TEST_F(Stack, a_resize_reaches_every_screen_whatever_its_state)
{
    Recording_screen* hidden = push("hidden");
    hidden->hide();
    Recording_screen* closed = push("closed");
    close(closed);
    Recording_screen* top = push("top", Screen::Covers_below | Screen::Blocks_input);
    stack.resize(QSize(640, 480));
    for (Recording_screen* screen : {hidden, closed, top}) EXPECT_EQ(screen->resized_to, QSize(640, 480));
}
