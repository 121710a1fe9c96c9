#include "bench/Soak_gauges.h"

#include "app/Memory_policy.h"
#include "app/My_viewer.h"
#include "simulation/Core.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

namespace
{

double const pace_window_seconds = 10.0;

} // namespace

Soak_gauges::Soak_gauges(My_viewer& viewer, Core& core) : _viewer(viewer), _core(core)
{
    _clock.start();
    // The timer is the connections' context: they go with the gauges.
    QObject::connect(&_viewer, &QOpenGLWidget::frameSwapped, &_memory_timer, [this] { after_frame(); });
    QObject::connect(&_memory_timer, &QTimer::timeout, [this] { sample_memory(); });
    _memory_timer.start(10000);
    sample_memory();
}

void Soak_gauges::sample_memory()
{
    _memory.push_back({minutes(), resident_kb()});
}

void Soak_gauges::sample_memory_at_main_menu()
{
    _memory_at_main_menu.push_back({minutes(), resident_kb()});
}

int Soak_gauges::gl_errors() const
{
    int count = 0;
    for (auto const& [code, times] : _gl_errors_by_code) count += times;
    return count;
}

void Soak_gauges::after_frame()
{
    ++_frames;
    // The flags are the window's context's: the screens' frame step and the
    // paint both draw there.
    _viewer.makeCurrent();
    for (int i = 0; i < 16; ++i)
    {
        GLenum const error = _viewer.glGetError();
        if (error == GL_NO_ERROR) break;
        ++_gl_errors_by_code[error];
    }

    bool const running = _core.get_simulation_state() && _core.get_game_state() == Core::Running;
    float const simulated = _core.get_current_time();
    double const wall = double(_clock.nsecsElapsed()) * 1e-9;
    // A level started again sets its clock back; that stretch is not counted.
    if (running && _was_running && simulated >= _last_simulated)
    {
        double const simulated_step = double(simulated - _last_simulated);
        double const wall_step = wall - _last_wall;
        _simulated_running += simulated_step;
        _wall_running += wall_step;
        _window_simulated += simulated_step;
        _window_wall += wall_step;
        if (_window_wall >= pace_window_seconds)
        {
            double const ratio = _window_simulated / _window_wall;
            _worst_window_ratio = std::min(_worst_window_ratio.value_or(ratio), ratio);
            _window_simulated = _window_wall = 0.0;
        }
    }
    _was_running = running;
    _last_simulated = simulated;
    _last_wall = wall;
}

void Soak_gauges::report(std::ostream& out) const
{
    auto const mb = [](long kb) { return double(kb) / 1024.0; };
    double const total_minutes = minutes();
    out << std::fixed << std::setprecision(1);
    out << "wall clock: " << total_minutes << " min, " << _frames << " frames shown ("
        << double(_frames) / (total_minutes * 60.0) << " per second)\n";

    auto const after_first_minute =
        std::find_if(_memory.begin(), _memory.end(), [](Memory_sample const& sample) { return sample.minutes >= 1.0; });
    if (after_first_minute != _memory.end())
    {
        long const first = after_first_minute->resident_kb;
        long const last = _memory.back().resident_kb;
        long highest = first;
        for (auto sample = after_first_minute; sample != _memory.end(); ++sample)
            highest = std::max(highest, sample->resident_kb);
        out << "resident memory: " << mb(first) << " MB at " << after_first_minute->minutes << " min, " << mb(last)
            << " MB at the end, highest after the first minute " << mb(highest) << " MB; growth "
            << std::setprecision(2) << 100.0 * double(last - first) / double(first) << " %\n"
            << std::setprecision(1);
    }
    out << "resident memory by minute (MB):";
    double next_minute = 0.0;
    for (Memory_sample const& sample : _memory)
    {
        if (sample.minutes < next_minute) continue;
        out << ' ' << int(sample.minutes) << ": " << mb(sample.resident_kb);
        next_minute = double(int(sample.minutes)) + 1.0;
    }
    out << "\nresident memory at the main menu after each round (MB):";
    for (Memory_sample const& sample : _memory_at_main_menu) out << ' ' << mb(sample.resident_kb);
    // Rounds alternate between a level alone and a level and the sandbox, so
    // like is set against like; round 1 is left out, as the editor first
    // comes in round 2.
    char const* const kinds[2] = {"a level alone", "a level and the sandbox"};
    for (size_t kind = 0; kind < 2; ++kind)
    {
        size_t const first = kind == 0 ? 2 : 1;
        size_t last = first;
        for (size_t i = first; i < _memory_at_main_menu.size(); i += 2) last = i;
        if (last == first || last >= _memory_at_main_menu.size()) continue;
        long const from = _memory_at_main_menu[first].resident_kb;
        long const to = _memory_at_main_menu[last].resident_kb;
        out << "; rounds of " << kinds[kind] << ", " << first + 1 << " to " << last + 1 << ": " << std::setprecision(2)
            << 100.0 * double(to - from) / double(from) << " %" << std::setprecision(1);
    }
    out << "\nGL errors after frames: " << gl_errors();
    for (auto const& [code, times] : _gl_errors_by_code)
        out << " (0x" << std::hex << code << std::dec << ": " << times << ")";
    out << std::setprecision(3) << "\nphysics: " << _simulated_running << " s simulated in " << _wall_running
        << " s of wall clock while a level ran, ratio " << physics_ratio() << "; worst ten seconds ";
    if (_worst_window_ratio)
        out << *_worst_window_ratio;
    else
        out << "-";
    out << '\n';
}
