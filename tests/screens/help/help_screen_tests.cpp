#include "Menu_test.h"

#include "screens/help/Game_tutorial_context.h"
#include "screens/help/Help_layout.h"
#include "screens/help/Help_screen.h"
#include "screens/help/Tutorial_events.h"
#include "screens/menus/Before_start_screen.h"
#include "simulation/Progress.h"
#include "widgets/Draggable_button.h"

#include <gmock/gmock.h>

#include <QFileInfo>

namespace
{

class Help_screen_test : public Menu_test
{
protected:
    void SetUp() override
    {
        Menu_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        play = push_screen("play", Screen::Covers_below);
        step_frames(63);
    }

    template <class Help> Help* laid_out(Help* help, std::vector<Help_page> const& pages)
    {
        Capture_stdout quiet;
        for (Help_page const& each : pages) help->add_page(each);
        help->layout();
        return help;
    }

    // Loads a level and starts it, as "Start Level" does.
    void start(int level)
    {
        Capture_stdout quiet;
        core->load_level(level);
        core->start_level();
    }

    // Simulation time passes only while the game runs, as under the physics timer.
    void run_until(float time)
    {
        Capture_stdout quiet;
        while (core->get_simulation_state() && core->get_current_time() < time) core->update(1.f / 32.f);
    }

    std::vector<Help_screen*> help_screens() const
    {
        std::vector<Help_screen*> helps;
        for (Screen* screen : viewer->get_screens().screens())
            if (auto* help = dynamic_cast<Help_screen*>(screen)) helps.push_back(help);
        return helps;
    }

    std::vector<std::string> button_texts(Help_screen const& help) const
    {
        std::vector<std::string> texts;
        for (auto const& button : help.get_buttons()) texts.push_back(button->get_text());
        return texts;
    }

