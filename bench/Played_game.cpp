#include "bench/Played_game.h"

#include <QGLFormat>
#include <QTest>

#include <iostream>

Played_game::Played_game() : viewer(&core, QGLFormat()), driver(viewer, core), player(viewer, core, driver, dialogs)
{
    viewer.show();
    if (!QTest::qWaitForWindowExposed(&viewer)) std::cerr << "the window did not show" << std::endl;
    viewer.start();
}
