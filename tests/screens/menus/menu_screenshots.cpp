// Renders the main menu, the before-start screen of "Level 1" and the main menu
// of a player who finished every level over a blurred station backdrop, as the
// hidden play screen shows it, and saves the frames:
//   menu_screenshots <directory>
// Run it under Xvfb; it is a looking glass for the menus, not a test.

#include "Screenshot_window.h"

#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "widgets/Draggable_button.h"

#include "support/Capture_stdout.h"

#include <QApplication>
#include <QDir>

#include <iostream>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
    {
        std::cerr << "usage: menu_screenshots <directory>" << std::endl;
        return 2;
    }
    QString const directory = QDir(argv[1]).absolutePath();

    Screenshot_window window;
    if (!window.open()) return 1;
    Core& core = window.core;
    My_viewer& viewer = window.viewer;

    window.push_backdrop();
    Main_menu_screen* menu = nullptr;
    {
        Capture_stdout quiet;
        menu = new Main_menu_screen(&viewer, &core);
    }
    viewer.add_screen(menu);
    window.step(9.f);
    window.hover(*menu->get_buttons().front());
    window.step(1.f);
    bool ok = window.save(directory + "/main-menu.png");

    {
        Capture_stdout quiet;
        core.load_level(3);
        menu->kill();
        viewer.add_screen(new Before_start_screen(&viewer, &core));
    }
    window.step(4.f);
    ok = window.save(directory + "/before-start.png") && ok;

    {
        Capture_stdout quiet;
        core.progress.last_level = core.get_level_names().size();
        viewer.kill_all_screens();
        window.push_backdrop();
        viewer.add_screen(new Main_menu_screen(&viewer, &core));
    }
    window.step(10.f);
    ok = window.save(directory + "/main-menu-finished.png") && ok;
    return ok ? 0 : 1;
}