    Recording_screen* play = nullptr;
};

TEST_F(Help_screen_test, pages_take_their_size_from_the_painted_text_and_lead_from_next_to_got_it)
{
    Help_page ringed =
        make_help_page("Collector\nThe amount is indicated by the green progress bar.", 0.3f, 0.7f, 0.5f, 0.3f);
    ringed.highlight = true;
    ringed.cx = 0.6f;
    ringed.cy = 0.3f;
    ringed.rx = 0.1f;
    ringed.ry = 0.1f;
    auto* help =
        laid_out(new Help_screen(viewer.get(), core.get(), play, 1),
                 {make_help_page("Collector\nThis device collects molecules. To complete a level, you need to gather "
                                 "a certain amount of molecules in the portal.",
                                 0.2f, 0.8f, 0.4f, 0.3f),
                  ringed});
    EXPECT_TRUE(help->has_flag(Screen::Blocks_input));
    EXPECT_EQ(button_texts(*help), (std::vector<std::string>{"Next", "Got it!"}));
    ASSERT_EQ(2u, help->get_labels().size());

    float const requested_width[] = {0.4f, 0.5f};
    for (size_t i = 0; i < 2; ++i)
    {
        Help_page const& laid = help->get_pages()[i];
        Draggable_label const& label = *help->get_labels()[i];
        Draggable_button const& button = *help->get_buttons()[i];
        Eigen::Vector2f const text = label.get_size();
        EXPECT_NE(0u, label.get_texture());
        EXPECT_NE(0u, button.get_texture());
        EXPECT_GT(text.x(), 0.1f);
        EXPECT_LE(text.x(), requested_width[i]);
        EXPECT_GT(text.y(), 0.03f);
        EXPECT_FLOAT_EQ(text.x(), laid.width);
        EXPECT_FLOAT_EQ(text.y() + 0.09f, laid.height);
        EXPECT_FLOAT_EQ(laid.x + text.x() / 2.f, label.get_position().x());
        EXPECT_FLOAT_EQ(laid.y - text.y() / 2.f, label.get_position().y());
        EXPECT_FLOAT_EQ(laid.x + text.x() - 0.075f, button.get_position().x());
        EXPECT_FLOAT_EQ(laid.y - text.y() - 0.05f, button.get_position().y());
        EXPECT_EQ(i == 0, label.is_visible());
        EXPECT_EQ(i == 0, button.is_visible());
    }
    EXPECT_THAT(help->get_labels()[0]->get_text(), ::testing::StartsWith("Collector\nThis device"));
    EXPECT_EQ(20u, help->get_pages()[1].particles.get_curve().get_points().size());

    show(help);
    click(*help, "Next");
    EXPECT_EQ(1, help->get_page());
    EXPECT_FALSE(help->get_labels()[0]->is_visible());
    EXPECT_FALSE(help->get_buttons()[0]->is_visible());
    EXPECT_TRUE(help->get_labels()[1]->is_visible());
    step_frames(90);
    EXPECT_FALSE(help->get_pages()[1].particles.get_trail_particles().empty()) << "the ring flows on the shown page";
    EXPECT_TRUE(help->get_pages()[0].particles.get_trail_particles().empty());

    // The box darkens the white window a little round its text; the ring glows orange.
    QImage const shot = frame();
    Help_page const& shown = help->get_pages()[1];
    QRgb const in_box = shot.pixel(pixel_at(shown.x + 0.005f, shown.y - shown.height + 0.005f));
    EXPECT_LT(qRed(in_box), 250);
    EXPECT_EQ(255, qRed(shot.pixel(pixel_at(0.05f, 0.05f))));
    int orange = 0;
    QPoint const ring_min = pixel_at(shown.cx - shown.rx * 1.2f, shown.cy + shown.ry * 1.2f);
    QPoint const ring_max = pixel_at(shown.cx + shown.rx * 1.2f, shown.cy - shown.ry * 1.2f);
    for (int x = ring_min.x(); x < ring_max.x(); ++x)
        for (int y = ring_min.y(); y < ring_max.y(); ++y)
        {
            QRgb const pixel = shot.pixel(x, y);
            if (qRed(pixel) > 200 && qGreen(pixel) < 180 && qBlue(pixel) < 120) ++orange;
        }
    EXPECT_GT(orange, 20);
    // Drawn over the box, not hidden behind it in the same plane.
    QRgb const on_button = shot.pixel(pixel_of(*help->get_buttons()[1]) + QPoint(0, 8));
    EXPECT_GT(std::abs(qBlue(on_button) - qRed(on_button)), 30) << "the button's blue";

    click(*help, "Got it!");
    EXPECT_EQ(Screen::Closing, help->get_state());
}

TEST_F(Help_screen_test, a_single_page_shows_got_it_at_once)
{
    auto* help = laid_out(new Help_screen(viewer.get(), core.get(), play, 1),
                          {make_help_page("One line.", 0.3f, 0.3f, 0.4f, 0.4f)});
    viewer->add_screen(help);
    EXPECT_EQ(button_texts(*help), (std::vector<std::string>{"Got it!"}));
    EXPECT_TRUE(help->get_buttons()[0]->is_visible());
    help->next_page();
    EXPECT_EQ(0, help->get_page()) << "no page after the last";
}

TEST_F(Help_screen_test, a_blocking_help_hides_the_game_and_stops_it_until_got_it)
{
    start(0);
    ASSERT_TRUE(core->get_simulation_state());
    auto context = std::make_shared<Game_tutorial_context>(core.get(), viewer.get(), play);
    for (Event* event : tutorial_events("Intro 0", context)) play->add_event(event);
    viewer->disable_camera_controls();

    run_until(4.9f);
    step_frames(1);
    EXPECT_TRUE(help_screens().empty());
    run_until(5.f);
    step_frames(1);
    ASSERT_EQ(1u, help_screens().size());
    Help_screen* help = help_screens().front();
    EXPECT_EQ(help, viewer->get_screens().screens().front()) << "the help goes on top";
    EXPECT_FALSE(core->get_simulation_state());
    EXPECT_EQ(Screen::Fading_out, play->get_state());
    EXPECT_EQ(2u, play->queued_event_count());

    step_frames(63);
    EXPECT_EQ(Screen::Hidden, play->get_state());
    click(*help, "Got it!");
    EXPECT_TRUE(core->get_simulation_state());
    EXPECT_EQ(Screen::Fading_in, play->get_state());
    EXPECT_EQ(Screen::Closing, help->get_state());
    step_frames(64);
    EXPECT_TRUE(help_screens().empty());

    // Both later moments have passed: still one help per frame, in queue order.
    run_until(16.f);
    step_frames(1);
    ASSERT_EQ(1u, help_screens().size());
    EXPECT_THAT(help_screens().front()->get_pages().front().text.toStdString(),
                ::testing::StartsWith("Molecule Releaser"));
    EXPECT_TRUE(help_screens().front()->get_pages().front().highlight);
    EXPECT_EQ(1u, play->queued_event_count());
    step_frames(1);
    ASSERT_EQ(2u, help_screens().size());
    Help_screen* camera_help = help_screens().front();
    EXPECT_NE(nullptr, dynamic_cast<My_help_screen*>(camera_help));
    EXPECT_FALSE(camera_help->has_flag(Screen::Blocks_input));
    EXPECT_EQ(viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::LeftButton), QGLViewer::ROTATE);
    EXPECT_EQ(0u, play->queued_event_count());
}

