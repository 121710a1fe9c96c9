// Whole frames of the play screen, as the player sees them, and how well the
// physics keeps pace with the wall clock while the game draws. Part of
// frame_benchmark.
#include "app/My_viewer.h"
#include "screens/play/Main_game_screen.h"
#include "simulation/Core.h"
#include "tools/campaign/Campaign.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGLFormat>
#include <QTest>
#include <QTimer>

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>

namespace
{

// One frame as the window shows it: the screens' step, then the paint it asks
// for, the window's own composition and swap, and whatever the game's timers
// run meanwhile (the physics ticks due), as in the game's event loop.
void show_frame(My_viewer& viewer)
{
    viewer.step_frame();
    viewer.update();
    QCoreApplication::processEvents();
    viewer.makeCurrent();
    glFinish();
}

// The game as start-up leaves it, then a campaign level (by its place in the
// campaign) started with its stored solution placed and played for a quarter
// of its score time, the play screen shown. A won level hides the screen, so a
// level whose solution wins sooner is played only until the frames measured
// still end before the win (the same random draws make it the same run).
struct Running_game
{
    // Of simulated time, at one frame period a frame: more than the screen's
    // fade in and the measurement take.
    static constexpr float seconds_measured = 5.f;

    explicit Running_game(int level_index)
    {
        std::streambuf* const out = std::cout.rdbuf(quiet.rdbuf());
        viewer = std::make_unique<My_viewer>(&core, QGLFormat());
        viewer->show();
        if (!QTest::qWaitForWindowExposed(viewer.get())) std::cerr << "the window did not show" << std::endl;
        viewer->makeCurrent();
        viewer->get_ui_renderer().init(QGLContext::currentContext(), viewer->size());
        core.gl_init(viewer->context());

        // Played through its score time first, to learn when the solution
        // wins; without the screen, whose results would stay on top.
        float const score_time = play_until(level_index, std::numeric_limits<float>::infinity());
        float const won_at = core.get_game_state() == Core::Finished ? core.get_current_time() : 1e6f;
        screen = new Main_game_screen(viewer.get(), &core, Game_mode);
        viewer->add_screen(screen);
        play_until(level_index, std::max(0.f, std::min(score_time / 4.f, won_at - seconds_measured)));
        // The screen's fade in, which the physics goes on through.
        for (int frame = 0; frame < 80 && core.get_game_state() == Core::Running; ++frame) step_frame();
        // The first frames drawn build the software rasteriser's shaders.
        for (int frame = 0; frame < 10 && core.get_game_state() == Core::Running; ++frame) show_frame(*viewer);
        if (core.get_game_state() != Core::Running) std::cerr << "the level did not keep running" << std::endl;
        std::cout.rdbuf(out);
    }

    // Starts the level with its solution and plays until `until` seconds (the
    // score time at the most) or until it is won; returns the score time.
    float play_until(int level_index, float until)
    {
        std::srand(1);
        core.load_level(level_index);
        core.start_level();
        if (auto const& solve = campaign().at(size_t(level_index)).solve) solve(core.get_level_data());
        if (screen)
        {
            // Level 1's tutorial would stop the game for its helps, which nobody confirms here.
            screen->clear_events();
            screen->rebuild_element_handles();
            screen->rebuild_pickables();
        }
        // The physics alone, at the frames' step: the screens have nothing to
        // do with it and would take minutes.
        float const score_time = core.get_level_data()._score_time_factor;
        until = std::min(until, score_time);
        while (core.get_current_time() < until && core.get_game_state() == Core::Running)
            core.update(Screen::frame_period);
        return score_time;
    }

    // What the animation timer runs, with the physics of one frame period.
    void step_frame()
    {
        viewer->step_frame();
        viewer->finish_camera_flight();
        if (core.get_simulation_state()) core.update(Screen::frame_period);
    }

    std::ostringstream quiet;
    Core core;
    std::unique_ptr<My_viewer> viewer;
    Main_game_screen* screen = nullptr;
};

bool have_display(benchmark::State& state)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return true;
    state.SkipWithError("no X display");
    return false;
}

