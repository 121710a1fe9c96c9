#include "simulation/Core.h"

#include "foundation/Data_config.h"
#include "foundation/Dialogs.h"
#include "foundation/Failed_saves.h"
#include "foundation/Main_options_window.h"
#include "foundation/Unreadable_files.h"
#include "simulation/Level_file.h"

#include <boost/archive/archive_exception.hpp>

#include <functional>
#include <iostream>

namespace
{

std::string level_file_name(QString const& level_name)
{
    QString const relative = "levels/" + level_name + ".data";
    try
    {
        return Data_config::instance()->find_in_data_paths(relative, true);
    }
    catch (std::exception const&)
    {
        // Not there: loading it then fails like any other broken level.
        return Data_config::instance()->find_in_data_paths(relative, false);
    }
}

std::string players_settings_path()
{
    return Data_config::instance()->find_in_data_paths("simulation_settings.data", false);
}

std::string level_refusal(std::string const& file_name, std::exception const& error)
{
    return "The level file " + file_name + " could not be read (" + error.what() + ").";
}

bool is_game_field_border(Level_data const& level, Level_element const* element)
{
    for (auto const& border : level._game_field_borders)
    {
        if (border.second == element) return true;
    }
    return false;
}

} // namespace

std::string Core::get_level_name(int index) const
{
    return _level_names.value(index).toStdString();
}

void Core::load_level(int index)
{
    if (index < 0 || index >= _level_names.size()) return;
    _current_level = index;
    load_level(level_file_name(_level_names[index]));
}

void Core::load_next_level()
{
    int const next = _current_level + 1;
    std::cout << "Core::load_next_level next level: " << next << std::endl;
    if (next >= _level_names.size())
    {
        std::cout << "No more levels." << std::endl;
        return;
    }
    load_level(next);
}

void Core::load_level(std::string const& file_name)
{
    std::cout << "Core::load_level " << file_name << std::endl;
    clear();
    set_simulation_state(false);

    if (!read_level_file(file_name)) reset_level_data();
    try
    {
        settle_loaded_level();
    }
    catch (std::exception const& error)
    {
        // Starting the level went wrong (memory, most likely): the default level
        // needs next to none.
        std::cout << "Failed to load level file: " << file_name << ", level reset: " << error.what() << std::endl;
        reset_level_data();
        settle_loaded_level();
    }
    std::cout << "Core::load_level B " << level_parameter("gravity") << std::endl;
    remember_level_as_saved();
    emit level_changed(1);
}

bool Core::read_level_file(std::string const& file_name)
{
    _level_refusal.clear();
    try
    {
        load_level_file(file_name, _level_data);
        std::cout << "Core::load_level A " << level_parameter("gravity") << std::endl;
        return true;
    }
    catch (boost::archive::archive_exception const& error)
    {
        std::cout << "Boost Archive Exception. Failed to load level file: " << file_name << ", reason: " << error.what()
                  << std::endl;
        _level_refusal = level_refusal(file_name, error);
    }
    catch (std::exception const& error)
    {
        std::cout << "Failed to load level file: " << file_name << ", level reset: " << error.what() << std::endl;
        _level_refusal = level_refusal(file_name, error);
    }
    catch (...)
    {
        Dialogs::instance().warning("Error", "Error reading the specified level file " +
                                                 QString::fromStdString(file_name) + "\nLoading defaults.");
    }
    return false;
}

void Core::settle_loaded_level()
{
    _level_data.update_parameters_from_data();
    register_level_parameters();
    reset_level(true);
}

void Core::reset_level_data()
{
    clear();
    _level_data.reset();
    register_level_parameters();
    remember_level_as_saved();
    emit level_changed(1);
}

void Core::clear()
{
    _level_data.clear_elements();
    forget_molecules();
    _available_at_start.reset();
}

void Core::forget_molecules()
{
    _level_data._molecules.clear();
    _molecule_ids.clear();
    _next_molecule_id = 0;
    _atom_count = 0;
}

void Core::start_level()
{
    std::cout << "Core::start_level" << std::endl;
    set_game_state(Running);
    reset_level(false); // prunes, drops the molecules, resets the elements and the clock
    if (!_available_at_start) _available_at_start = _level_data._available_elements;
    set_simulation_state(true);
}