TEST_F(Help_screen_test, the_camera_help_counts_its_level_as_done_and_goes_on_to_the_next)
{
    start(0);
    core->progress.last_level = 0;
    auto* help =
        laid_out(new My_help_screen(viewer.get(), core.get(), play),
                 {make_help_page("You can now experiment with the camera controls.", 0.55f, 0.4f, 0.4f, 0.3f),
                  make_help_page("When you are done experimenting, click \"Got it!\".", 0.55f, 0.4f, 0.4f, 0.3f)});
    EXPECT_FALSE(help->has_flag(Screen::Blocks_input));
    show(help);
    EXPECT_EQ(Screen::Shown, play->get_state()) << "the game goes on under the camera help";
    EXPECT_TRUE(core->get_simulation_state());

    click(*help, "Next");
    {
        Capture_stdout quiet;
        click(*help, "Got it!");
    }
    EXPECT_EQ(1, core->get_current_level());
    EXPECT_EQ(1, core->progress.last_level);
    {
        Capture_stdout quiet;
        EXPECT_EQ(1, load_progress_file(data->path("progress.data")).last_level);
    }
    EXPECT_NE(nullptr, top<Before_start_screen>());
    EXPECT_EQ(Screen::Closing, help->get_state());
    EXPECT_EQ(Screen::Fading_out, play->get_state()) << "the next level's title shows over the hidden game";
}

TEST_F(Help_screen_test, the_camera_help_goes_with_the_paused_game_and_comes_back_with_it)
{
    auto* help =
        laid_out(new My_help_screen(viewer.get(), core.get(), play),
                 {make_help_page("You can now experiment with the camera controls.", 0.55f, 0.4f, 0.4f, 0.3f)});
    show(help);
    play->hide(); // Escape: the pause screen goes up over the hidden game
    step_frames(64);
    EXPECT_EQ(Screen::Hidden, help->get_state());
    play->show(); // "Continue"
    step_frames(64);
    EXPECT_EQ(Screen::Shown, help->get_state());
    EXPECT_EQ(0, core->get_current_level()) << "nothing confirmed";

    // A blocking help hides the game itself and stays.
    auto* blocking =
        laid_out(new Help_screen(viewer.get(), core.get(), play, 1), {make_help_page("Hot.", 0.3f, 0.3f, 0.4f, 0.4f)});
    show(blocking);
    step_frames(2);
    EXPECT_EQ(Screen::Shown, blocking->get_state());
    EXPECT_EQ(Screen::Hidden, help->get_state());
}

// Escape, "Back to Main Menu" or another level: the camera help must not stay
// behind and later load the level after whatever is being played then.
TEST_F(Help_screen_test, a_help_closes_without_its_actions_when_the_level_changes_under_it)
{
    start(0);
    auto* camera_help =
        laid_out(new My_help_screen(viewer.get(), core.get(), play),
                 {make_help_page("You can now experiment with the camera controls.", 0.55f, 0.4f, 0.4f, 0.3f)});
    show(camera_help);
    auto* blocking =
        laid_out(new Help_screen(viewer.get(), core.get(), play, 1), {make_help_page("Hot.", 0.3f, 0.3f, 0.4f, 0.4f)});
    viewer->add_screen(blocking);
    step_frames(10);
    core->progress.last_level = 0;

    std::string const out = printed([this] {
        core->load_level(3);
        core->start_level();
    });
    EXPECT_THAT(out, ::testing::HasSubstr("Help_screen::close_unconfirmed"));
    EXPECT_EQ(Screen::Closing, camera_help->get_state());
    EXPECT_EQ(Screen::Closing, blocking->get_state());
    EXPECT_NEAR(0.84f, blocking->get_progress(), 0.01f) << "fades out from where its fade-in had got";
    EXPECT_EQ(3, core->get_current_level());
    EXPECT_EQ(0, core->progress.last_level);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(data->path("progress.data"))));
    EXPECT_EQ(Screen::Fading_out, play->get_state()) << "the blocking help's confirm did not run either";

    step_frames(64);
    EXPECT_TRUE(help_screens().empty());
    EXPECT_EQ(nullptr, top<Before_start_screen>());
    EXPECT_EQ(3, core->get_current_level());
}

} // namespace