// One frame as the player gets it: the screens' step, the paint (the
// renderer, the copy to the window, handles, toolbar and HUD), the window's
// composition and swap, and the physics ticks Core's timer runs meanwhile.
void play_screen_frame(benchmark::State& state)
{
    if (!have_display(state)) return;
    Running_game game(int(state.range(0)));
    state.SetLabel(campaign().at(size_t(state.range(0))).name + ", whole frame");
    std::streambuf* const out = std::cout.rdbuf(game.quiet.rdbuf());
    int swaps = 0;
    QObject::connect(game.viewer.get(), &QOpenGLWidget::frameSwapped, [&swaps] { ++swaps; });
    // The physics clock starts with the frames.
    game.core.set_simulation_state(false);
    game.core.set_simulation_state(true);
    for (auto _ : state) show_frame(*game.viewer);
    std::cout.rdbuf(out);
    state.counters["molecules"] = double(game.core.get_level_data()._molecules.size());
    if (game.screen->get_state() != Screen::Shown) state.SkipWithError("the play screen was not shown throughout");
    if (swaps < int(state.iterations())) state.SkipWithError("the window was not shown every frame");
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// Both timers running as in the game, for five seconds of wall clock: the
// simulated time that passed against the wall clock's, and the frames drawn.
void physics_against_wall_clock(benchmark::State& state)
{
    if (!have_display(state)) return;
    Running_game game(int(state.range(0)));
    state.SetLabel(campaign().at(size_t(state.range(0))).name);
    std::streambuf* const out = std::cout.rdbuf(game.quiet.rdbuf());
    int frames = 0;
    QObject::connect(game.viewer.get(), &QOpenGLWidget::frameSwapped, [&frames] { ++frames; });
    double ratio = 0.0;
    for (auto _ : state)
    {
        // The physics clock starts with the wall clock's.
        game.core.set_simulation_state(false);
        game.core.set_simulation_state(true);
        float const simulated_before = game.core.get_current_time();
        QElapsedTimer wall;
        wall.start();
        game.viewer->setAnimationPeriod(16);
        game.viewer->startAnimation();
        QEventLoop loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        game.viewer->stopAnimation();
        double const seconds = double(wall.elapsed()) / 1000.0;
        ratio = double(game.core.get_current_time() - simulated_before) / seconds;
        state.counters["fps"] = double(frames) / seconds;
    }
    std::cout.rdbuf(out);
    state.counters["ratio"] = ratio;
    state.counters["won"] = game.core.get_game_state() == Core::Finished ? 1.0 : 0.0;
}

// A frame of the main menu as the game starts: the menu over the hidden,
// blurred play screen, on the default level.
void main_menu_frame(benchmark::State& state)
{
    if (!have_display(state)) return;
    std::ostringstream quiet;
    std::streambuf* const out = std::cout.rdbuf(quiet.rdbuf());
    Core core;
    My_viewer viewer(&core, QGLFormat());
    viewer.show();
    if (!QTest::qWaitForWindowExposed(&viewer)) std::cerr << "the window did not show" << std::endl;
    viewer.start();
    viewer.stopAnimation(); // the frames come from here
    core.reset_level_data();
    for (int frame = 0; frame < 70; ++frame) viewer.step_frame();
    // The menu as it stands most of the time: the camera's flight to the
    // field, which the hidden play screen follows, is over.
    viewer.finish_camera_flight();
    for (int frame = 0; frame < 10; ++frame) show_frame(viewer);
    for (auto _ : state) show_frame(viewer);
    std::cout.rdbuf(out);
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(main_menu_frame)->UseRealTime()->Unit(benchmark::kMillisecond);
// Every campaign level, by its place in the campaign.
BENCHMARK(play_screen_frame)->DenseRange(0, 10)->UseRealTime()->Unit(benchmark::kMillisecond);
// "Level 1" and "Level 7".
BENCHMARK(physics_against_wall_clock)->Arg(3)->Arg(9)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
