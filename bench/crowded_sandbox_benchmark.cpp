// The sandbox filled with water molecules and left running, on the game's own
// timers in a shown window, while keys and clicks come through the X server as
// a player's would: the frames drawn per second, the simulated time against
// the wall clock, and how long the game takes to answer each key and click
// (from the moment X is given the input to the first frame shown after the
// game has taken it). See bench/README.md.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./bench/crowded_sandbox_benchmark --waters 1365 --seconds 10
#include "bench/Played_game.h"
#include "bench/Water_grid.h"
#include "bench/X_input.h"

#include "app/Memory_policy.h"
#include "app/My_viewer.h"
#include "screens/editor/Editor_screen.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"
#include "widgets/Draggable_button.h"

#include "support/Scratch_data_tree.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <X11/keysym.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <iostream>
#include <vector>

namespace
{

int argument(QStringList const& arguments, QString const& name, int fallback)
{
    int const at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : fallback;
}

// Each key and press sent, by when the game took it and when a frame showed
// the game after it.
class Answer_times : public QObject
{
public:
    explicit Answer_times(My_viewer& viewer) : _viewer(viewer)
    {
        _clock.start();
        viewer.installEventFilter(this);
        connect(&viewer, &QOpenGLWidget::frameSwapped, this, [this] {
            ++_frames;
            for (qint64 sent : _taken) _answers.push_back(double(_clock.nsecsElapsed() - sent) * 1e-9);
            _taken.clear();
        });
    }

    void sent() { _sent.push_back(_clock.nsecsElapsed()); }
    int frames() const { return _frames; }
    std::vector<double> const& answers() const { return _answers; }
    int unanswered() const { return int(_sent.size() + _taken.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        bool const input = event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress;
        if (watched == &_viewer && input && !_sent.empty())
        {
            _taken.push_back(_sent.front());
            _sent.pop_front();
        }
        return false;
    }

private:
    My_viewer& _viewer;
    QElapsedTimer _clock;
    std::deque<qint64> _sent;
    std::vector<qint64> _taken;
    int _frames = 0;
    std::vector<double> _answers;
};

double median(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    return_large_blocks_to_the_system();
    QApplication application(argc, argv);
    int const waters = argument(application.arguments(), "--waters", 1365);
    int const seconds = argument(application.arguments(), "--seconds", 10);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
    {
        std::cerr << "crowded_sandbox_benchmark needs an X display" << std::endl;
        return 2;
    }

    Scratch_data_tree data;
    data.copy_all_from_game();
    QDir::setCurrent(QDir(data.data_directory() + "/..").absolutePath());
    std::ofstream printed("printed.txt");
    std::streambuf* const terminal = std::cout.rdbuf(printed.rdbuf());

    Played_game game;
    Core& core = game.core;
    My_viewer& viewer = game.viewer;
    Editor_screen& editor = game.player.open_sandbox();

    int placed = 0;
    for (int i = 0; i < waters && core.add_molecule(create_molecule("H2O", water_grid_place(i))); ++i) ++placed;
    if (!core.get_simulation_state()) game.driver.click(editor.get_play_button()->get_position().head<2>());
    std::cout.rdbuf(terminal);
    if (!core.get_simulation_state())
    {
        std::cerr << "the sandbox's simulation did not start" << std::endl;
        return 1;
    }

    X_input input;
    if (!input.is_open())
    {
        std::cerr << "no X connection for the input" << std::endl;
        return 1;
    }
    // Into the window, away from the controls: the top middle of the hall.
    input.move_to(viewer.mapToGlobal(QPoint(viewer.width() / 2, viewer.height() / 8)));
    input.focus(viewer);

    Answer_times answers(viewer);
    QTimer inputs;
    int sent = 0;
    QObject::connect(&inputs, &QTimer::timeout, [&] {
        answers.sent();
        if (sent++ % 2 == 0)
            input.tap_key(XK_j); // a key nothing is bound to
        else
            input.click();
    });

    float const simulated_before = core.get_current_time();
    QElapsedTimer wall;
    wall.start();
    std::cout.rdbuf(printed.rdbuf());
    inputs.start(700);
    // The last input has a second to be answered.
    QTimer::singleShot(seconds * 1000 - 1000, &inputs, &QTimer::stop);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    inputs.stop();
    std::cout.rdbuf(terminal);
    double const wall_seconds = double(wall.elapsed()) / 1000.0;
    double const simulated = double(core.get_current_time() - simulated_before);
    float const tick = core.get_parameters()["physics_timestep_ms"]->get_value<int>() / 1000.f *
                       core.get_parameters()["physics_speed"]->get_value<float>();

    std::vector<double> const& times = answers.answers();
    std::cout << "waters " << placed << " (" << core.get_atom_count() << " atoms), " << wall_seconds << " s\n"
              << "frames per second: " << answers.frames() / wall_seconds << '\n'
              << "physics: " << simulated << " s simulated, ratio " << simulated / wall_seconds << ", "
              << int(simulated / double(tick) + 0.5) << " ticks of " << int(wall_seconds / double(tick) + 0.5)
              << " due\n"
              << "answers to " << sent << " keys and clicks: median " << median(times) * 1000.0 << " ms, longest "
              << (times.empty() ? 0.0 : *std::max_element(times.begin(), times.end())) * 1000.0 << " ms, "
              << answers.unanswered() << " unanswered" << std::endl;
    return 0;
}
