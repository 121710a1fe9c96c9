#include "simulation/Core.h"

#include "foundation/Data_config.h"
#include "foundation/Main_options_window.h"
#include "gl/Software_rasteriser.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <algorithm>
#include <iostream>

namespace
{

float clamped_to_range(Parameter const& parameter)
{
    return std::min(std::max(parameter.get_value<float>(), parameter.get_min<float>()), parameter.get_max<float>());
}

} // namespace

Core::Core(bool use_unstable_options)
{
    qRegisterMetaType<Level_state>("Level_state");
    build_parameters();
    Main_options_window::instance()->add_parameter_list("Core", _parameters);

    _physics_timer.setTimerType(Qt::PreciseTimer);
    set_timer_interval();
    connect(&_physics_timer, &QTimer::timeout, this, &Core::update_physics);

    load_default_simulation_settings(); // ends with update_parameters, which lists the levels
    if (use_unstable_options) _level_data.enable_unstable_options();
    progress = load_progress_file(Data_config::instance()->find_in_data_paths("progress.data", false));
    progress.last_level = progress.level_to_continue(_level_names.size());
}

Core::~Core()
{
    _physics_timer.stop();
    Main_options_window::instance()->remove_parameter_list("Core");
    Main_options_window::instance()->remove_parameter_list("Level Data");
}

void Core::build_parameters()
{
    auto add = [this](Parameter* parameter) {
        _owned_parameters.parameters.emplace_back(parameter);
        _parameters.add(parameter);
        return parameter;
    };
    auto const update = [this] { update_parameters(); };

    Parameter* levels = add(new Parameter("levels", false, update));
    levels->_value = std::string();
    _toggle_simulation = add(new Parameter("Toggle simulation", false, [this] { toggle_timer(); }));
    add(new Parameter("Mass Factor", 0.1f, 0.1f, 1.f, update));
    add(new Parameter("do_constrain_forces", true, update));
    add(new Parameter("max_force", 10.f, 0.1f, 500.f, update));
    add(new Parameter("max_force_distance", 10.f, 1.f, 1000.f, update));
    _timestep_ms = add(new Parameter("physics_timestep_ms", 10, 1, 100, [this] { set_timer_interval(); }));
    _timestep_ms->_hidden = false;
    _physics_speed = add(new Parameter("physics_speed", 1.f, -10.f, 100.f, update));
    _physics_speed->_hidden = true;
    _use_midpoint = add(new Parameter("Use midpoint", true, update));
    add_atomic_force_type_list(_parameters, update, _owned_parameters);
    _coulomb_strength = _parameters["Atomic Force Type/Coulomb Force/Strength"];
    _vdw_strength = _parameters["Atomic Force Type/Van der Waals Force/Strength"];
    _vdw_radius_factor = _parameters["Atomic Force Type/Van der Waals Force/Radius Factor"];
}

void Core::update_parameters()
{
    _level_names.clear();
    for (QString const& name : QString::fromStdString(_parameters["levels"]->get_value<std::string>()).split(","))
    {
        if (!name.isEmpty()) _level_names.append(name);
    }

    // Files merge values without clamping; cached values feed divisions and limits.
    _constrain_forces = _parameters["do_constrain_forces"]->get_value<bool>();
    _max_force = clamped_to_range(*_parameters["max_force"]);
    _mass_factor = clamped_to_range(*_parameters["Mass Factor"]);
    _forces = create_forces(*_parameters.get_child_helper("Atomic Force Type"));
}

void Core::toggle_timer()
{
    if (_toggle_simulation->get_value<bool>())
    {
        _physics_timer.start();
        _physics_clock.start();
        _physics_ticks_run = 0;
    }
    else
    {
        _physics_timer.stop();
        _physics_clock.invalidate();
    }
}

void Core::set_timer_interval()
{
    Parameter const& timestep = *_timestep_ms;
    int const interval =
        std::min(std::max(timestep.get_value<int>(), timestep.get_min<int>()), timestep.get_max<int>());
    _physics_timer.setInterval(interval);
    if (_physics_clock.isValid())
    {
        _physics_clock.restart();
        _physics_ticks_run = 0;
    }
}

void Core::set_simulation_state(bool running)
{
    _toggle_simulation->set_value_no_update(running);
    toggle_timer();
}

bool Core::get_simulation_state() const
{
    return _toggle_simulation->get_value<bool>();
}

