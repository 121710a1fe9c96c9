#include "tools/campaign/Level_authoring.h"

#include "simulation/Charged_barrier.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Tractor_barrier.h"

#include <stdexcept>

namespace authoring
{

void set_setting(Level_data& level, std::string const& name, float value)
{
    Parameter* parameter = level.get_parameters()[name];
    if (!parameter) throw std::invalid_argument("no level setting " + name);
    parameter->set_value_no_update(value);
    if (parameter->_callback) parameter->_callback();
}

void set_available(Level_data& level, std::string const& kind, int count)
{
    Parameter* parameter = level.get_parameters()["Available elements/" + kind];
    if (!parameter) throw std::invalid_argument("no element kind " + kind);
    parameter->set_value_no_update(count);
    level.apply_parameters();
}

Molecule_releaser* add_releaser(Level_data& level, V const& min, V const& max, std::string const& type,
                                float first_release, float interval, int max_molecules)
{
    Molecule_releaser* releaser = new Molecule_releaser(min, max, first_release, interval);
    releaser->set_molecule_type(type);
    releaser->set_num_max_molecules(max_molecules);
    level.add_element(releaser);
    return releaser;
}

template <class Kind> Kind* add_portal(Level_data& level, V const& min, V const& max, int needed, bool swallows)
{
    Kind* portal = new Kind(min, max);
    portal->get_end_condition().set_min_captured_molecules(needed);
    portal->set_destroy_on_entering(swallows);
    level.add_element(portal);
    return portal;
}

Box_portal* add_box_portal(Level_data& level, V const& min, V const& max, int needed, bool swallows)
{
    return add_portal<Box_portal>(level, min, max, needed, swallows);
}

Sphere_portal* add_sphere_portal(Level_data& level, V const& min, V const& max, int needed, bool swallows)
{
    return add_portal<Sphere_portal>(level, min, max, needed, swallows);
}

Brownian_box* add_heat(Level_data& level, V const& min, V const& max, float strength)
{
    Brownian_box* box = new Brownian_box(min, max, strength);
    level.add_element(box);
    return box;
}

Box_barrier* add_wall(Level_data& level, V const& min, V const& max)
{
    Box_barrier* wall = new Box_barrier(min, max, 10000.f, 2.f);
    level.add_element(wall);
    return wall;
}

Charged_barrier* add_charged(Level_data& level, V const& min, V const& max, float charge)
{
    Charged_barrier* barrier = new Charged_barrier(min, max, 10000.f, 2.f, charge);
    level.add_element(barrier);
    return barrier;
}

Tractor_barrier* add_tractor(Level_data& level, V const& min, V const& max, float strength)
{
    Tractor_barrier* tractor = new Tractor_barrier(min, max, 10000.f);
    set_property(*tractor, "tractor_strength", strength);
    level.add_element(tractor);
    return tractor;
}

void add_molecule(Level_data& level, std::string const& type, V const& position)
{
    level._molecules.push_back(create_molecule(type, position));
}

void set_property(Level_element& element, std::string const& name, float value)
{
    Parameter* property = element.get_properties()[name];
    if (!property) throw std::invalid_argument("no property " + name);
    property->set_value_no_update(value);
    element.apply_parameters(element.get_properties());
}

namespace
{

void take_available(Level_data& level, std::string const& kind)
{
    int& count = level._available_elements[kind];
    if (count < 1) throw std::logic_error("no " + kind + " left to place");
    --count;
    level.update_parameters_from_data();
}

float floor_y(Level_data& level)
{
    return level._game_field_borders.at(Level_data::Y_min)->get_position().y();
}

float ceiling_y(Level_data& level)
{
    return level._game_field_borders.at(Level_data::Y_max)->get_position().y();
}

V standard_min(Level_data& level, float x, float z)
{
    return V(x - 10.f, floor_y(level), z - 10.f);
}

V standard_max(Level_data& level, float x, float z)
{
    return V(x + 10.f, ceiling_y(level), z + 10.f);
}

V short_max(float x, float z)
{
    return V(x + 10.f, 20.f, z + 10.f);
}

template <class Element> Element* placed(Element* element, bool persistent)
{
    element->set_user_editable(Level_element::Rotate | Level_element::Translate | Level_element::Scale |
                               Level_element::Property);
    element->set_persistent(persistent);
    return element;
}

} // namespace

Brownian_box* place_heat(Level_data& level, float x, float z, float strength)
{
    take_available(level, "Brownian_box");
    Brownian_box* box = placed(new Brownian_box(standard_min(level, x, z), standard_max(level, x, z), 0.f), false);
    level.add_element(box);
    set_property(*box, "strength", strength);
    return box;
}

Box_barrier* place_wall(Level_data& level, float x, float z)
{
    take_available(level, "Box_barrier");
    Box_barrier* wall =
        placed(new Box_barrier(standard_min(level, x, z), standard_max(level, x, z), 10000.f, 2.f), true);
    level.add_element(wall);
    return wall;
}

Charged_barrier* place_charged(Level_data& level, float x, float z, float charge)
{
    take_available(level, "Charged_barrier");
    Charged_barrier* barrier =
        placed(new Charged_barrier(standard_min(level, x, z), short_max(x, z), 10000.f, 2.f, 0.f), true);
    level.add_element(barrier);
    set_property(*barrier, "charge", charge);
    return barrier;
}

Tractor_barrier* place_tractor(Level_data& level, float x, float z, float strength)
{
    take_available(level, "Tractor_barrier");
    Tractor_barrier* tractor = placed(new Tractor_barrier(standard_min(level, x, z), short_max(x, z), 10000.f), false);
    level.add_element(tractor);
    set_property(*tractor, "tractor_strength", strength);
    return tractor;
}

} // namespace authoring
