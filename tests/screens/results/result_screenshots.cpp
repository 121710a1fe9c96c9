// Plays "Level 3" from the main menu with its stored solution, then renders the
// after-finish screen while it counts and once its total has landed, and the
// statistics screen during and after the replay, over the blurred level, and
// saves the frames:
//   result_screenshots <directory>
// Run it under Xvfb; it is a looking glass for the result screens, not a test.

#include "Screenshot_window.h"

#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/results/After_finish_screen.h"
#include "tools/campaign/Campaign.h"
#include "widgets/Draggable_button.h"

#include "support/Capture_stdout.h"
#include "support/Game_driver.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>
#include <iostream>

namespace
{

template <class Menu> Menu& top(My_viewer& viewer)
{
    auto* menu = dynamic_cast<Menu*>(viewer.get_screens().screens().front());
    if (!menu)
    {
        std::cerr << "not the expected screen on top" << std::endl;
        std::exit(1);
    }
    return *menu;
}

Draggable_button const& button(Menu_screen const& screen, std::string const& text)
{
    for (auto const& candidate : screen.get_buttons())
        if (candidate->get_text() == text) return *candidate;
    std::cerr << "no button " << text << std::endl;
    std::exit(1);
}

void click(Game_driver& driver, Menu_screen const& screen, std::string const& text)
{
    Capture_stdout quiet;
    driver.click(Eigen::Vector2f(button(screen, text).get_position().head<2>()));
}

void step(Game_driver& driver, float seconds)
{
    Capture_stdout quiet;
    driver.step_frames(int(seconds / Screen::frame_period));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
    {
        std::cerr << "usage: result_screenshots <directory>" << std::endl;
        return 2;
    }
    QString const directory = QDir(argv[1]).absolutePath();

    Screenshot_window window;
    if (!window.open()) return 1;
    My_viewer& viewer = window.viewer;
    Core& core = window.core;
    core.progress.last_level = core.get_level_names().indexOf("Level 3");
    {
        Capture_stdout quiet;
        viewer.start();
        viewer.stopAnimation();
    }
    Game_driver driver(viewer, core);
    step(driver, 1.2f);
    click(driver, top<Main_menu_screen>(viewer), "Continue Game");
    step(driver, 1.2f);
    click(driver, top<Before_start_screen>(viewer), "Start Level");
    step(driver, 1.2f);

    std::srand(1);
    for (Campaign_level const& level : campaign())
        if (level.name == "Level 3") level.solve(core.get_level_data());
    {
        Capture_stdout quiet;
        if (!driver.step_frames_until([&] { return core.get_game_state() == Core::Finished; }, 64 * 60))
        {
            std::cerr << "Level 3 was not won" << std::endl;
            return 1;
        }
    }

    After_finish_screen& finished = top<After_finish_screen>(viewer);
    step(driver, 2.5f);
    bool ok = window.save(directory + "/after-finish-counting.png");
    step(driver, 5.f);
    window.hover(button(finished, "Next Level"));
    step(driver, 0.5f);
    ok = window.save(directory + "/after-finish.png") && ok;

    click(driver, finished, "Show Statistics");
    step(driver, 4.f);
    ok = window.save(directory + "/statistics-replay.png") && ok;
    step(driver, 7.f);
    ok = window.save(directory + "/statistics.png") && ok;
    return ok ? 0 : 1;
}