void Core::set_game_state(int state)
{
    _previous_game_state = _game_state;
    _game_state = state;
    // A stopped level is no longer the one that started: what the editor makes
    // available from now on counts.
    if (state == Not_running) _available_at_start.reset();
    emit game_state_changed();
}

int Core::physics_ticks_due() const
{
    if (!_physics_clock.isValid()) return 1;
    qint64 const owed = _physics_clock.elapsed() / std::max(_physics_timer.interval(), 1) - _physics_ticks_run;
    return int(std::max<qint64>(owed, 1));
}

void Core::update_physics()
{
    // A quarter second of backlog at the most, and no more than 40 ms spent on
    // it: a level whose ticks cost more than their interval would otherwise
    // leave no time for the frames.
    int const max_ticks = std::max(250 / std::max(_physics_timer.interval(), 1), 1);
    qint64 const max_milliseconds = 40;
    try
    {
        float const dt = _physics_speed->get_value<float>() * _timestep_ms->get_value<int>() / 1000.f;
        int const due = physics_ticks_due();
        // Counted as run before they run: what cannot be made up below is let
        // go, and a tick that starts the timer again starts the count afresh.
        _physics_ticks_run += due;
        QElapsedTimer spent;
        spent.start();
        int ticks = 0;
        qint64 longest_tick = 0;
        // A tick that switches the simulation off (a level change) ends the
        // catching up, and so does one that would end beyond the time allowed:
        // a crowded level's ticks are long.
        while (ticks == 0 || (ticks < std::min(due, max_ticks) && spent.elapsed() + longest_tick <= max_milliseconds &&
                              _physics_clock.isValid()))
        {
            qint64 const started = spent.elapsed();
            update(dt);
            longest_tick = std::max(longest_tick, spent.elapsed() - started);
            ++ticks;
        }
    }
    catch (std::exception const& error)
    {
        std::cout << "Core::update_physics " << error.what() << std::endl;
    }
}

bool Core::has_room_for(Molecule const& molecule) const
{
    int live_atoms = 0;
    for (Molecule const& m : _level_data._molecules) live_atoms += int(m._atoms.size());
    return live_atoms + int(molecule._atoms.size()) <= max_live_atoms;
}

bool Core::add_molecule(Molecule const& molecule)
{
    if (!has_room_for(molecule))
    {
        std::cout << "Core::add_molecule Reached max number of atoms" << std::endl;
        return false;
    }

    _level_data._molecules.push_back(molecule);
    Molecule& added = _level_data._molecules.back();
    added.set_id(_next_molecule_id);
    _molecule_ids[_next_molecule_id] = &added;
    ++_next_molecule_id;
    _atom_count += int(added._atoms.size());
    return true;
}

void Core::release_gpu_force()
{
    _gpu_force.reset();
    _use_gpu_force = false;
}

void Core::set_gpu_forces_enabled(bool enabled)
{
    bool const starting = enabled && _gpu_force && !_use_gpu_force;
    _use_gpu_force = enabled && _gpu_force;
    // The pass is handed the temperature grid only while it is in use: the grid
    // may have been rebuilt since it last was.
    if (starting) _gpu_force->set_temperature(_level_data._temperature_grid);
}

void Core::gl_init(QOpenGLContext* context)
{
    QOpenGLContext* current = QOpenGLContext::currentContext();
    if (!current || (context && context != current))
    {
        std::cout << "Core::gl_init the given context is not current: pair forces stay on the CPU" << std::endl;
        return;
    }

    _gpu_force.reset(); // the old pass goes before the new one takes the GL names
    _use_gpu_force = false;
    try
    {
        _gpu_force.reset(new GPU_force(_level_data._temperature_grid.get_width()));
    }
    catch (std::exception const& error)
    {
        std::cout << "Core::gl_init no force pass: " << error.what() << std::endl;
        return;
    }
    _gpu_force->set_temperature(_level_data._temperature_grid);
    // Qt never frees the GL functions of a pass that outlives its context.
    connect(current, &QOpenGLContext::aboutToBeDestroyed, this, &Core::release_gpu_force, Qt::UniqueConnection);
    _use_gpu_force = !is_software_rasteriser(current);
    if (!_use_gpu_force) std::cout << "Core::gl_init software renderer: pair forces stay on the CPU" << std::endl;
}
