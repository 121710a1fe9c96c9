#ifndef BENCH_SOAK_GAUGES_H
#define BENCH_SOAK_GAUGES_H

#include <QElapsedTimer>
#include <QTimer>

#include <iosfwd>
#include <map>
#include <optional>
#include <vector>

class Core;
class My_viewer;

// What a long run of the game is judged by, read as it plays: the resident
// memory every ten seconds, the GL errors after every frame the window shows,
// and the simulated time against the wall clock while a level runs.
class Soak_gauges
{
public:
    struct Memory_sample
    {
        double minutes;
        long resident_kb;
    };

    Soak_gauges(My_viewer& viewer, Core& core);

    double minutes() const { return double(_clock.elapsed()) / 60000.0; }
    std::vector<Memory_sample> const& memory() const { return _memory; }
    // The same moment of every cycle, for growth that is not the screens of
    // the moment: the main menu alone over the hidden play screen.
    void sample_memory_at_main_menu();
    int gl_errors() const;
    // Simulated over wall-clock seconds, over every stretch a level ran.
    double physics_ratio() const { return _wall_running > 0.0 ? _simulated_running / _wall_running : 0.0; }
    // The lowest ratio of any ten seconds of running, once there were ten.
    std::optional<double> worst_physics_ratio() const { return _worst_window_ratio; }

    // The figures, in the order bench/README.md records them.
    void report(std::ostream& out) const;

private:
    void after_frame();
    void sample_memory();

    My_viewer& _viewer;
    Core& _core;
    QElapsedTimer _clock;
    QTimer _memory_timer;
    std::vector<Memory_sample> _memory;
    std::vector<Memory_sample> _memory_at_main_menu;
    std::map<unsigned, int> _gl_errors_by_code;
    int _frames = 0;

    bool _was_running = false;
    float _last_simulated = 0.f;
    double _last_wall = 0.0;
    double _simulated_running = 0.0;
    double _wall_running = 0.0;
    double _window_simulated = 0.0;
    double _window_wall = 0.0;
    std::optional<double> _worst_window_ratio;
};

#endif
