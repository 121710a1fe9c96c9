#include "Play_test.h"

#include "simulation/Core.h"

#include <QGLContext>

void Play_test::SetUp()
{
    Viewer_test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    data->copy_all_from_game();
    viewer->makeCurrent();
    Capture_stdout quiet;
    viewer->get_ui_renderer().init(QGLContext::currentContext(), viewer->size());
    driver = std::make_unique<Game_driver>(*viewer, *core);
}

void Play_test::TearDown()
{
    driver.reset();
    if (viewer) viewer->makeCurrent();
    Viewer_test::TearDown();
}

Main_game_screen* Play_test::push_play_screen(int mode)
{
    viewer->makeCurrent();
    Capture_stdout quiet;
    auto* screen = new Main_game_screen(viewer.get(), core.get(), mode);
    viewer->add_screen(screen);
    driver->step_frames(70); // faded in
    return screen;
}

void Play_test::load_level(std::string const& name, bool start)
{
    int const index = core->get_level_names().indexOf(QString::fromStdString(name));
    ASSERT_GE(index, 0) << name;
    Capture_stdout quiet;
    core->load_level(index);
    if (start) core->start_level();
    driver->step_frame();
}
