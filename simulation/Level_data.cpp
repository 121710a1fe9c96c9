#include "simulation/Level_data.h"

#include "simulation/Loaded_level_check.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <set>
#include <stdexcept>

namespace
{

template <class T> void remove_pointer(std::vector<T*>& list, Level_element const* element)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                              [element](T* entry) { return static_cast<Level_element const*>(entry) == element; }),
               list.end());
}

// Drops empty entries, entries `keep` refuses, and every repeat of an entry.
template <class T, class Keep> void keep_each_once(std::vector<T*>& list, Keep const& keep)
{
    std::set<T*> seen;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](T* entry) { return !entry || !seen.insert(entry).second || !keep(entry); }),
               list.end());
}

// Into [lowest, highest]; a value that is not a number goes to the lowest.
float clamp_into(float value, float lowest, float highest)
{
    return value > highest ? highest : (value >= lowest ? value : lowest);
}

// Into [0, 1]; a value that is not a number (an empty field) counts as 0.
float unit_clamp(float value)
{
    return clamp_into(value, 0.f, 1.f);
}

// Of each kind the player may place.
int const most_available = 9;

} // namespace

Level_data::Level_data()
{
    std::cout << "Level_data::Level_data" << std::endl;

    auto const size_changed = [this] { update_game_field(); };
    auto const setting_changed = [this] { apply_parameters(); };

    add_parameter(_parameters, new Parameter("Game Field Width", 80.f, 40.f, 200.f, size_changed));
    add_parameter(_parameters, new Parameter("Game Field Height", 40.f, 20.f, 200.f, size_changed));
    add_parameter(_parameters, new Parameter("Game Field Depth", 40.f, 5.f, 100.f, size_changed));
    add_parameter(_parameters, new Parameter("score_time_factor", 60.f, 1.f, 3000.f, setting_changed));
    add_parameter(_parameters, new Parameter("rotation_damping", 0.3f, 0.1f, 1.f, setting_changed));
    add_parameter(_parameters, new Parameter("translation_damping", 0.3f, 0.1f, 1.f, setting_changed));
    add_parameter(_parameters, new Parameter("rotation_fluctuation", 0.f, -50.f, 50.f, setting_changed));
    add_parameter(_parameters, new Parameter("translation_fluctuation", 0.f, -50.f, 50.f, setting_changed));
    add_parameter(_parameters, new Parameter("Temperature", 0.f, -50.f, 50.f, setting_changed));
    add_parameter(_parameters, new Parameter("Damping", 0.3f, 0.1f, 1.f, setting_changed));
    add_parameter(_parameters, new Parameter("gravity", 0.f, 0.f, 10.f, setting_changed));

    Parameter* background = new Parameter();
    background->_name = "background_name";
    background->_value = std::string("iss_interior_1.png");
    background->_callback = setting_changed;
    add_parameter(_parameters, background);

    _parameters._children["Available elements"] = &_available_element_parameters;
    for (std::string const& name : available_element_kinds())
        add_parameter(_available_element_parameters, new Parameter(name, 0, 0, most_available, setting_changed));
}

Level_data::~Level_data() = default;

void Level_data::add_parameter(Parameter_list& list, Parameter* parameter)
{
    _owned_parameters.emplace_back(parameter);
    list.add(parameter);
}

Parameter& Level_data::parameter(std::string const& path)
{
    return *_parameters[path];
}

bool Level_data::owns(Level_element const* element) const
{
    return std::any_of(_level_elements.begin(), _level_elements.end(),
                       [element](boost::shared_ptr<Level_element> const& owner) { return owner.get() == element; });
}

void Level_data::take_ownership(Level_element* element)
{
    _level_elements.emplace_back(element);
}

template <class Kind> void Level_data::list_and_own(std::vector<Kind*>& list, Kind* element)
{
    if (!element || owns(element)) return;
    list.push_back(element);
    take_ownership(element);
}

void Level_data::add_element(Barrier* barrier)
{
    list_and_own(_barriers, barrier);
}

void Level_data::add_element(Portal* portal)
{
    list_and_own(_portals, portal);
}

void Level_data::add_element(Brownian_element* element)
{
    list_and_own(_brownian_elements, element);
}

void Level_data::add_element(Molecule_releaser* releaser)
{
    list_and_own(_molecule_releasers, releaser);
}

void Level_data::delete_element(Level_element* element)
{
    remove_pointer(_molecule_releasers, element);
    remove_pointer(_barriers, element);
    remove_pointer(_portals, element);
    remove_pointer(_brownian_elements, element);
    // A border map entry would dangle once the element is gone.
    for (auto border = _game_field_borders.begin(); border != _game_field_borders.end();)
    {
        if (border->second == element)
            border = _game_field_borders.erase(border);
        else
            ++border;
    }
    _level_elements.erase(
        std::remove_if(_level_elements.begin(), _level_elements.end(),
                       [element](boost::shared_ptr<Level_element> const& owner) { return owner.get() == element; }),
        _level_elements.end());
}