void Core::reset_level(bool keep_molecules)
{
    prune_level_elements();
    restore_available_elements();

    std::list<Molecule> kept;
    if (keep_molecules) kept.swap(_level_data._molecules);
    forget_molecules();
    _molecules_left_out = 0;
    for (Molecule const& molecule : kept)
    {
        if (has_room_for(molecule))
            add_molecule(molecule);
        else
            ++_molecules_left_out;
    }
    if (_molecules_left_out > 0)
        std::cout << "Core::reset_level " << _molecules_left_out << " molecules beyond the atom limit were left out"
                  << std::endl;

    _sensor_data.reset();
    _sensor_data.area = _level_data._game_field_width * _level_data._game_field_height;
    _level_data.reset_elements();
    _current_time = 0.f;
    _last_sensor_time = 0.f;
    _last_element_update = 0.f;
    emit level_changed(1);
}

void Core::restore_available_elements()
{
    if (_available_at_start) _level_data.set_available_elements(*_available_at_start);
}

void Core::prune_level_elements()
{
    std::vector<Level_element*> doomed;
    for (auto const& element : _level_data._level_elements)
    {
        if (!element->is_persistent() && !is_game_field_border(_level_data, element.get()))
            doomed.push_back(element.get());
    }
    for (Level_element* element : doomed) _level_data.delete_element(element);
    _level_data._temporary_elements.clear();
}

bool Core::save_level(std::string const& file_name)
{
    try
    {
        save_level_file(_level_data, file_name);
        remember_level_as_saved();
        return true;
    }
    catch (std::exception const& error)
    {
        std::cout << "Core::save_level failed: " << error.what() << std::endl;
        return false;
    }
}

std::size_t Core::level_fingerprint() const
{
    return std::hash<std::string>()(level_file_bytes(_level_data));
}

void Core::remember_level_as_saved()
{
    try
    {
        _saved_level_fingerprint = level_fingerprint();
    }
    catch (std::exception const& error)
    {
        std::cout << "Core::remember_level_as_saved " << error.what() << std::endl;
        _saved_level_fingerprint = 0;
    }
}

bool Core::level_changed_since_saved() const
{
    try
    {
        return level_fingerprint() != _saved_level_fingerprint;
    }
    catch (std::exception const& error)
    {
        std::cout << "Core::level_changed_since_saved " << error.what() << std::endl;
        return true; // when in doubt, the player is asked
    }
}

bool Core::load_settings_file(char const* file_name)
{
    std::string reason;
    std::string path;
    try
    {
        path = Data_config::instance()->find_in_data_paths(file_name, true);
        _parameters.load(path);
        return true;
    }
    catch (Missing_data_file const& error)
    {
        reason = error.what();
    }
    catch (std::exception const& error)
    {
        reason = error.what();
        // The defaults are the game's own; the settings are the player's.
        if (!path.empty() && path == players_settings_path())
            keep_unreadable_file(path, "Your simulation settings", error);
    }
    catch (...)
    {
        reason = "unknown error";
    }
    std::cout << "Couldn't load simulation settings file: " << file_name << ", " << reason << std::endl;
    return false;
}

void Core::load_default_simulation_settings()
{
    // The values built in code stay when the file cannot be read.
    load_settings_file("default_simulation_settings.data");
    update_parameters();
}

void Core::load_simulation_settings()
{
    if (load_settings_file("simulation_settings.data"))
        update_parameters();
    else
        load_default_simulation_settings();
}

bool Core::save_simulation_settings()
{
    try
    {
        std::string const path = players_settings_path();
        return save_players_file(path, "Your simulation settings", "Couldn't save sim settings: ",
                                 [this, &path](std::string& error) { return _parameters.save(path, error); });
    }
    catch (std::exception const& error)
    {
        std::cout << "Couldn't save sim settings: " << error.what() << std::endl;
        return false;
    }
}

bool Core::save_progress()
{
    return save_progress_file(progress, Data_config::instance()->find_in_data_paths("progress.data", false));
}

void Core::register_level_parameters()
{
    Main_options_window::instance()->add_parameter_list("Level Data", _level_data.get_parameters());
}

float Core::level_parameter(char const* name)
{
    return _level_data.get_parameters()[name]->get_value<float>();
}
