// The tutorial as a new player meets it: "Start New Game", the help pages of
// the intro levels and the first level, and each level won as the campaign's
// stored solution wins it, through the toolbar and the handles.
#include "Play_test.h"
#include "Tutorial_player.h"

#include "screens/help/Help_layout.h"
#include "screens/help/Help_screen.h"
#include "screens/menus/Pause_screen.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Portal.h"
#include "simulation/Progress.h"
#include "widgets/Draggable_button.h"

#include "support/Vector_expect.h"

#include <gmock/gmock.h>

#include <QFileInfo>

using ::testing::ElementsAre;
using ::testing::StartsWith;

TEST_F(Play_test, a_new_player_is_taught_by_the_tutorial_and_led_into_the_campaign)
{
    ASSERT_FALSE(QFileInfo::exists(QString::fromStdString(data->path("progress.data"))));
    {
        Capture_stdout quiet;
        viewer->start();
        viewer->stopAnimation(); // frames come from the driver
    }

    Tutorial_player player(*viewer, *core, *driver);
    std::vector<int> camera;
    player.on_page = [&](Help_screen const&, int) {
        camera.push_back(viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::LeftButton));
    };
    {
        Capture_stdout quiet;
        try
        {
            player.play_through();
        }
        catch (std::exception const& error)
        {
            ADD_FAILURE() << error.what();
        }
    }

    std::vector<std::string> first_lines;
    for (std::string const& page : player.pages_read) first_lines.push_back(page.substr(0, page.find('\n')));
    EXPECT_THAT(first_lines,
                ElementsAre(StartsWith("Intro 0: This intro level allows you to watch water molecules"),
                            "Intro 0: Molecule Releaser", "Intro 0: You can now experiment with the camera controls.",
                            "Intro 0: Left mouse button: Rotate", "Intro 1: Collector", "Intro 1: Collector",
                            "Intro 1: Temperature element", "Intro 1: Temperature element",
                            StartsWith("Intro 1: Well done! The molecules will now move faster"),
                            "Intro 2: Temperature element", "Level 1: Available Elements",
                            "Level 1: Temperature Element", StartsWith("Level 1: Well done. Now as before")));
    // The camera stays put until its help, which frees it.
    ASSERT_LE(4u, camera.size());
    EXPECT_THAT(
        std::vector<int>(camera.begin(), camera.begin() + 4),
        ElementsAre(QGLViewer::NO_MOUSE_ACTION, QGLViewer::NO_MOUSE_ACTION, QGLViewer::ROTATE, QGLViewer::ROTATE));

    // Seeing the camera level through counts as finishing it.
    EXPECT_THAT(player.last_level_at_start, ElementsAre(0, 1, 2, 3));
    EXPECT_EQ(4, core->progress.last_level);
    Capture_stdout quiet;
    EXPECT_EQ(4, load_progress_file(data->path("progress.data")).last_level);
    Brownian_box const& placed = player.newest_heat();
    EXPECT_EQ(50.f, placed.get_strength());
    expect_near(Eigen::Vector3f(-6.f, 0.f, 0.f), placed.get_position(), 1.f);
    expect_near(Eigen::Vector3f(60.f, 40.f, 30.f), placed.get_extent(), 2.f);
}

namespace
{

Help_screen* top_help(My_viewer& viewer)
{
    return dynamic_cast<Help_screen*>(viewer.get_screens().screens().front());
}

} // namespace

// Escape in the frame before the collector's help is due: the help must not
// come up over the pause, where its "Got it!" would start the game behind it.
TEST_F(Play_test, a_tutorial_help_waits_for_the_paused_game_to_come_back)
{
    Main_game_screen* play = push_play_screen();
    load_level("Intro 1");
    driver->step_frames(70);
    ASSERT_EQ(play->get_state(), Screen::Shown);
    Capture_stdout quiet;
    ASSERT_TRUE(driver->step_frames_until([&] { return core->get_current_time() >= 9.f; }, 64 * 10));
    ASSERT_EQ(nullptr, top_help(*viewer)) << "the help is due in the next frame";

    driver->press_key(Qt::Key_Escape);
    auto* pause = dynamic_cast<Pause_screen*>(viewer->get_screens().screens().front());
    ASSERT_NE(pause, nullptr);
    driver->step_frames(70);
    EXPECT_EQ(pause, viewer->get_screens().screens().front());
    for (Screen* screen : viewer->get_screens().screens())
        EXPECT_EQ(nullptr, dynamic_cast<Help_screen*>(screen)) << "no help under or over the pause";
    EXPECT_FALSE(core->get_simulation_state());

    driver->press_key(Qt::Key_Escape);
    driver->step_frames(30);
    EXPECT_EQ(nullptr, top_help(*viewer)) << "not while the game fades back in";
    ASSERT_TRUE(driver->step_frames_until([&] { return top_help(*viewer) != nullptr; }, 40));
    EXPECT_EQ(play->get_state(), Screen::Fading_out);
    EXPECT_FALSE(core->get_simulation_state());
}

// The collector's pages follow the collector; zoomed in on it, they were laid
// out beyond the window, and the help takes every input, Escape included.
TEST_F(Play_test, the_collectors_help_stays_inside_the_window_with_the_camera_close_to_the_collector)
{
    Main_game_screen* play = push_play_screen();
    load_level("Intro 1");
    driver->step_frames(70);
    ASSERT_EQ(play->get_state(), Screen::Shown);
    ASSERT_FALSE(level()._portals.empty());
    Eigen::Vector3f const collector = level()._portals.back()->get_position();
    Capture_stdout quiet;
    for (int notch = 0; notch < 12; ++notch) driver->wheel(driver->pixel_of(collector), 120);
    Eigen::AlignedBox3f const box = level()._portals.back()->get_bounding_box();
    Screen_rect const rect =
        screen_rect_of_box([this](Eigen::Vector3f const& point) { return viewer->project_to_screen(point); }, box);
    ASSERT_GT(rect.rx(), 0.2f) << "the collector fills the view";

    ASSERT_TRUE(driver->step_frames_until([&] { return top_help(*viewer) != nullptr; }, 64 * 12));
    Help_screen* help = top_help(*viewer);
    driver->step_frames(70);
    Eigen::AlignedBox2f const window(Eigen::Vector2f::Zero(), Eigen::Vector2f::Ones());
    for (size_t page = 0; page < help->get_pages().size(); ++page)
    {
        EXPECT_TRUE(window.contains(help_box(help->get_pages()[page], viewer->get_screen_aspect()))) << page;
        Draggable_button const& button = *help->get_buttons()[page];
        Eigen::Vector2f const centre = button.get_position().head<2>();
        Eigen::Vector2f const half = button.get_size() / 2.f;
        EXPECT_TRUE(window.contains(centre - half) && window.contains(centre + half)) << page;
    }

    driver->click(Eigen::Vector2f(help->get_buttons()[0]->get_position().head<2>()));
    EXPECT_EQ(help->get_page(), 1);
    driver->click(Eigen::Vector2f(help->get_buttons()[1]->get_position().head<2>()));
    EXPECT_EQ(help->get_state(), Screen::Closing) << "\"Got it!\" reached";
    EXPECT_TRUE(core->get_simulation_state());
}