void Level_data::release_elements()
{
    _game_field_borders.clear();
    _barriers.clear();
    _portals.clear();
    _brownian_elements.clear();
    _molecule_releasers.clear();
    _temporary_elements.clear();
    _level_elements.clear();
}

void Level_data::clear_elements()
{
    _molecules.clear();
    release_elements();
    _external_forces.clear();
}

void Level_data::reset()
{
    struct Default
    {
        char const* name;
        float value;
    };
    Default const defaults[] = {{"Game Field Width", 80.f}, {"Game Field Height", 40.f}, {"Game Field Depth", 40.f},
                                {"Temperature", 0.f},       {"Damping", 0.3f},           {"gravity", 0.f}};
    for (Default const& entry : defaults)
    {
        Parameter& setting = parameter(entry.name);
        setting.set_value_no_update(entry.value);
        if (setting._callback) setting._callback();
    }
    apply_parameters();
}

void Level_data::reset_elements()
{
    for (auto const& element : _level_elements)
    {
        if (element) element->reset();
    }
}

External_force& Level_data::gravity()
{
    return _external_forces["gravity"];
}

void Level_data::apply_parameters()
{
    _score_time_factor = parameter("score_time_factor").get_value<float>();
    _background_name = parameter("background_name").get_value<std::string>();

    float const temperature = parameter("Temperature").get_value<float>();
    _rotation_fluctuation = temperature;
    _translation_fluctuation = temperature;

    float const damping = parameter("Damping").get_value<float>();
    _rotation_damping = damping;
    _translation_damping = damping;

    gravity()._force.z() = -parameter("gravity").get_value<float>();

    _game_field_width = parameter("Game Field Width").get_value<float>();
    _game_field_height = parameter("Game Field Height").get_value<float>();

    for (auto const& entry : _available_element_parameters._list)
        _available_elements[entry.first] = entry.second->get_value<int>();

    update_parameters_from_data();
}

void Level_data::update_parameters_from_data()
{
    parameter("score_time_factor").set_value_no_update(_score_time_factor);
    parameter("background_name").set_value_no_update(_background_name);
    parameter("rotation_damping").set_value_no_update(_rotation_damping);
    parameter("translation_damping").set_value_no_update(_translation_damping);
    parameter("rotation_fluctuation").set_value_no_update(_rotation_fluctuation);
    parameter("translation_fluctuation").set_value_no_update(_translation_fluctuation);

    parameter("Temperature").set_value_no_update((_rotation_fluctuation + _translation_fluctuation) / 2.f);
    parameter("Damping").set_value_no_update((_rotation_damping + _translation_damping) / 2.f);

    parameter("gravity").set_value_no_update(-gravity()._force.z());

    if (has_game_field_borders())
    {
        auto const at = [this](Plane plane) { return _game_field_borders.at(plane)->get_position(); };
        parameter("Game Field Width").set_value_no_update(at(X_max).x() - at(X_min).x());
        parameter("Game Field Depth").set_value_no_update(at(Y_max).y() - at(Y_min).y());
        parameter("Game Field Height").set_value_no_update(at(Z_max).z() - at(Z_min).z());
    }
    refresh_game_field_size();
    update_available_element_parameters();
}

void Level_data::update_available_element_parameters()
{
    for (auto const& entry : _available_element_parameters._list)
        entry.second->set_value_no_update(_available_elements[entry.first]);
}

std::vector<std::string> const& Level_data::available_element_kinds()
{
    static std::vector<std::string> const kinds{"Box_barrier",    "Brownian_box",      "Box_portal",
                                                "Sphere_portal",  "Molecule_releaser", "Charged_barrier",
                                                "Tractor_barrier"};
    return kinds;
}

bool Level_data::take_available_element(std::string const& kind)
{
    auto const found = _available_elements.find(kind);
    if (found == _available_elements.end() || found->second < 1) return false;
    --found->second;
    update_available_element_parameters();
    return true;
}

void Level_data::set_available_elements(std::map<std::string, int> const& counts)
{
    _available_elements = counts;
    update_available_element_parameters();
}

void Level_data::update_game_field()
{
    float const width = parameter("Game Field Width").get_value<float>();
    float const height = parameter("Game Field Height").get_value<float>();
    float const depth = parameter("Game Field Depth").get_value<float>();
    Eigen::Vector3f const half_size(width / 2.f, depth / 2.f, height / 2.f);
    rebuild_game_field_borders(-half_size, half_size);
    refresh_game_field_size();
}

void Level_data::rebuild_game_field_borders(Eigen::Vector3f const& min_corner, Eigen::Vector3f const& max_corner)
{
    std::vector<Plane_barrier*> old_borders;
    for (auto const& border : _game_field_borders) old_borders.push_back(border.second);
    for (Plane_barrier* border : old_borders) delete_element(border);
    _game_field_borders.clear();

    Eigen::Vector3f const centre = (min_corner + max_corner) / 2.f;
    Eigen::Vector3f const size = max_corner - min_corner;
    for (int axis = 0; axis < 3; ++axis)
    {
        int const first_other = axis == 0 ? 1 : 0;
        int const second_other = axis == 2 ? 1 : 2;
        Eigen::Vector2f const extent(size[first_other], size[second_other]);
        for (int side = 0; side < 2; ++side)
        {
            // Normals point into the field.
            Eigen::Vector3f const normal = Eigen::Vector3f::Unit(axis) * (side == 0 ? 1.f : -1.f);
            Eigen::Vector3f const position = centre - normal * size[axis] / 2.f;
            auto* border = new Plane_barrier(position, normal, 10000.f, 2.f, extent);
            _game_field_borders[Plane(axis + 3 * side)] = border;
            add_element(border);
        }
    }
}

