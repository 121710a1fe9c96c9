// Plays the tutorial from "Start New Game" as the tutorial test does and saves
// every help page, once its ring has flowed for a while, as
// <directory>/<prefix>NN-<level>-<page>.png:
//   tutorial_screenshots <directory> [prefix]
// Run it under Xvfb; it is a looking glass for the help pages, not a test.

#include "Screenshot_window.h"
#include "Tutorial_player.h"

#include "screens/help/Help_screen.h"

#include "support/Capture_stdout.h"
#include "support/Game_driver.h"

#include <QApplication>
#include <QDir>

#include <iostream>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 2 || argc > 3)
    {
        std::cerr << "usage: tutorial_screenshots <directory> [prefix]" << std::endl;
        return 2;
    }
    QString const directory = QDir(argv[1]).absolutePath();
    QString const prefix = argc == 3 ? argv[2] : "tutorial-";

    Screenshot_window window;
    if (!window.open()) return 1;
    My_viewer& viewer = window.viewer;
    Core& core = window.core;
    {
        Capture_stdout quiet;
        viewer.start();
        viewer.stopAnimation();
    }

    Game_driver driver(viewer, core);
    Tutorial_player player(viewer, core, driver);
    int shot = 0;
    bool saved_all = true;
    player.on_page = [&](Help_screen const& help, int page) {
        // Long enough for a ring to run half way round.
        driver.step_frames(help.get_pages()[size_t(page)].highlight ? 120 : 20);
        QString const level = QString::fromStdString(core.get_level_name(core.get_current_level()));
        QString const name = QString("%1%2-%3-%4.png")
                                 .arg(prefix)
                                 .arg(++shot, 2, 10, QChar('0'))
                                 .arg(QString(level).replace(' ', '-').toLower())
                                 .arg(page + 1);
        bool const saved = window.save(directory + "/" + name);
        // The game's own output is held back; this is what the run is for.
        std::cerr << (saved ? "saved " : "could not save ") << name.toStdString() << std::endl;
        saved_all = saved && saved_all;
    };
    try
    {
        Capture_stdout quiet;
        player.play_through();
    }
    catch (std::exception const& error)
    {
        std::cerr << "tutorial_screenshots: " << error.what() << std::endl;
        return 1;
    }
    return saved_all ? 0 : 1;
}
