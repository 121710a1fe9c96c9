#include "Game_entry_points.h"

#include "foundation/Data_config.h"
#include "foundation/Xml_archive_file.h"
#include "simulation/Core.h"
#include "simulation/Level_file.h"
#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"

#include <QDir>
#include <QFile>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace
{

QString const game_data = TEST_FIXTURE_DIR "/../data/";
float const tick = 1.f / 64.f;

// A data tree with the shipped defaults and one shipped level, pointed at.
std::string make_data_tree(std::string const& directory, bool with_defaults)
{
    QString const data = QString::fromStdString(directory) + "/app/data";
    QDir().mkpath(data + "/levels");
    if (with_defaults)
        QFile::copy(game_data + "default_simulation_settings.data", data + "/default_simulation_settings.data");
    QFile::copy(game_data + "levels/Level 1.data", data + "/levels/Level 1.data");
    Capture_stdout quiet;
    Data_config::set_application_directory(QString::fromStdString(directory) + "/app");
    return data.toStdString();
}

void write_bytes(std::string const& path, std::string const& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool contains(std::string const& text, std::string const& part)
{
    return text.find(part) != std::string::npos;
}

void run_ticks(Core& core, int count)
{
    for (int i = 0; i < count; ++i) core.update(tick);
}

std::string variant_text(Parameter::Variant const& value)
{
    std::ostringstream text;
    text << value.which() << ":" << value;
    return text.str();
}

void collect_values(Parameter_list const& list, std::string const& prefix, Parameter_values& values)
{
    for (auto const& entry : list._list)
    {
        if (entry.second)
            values[prefix + entry.first] =
                variant_text(entry.second->_value) + " #" + std::to_string(entry.second->_index);
    }
    for (auto const& child : list._children)
    {
        if (child.second) collect_values(*child.second, prefix + child.first + "/", values);
    }
}

// Why the values of a list that took a file cannot be used, or nothing.
std::string unusable_value(Parameter_list const& list)
{
    for (auto const& entry : list._list)
    {
        Parameter const& parameter = *entry.second;
        if (parameter._special_type == Parameter::List)
        {
            if (parameter._index < 0 || std::size_t(parameter._index) >= parameter._value_list.size())
                return entry.first + " chooses no choice";
            continue;
        }
        if (parameter._value_list.size() != 2) continue;
        Parameter::Variant const& value = parameter._value;
        bool const beyond = (value.which() == 1 && (!(boost::get<float>(value) >= parameter.get_min<float>()) ||
                                                    !(boost::get<float>(value) <= parameter.get_max<float>()))) ||
                            (value.which() == 2 && (boost::get<int>(value) < parameter.get_min<int>() ||
                                                    boost::get<int>(value) > parameter.get_max<int>()));
        if (beyond) return entry.first + " beyond its range";
    }
    for (auto const& child : list._children)
    {
        std::string const reason = unusable_value(*child.second);
        if (!reason.empty()) return child.first + "/" + reason;
    }
    return std::string();
}

template <class T> bool each_once(std::vector<T*> const& list, std::set<Level_element const*> const& owned)
{
    std::set<T*> seen;
    for (T* entry : list)
    {
        if (!entry || !owned.count(entry) || !seen.insert(entry).second) return false;
    }
    return true;
}

// Why a level that took a file is not one the game can play, or nothing.
std::string unsound_level(Level_data& level)
{
    std::set<Level_element const*> owned;
    for (auto const& element : level._level_elements)
    {
        if (!element || !owned.insert(element.get()).second) return "an element owned twice";
    }
    for (auto const& border : level._game_field_borders)
    {
        if (!owned.count(border.second) || border.first < Level_data::X_min || border.first > Level_data::Z_max)
            return "a border the level does not own";
    }
    if (!each_once(level._barriers, owned) || !each_once(level._portals, owned) ||
        !each_once(level._brownian_elements, owned) || !each_once(level._molecule_releasers, owned))
        return "an element listed twice or not owned";

    Parameter_list& parameters = level.get_parameters();
    float const lowest_damping = parameters["Damping"]->get_min<float>();
    for (float damping : {level._translation_damping, level._rotation_damping})
    {
        if (!(damping >= lowest_damping && damping <= 1.f)) return "a damping beyond its range";
    }
    for (float temperature : {level._translation_fluctuation, level._rotation_fluctuation})
    {
        if (!(temperature >= -50.f && temperature <= 50.f)) return "a temperature beyond its range";
    }
    for (Portal const* portal : level._portals)
    {
        int const wanted = portal->get_end_condition().get_min_captured_molecules();
        if (wanted < 0 || wanted > level_atom_limit) return "a portal wanting more molecules than a level holds";
        auto const* box = dynamic_cast<Box_portal const*>(portal);
        if (box && box->get_particles().size() > swarm_particle_limit) return "a portal swarm beyond its limit";
    }
    for (Molecule_releaser const* releaser : level._molecule_releasers)
    {
        if (releaser->get_num_max_molecules() > level_atom_limit) return "a releaser releasing beyond the limit";
    }
    std::size_t atoms = 0;
    for (Molecule const& molecule : level._molecules) atoms += molecule._atoms.size();
    if (atoms > std::size_t(level_atom_limit)) return "more atoms than the force pass holds";
    return unusable_value(parameters);
}

bool is_default_level(Level_data const& level)
{
    return level._game_field_borders.size() == 6 && level._level_elements.size() == 6 && level._barriers.size() == 6 &&
           level._portals.empty() && level._molecules.empty() && level._game_field_width == 80.f &&
           level._game_field_height == 40.f;
}

int refused(std::string& note, std::string const& reason, std::string const& said)
{
    std::size_t const keep = 1500;
    note =
        reason + (said.empty() ? "" : "; the game said: " + said.substr(said.size() > keep ? said.size() - keep : 0));
    return 1;
}

} // namespace

Parameter_values values_of(Parameter_list const& list)
{
    Parameter_values values;
    collect_values(list, "", values);
    return values;
}

int play_level_file(std::string const& directory, std::string const& bytes, std::string& note)
{
    std::string const data = make_data_tree(directory, true);
    std::string const file = data + "/levels/Damaged.data";
    write_bytes(file, bytes);
    Capture_stdout out;
    Core core;

    // The editor's pause first reads the file into a scratch level of its own,
    // and loads only a file that read.
    std::string unreadable;
    bool const readable = is_loadable_level_file(file, unreadable);
    core.load_level(file);
    std::string const said = out.text();
    bool const refusal = contains(said, "Failed to load level file: " + file) ||
                         contains(said, "Boost Archive Exception. Failed to load level file: " + file);
    if (readable == refusal)
    {
        std::string const disagreement = readable ? "read by the editor's check, refused by Core"
                                                  : "refused by the editor's check (" + unreadable + "), read by Core";
        return refused(note, disagreement, said);
    }
    if (refusal && !is_default_level(core.get_level_data()))
        return refused(note, "refused, but not replaced by the default level", said);
    if (!refusal)
    {
        std::string const reason = unsound_level(core.get_level_data());
        if (!reason.empty()) return refused(note, "loaded " + reason, said);
    }

    core.start_level();
    run_ticks(core, 100);
    std::string const saved = data + "/levels/Saved.data";
    std::size_t const before_save = out.text().size();
    if (!core.save_level(saved))
    {
        if (!contains(out.text().substr(before_save), "Core::save_level failed: "))
            return refused(note, "a save failed without saying why", out.text());
        return refusal ? fell_back : file_loaded;
    }
    std::size_t const before_reload = out.text().size();
    core.load_level(saved);
    if (contains(out.text().substr(before_reload), "Failed to load level file") ||
        contains(out.text().substr(before_reload), "Boost Archive Exception"))
        return refused(note, "a level it saved did not load back", out.text().substr(before_reload));
    return refusal ? fell_back : file_loaded;
}

int start_with_progress_file(std::string const& directory, std::string const& bytes, std::string& note)
{
    std::string const data = make_data_tree(directory, true);
    write_bytes(data + "/progress.data", bytes);
    Capture_stdout out;
    Core core;
    std::string const said = out.text();

    bool const refusal = contains(said, "Failed to load progress file, progress reset: ");
    Progress const& progress = core.progress;
    if (refusal && (progress.last_level != 0 || !progress.scores.empty() || progress.sandbox_warning_seen))
        return refused(note, "refused, but not reset", said);
    if (progress.last_level < 0 || progress.last_level > core.get_level_names().size())
        return refused(note, "a last level beyond the levels", said);
    for (auto const& level : progress.scores)
    {
        for (Score const& score : level.second)
        {
            if (score.sensor_data._data.size() != Sensor_data::series_count)
                return refused(note, "a run without its four series", said);
        }
    }

    std::size_t const before_save = out.text().size();
    if (!core.save_progress())
    {
        if (!contains(out.text().substr(before_save), "could not save"))
            return refused(note, "a save failed without saying why", out.text());
        return refusal ? fell_back : file_loaded;
    }
    Progress const reloaded = load_progress_file(data + "/progress.data");
    if (write_xml_archive("_progress", reloaded) != write_xml_archive("_progress", progress))
        return refused(note, "saved progress loaded back different", out.text());
    return refusal ? fell_back : file_loaded;
}

namespace
{

// A level with every kind of molecule, run under the settings just read.
void tick_a_level(Core& core)
{
    core.reset_level_data();
    core.add_molecule(create_molecule("H2O", Eigen::Vector3f(-5.f, 0.f, 0.f)));
    core.add_molecule(create_molecule("Na", Eigen::Vector3f(0.f, 0.f, 2.f)));
    core.add_molecule(create_molecule("Cl", Eigen::Vector3f(5.f, 0.f, 0.f)));
    core.get_level_data()._molecules.front()._L = Eigen::Vector3f(0.f, 0.f, 3.f);
    core.start_level();
    run_ticks(core, 100);
}

// Refused settings leave the fallback's values, taken ones are usable; then a
// level runs under them.
int run_under_settings(Core& core, std::string const& said, std::string const& refusal_message,
                       Parameter_values const& fallback_values, std::string& note)
{
    bool const refusal = contains(said, refusal_message);
    if (refusal && values_of(core.get_parameters()) != fallback_values)
        return refused(note, "refused, but without the fallback's values", said);
    std::string const reason = unusable_value(core.get_parameters());
    if (!reason.empty()) return refused(note, "took " + reason, said);
    tick_a_level(core);
    return refusal ? fell_back : file_loaded;
}

} // namespace

int start_with_defaults_file(std::string const& directory, std::string const& bytes,
                             Parameter_values const& code_values, std::string& note)
{
    std::string const data = make_data_tree(directory, false);
    write_bytes(data + "/default_simulation_settings.data", bytes);
    Capture_stdout out;
    Core core;
    return run_under_settings(core, out.text(),
                              "Couldn't load simulation settings file: default_simulation_settings.data, ", code_values,
                              note);
}

int load_settings_file(std::string const& directory, std::string const& bytes, Parameter_values const& default_values,
                       std::string& note)
{
    std::string const data = make_data_tree(directory, true);
    write_bytes(data + "/simulation_settings.data", bytes);
    Capture_stdout out;
    Core core;
    std::size_t const before = out.text().size();
    core.load_simulation_settings();
    return run_under_settings(core, out.text().substr(before),
                              "Couldn't load simulation settings file: simulation_settings.data, ", default_values,
                              note);
}