void Level_data::enable_unstable_options()
{
    for (char const* name : {"Damping", "rotation_damping", "translation_damping"})
        parameter(name).set_min_max(0.f, 1.f);
}

bool Level_data::has_game_field_borders() const
{
    for (int plane = X_min; plane <= Z_max; ++plane)
    {
        auto const border = _game_field_borders.find(Plane(plane));
        if (border == _game_field_borders.end() || !border->second) return false;
    }
    return true;
}

void Level_data::refresh_game_field_size()
{
    if (!has_game_field_borders()) return;
    _game_field_width =
        _game_field_borders.at(X_max)->get_position().x() - _game_field_borders.at(X_min)->get_position().x();
    _game_field_height =
        _game_field_borders.at(Z_max)->get_position().z() - _game_field_borders.at(Z_min)->get_position().z();
}

float Level_data::get_temperature(Eigen::Vector3f const& point) const
{
    int const width = _temperature_grid.get_width();
    int const height = _temperature_grid.get_height();
    float const u = unit_clamp(point.x() / (_game_field_width / 2.f) * 0.5f + 0.5f);
    float const v = unit_clamp(point.z() / (_game_field_height / 2.f) * 0.5f + 0.5f);
    float const fx = float(width - 1) * u;
    float const fy = float(height - 1) * v;
    int const ix = int(std::floor(fx));
    int const iy = int(std::floor(fy));
    int const ix_next = std::min(ix + 1, width - 1);
    int const iy_next = std::min(iy + 1, height - 1);
    float const ax = fx - float(ix);
    float const ay = fy - float(iy);
    Frame_buffer<float> const& grid = _temperature_grid;
    float const bottom = (1.f - ax) * grid.get_pixel(ix, iy) + ax * grid.get_pixel(ix_next, iy);
    float const top = (1.f - ax) * grid.get_pixel(ix, iy_next) + ax * grid.get_pixel(ix_next, iy_next);
    return (1.f - ay) * bottom + ay * top;
}

void Level_data::settle_ownership(Level_load_guard& guard, bool read_completed)
{
    // An element the file names twice would be animated, reset and counted twice.
    std::set<Level_element const*> owned;
    _level_elements.erase(std::remove_if(_level_elements.begin(), _level_elements.end(),
                                         [&owned](boost::shared_ptr<Level_element> const& element) {
                                             return !element || !owned.insert(element.get()).second;
                                         }),
                          _level_elements.end());

    // A read that stopped part-way leaves entries to elements it did not finish:
    // only the owned ones are sound. After a complete read every entry is, and an
    // unowned one is adopted.
    auto const keep = [&](Level_element* element) {
        if (owned.count(element)) return true;
        if (!read_completed) return false;
        take_ownership(element);
        owned.insert(element);
        return true;
    };
    std::set<Plane_barrier*> borders;
    for (auto border = _game_field_borders.begin(); border != _game_field_borders.end();)
    {
        bool const known_side = border->first >= X_min && border->first <= Z_max;
        if (known_side && border->second && borders.insert(border->second).second && keep(border->second))
            ++border;
        else
            border = _game_field_borders.erase(border);
    }
    // A barrier listed twice would push twice.
    keep_each_once(_barriers, keep);
    keep_each_once(_portals, keep);
    keep_each_once(_brownian_elements, keep);
    keep_each_once(_molecule_releasers, keep);
    guard.free_unowned(_level_elements);
}

void Level_data::settle_loaded_values()
{
    // The file's values stay within what the editor's sliders allow: beyond them
    // a damping of 1e38 turns every molecule into NaN.
    auto const clamp_to_range = [this](char const* name, float& field) {
        Parameter const& range = parameter(name);
        field = clamp_into(field, range.get_min<float>(), range.get_max<float>());
    };
    clamp_to_range("Damping", _translation_damping);
    clamp_to_range("Damping", _rotation_damping);
    clamp_to_range("Temperature", _rotation_fluctuation);
    clamp_to_range("Temperature", _translation_fluctuation);
    clamp_to_range("score_time_factor", _score_time_factor);
    auto const gravity_entry = _external_forces.find("gravity");
    if (gravity_entry != _external_forces.end())
    {
        float strength = -gravity_entry->second._force.z();
        clamp_to_range("gravity", strength);
        gravity_entry->second._force.z() = -strength;
    }
    for (auto& available : _available_elements)
        available.second = std::min(std::max(available.second, 0), most_available);
    for (Molecule const& molecule : _molecules) molecule.check_loaded();
    check_loaded_level(*this);
}
