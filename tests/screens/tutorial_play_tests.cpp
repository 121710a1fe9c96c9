// The tutorial as a new player meets it: "Start New Game", the help pages of
// the intro levels and the first level, and each level won as the campaign's
// stored solution wins it, through the toolbar and the handles.
#include "Play_test.h"
#include "Tutorial_player.h"

#include "screens/Help_screen.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Progress.h"

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
