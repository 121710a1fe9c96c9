#include "screens/play/Element_factory.h"

#include "screens/play/Placement_geometry.h"
#include "simulation/Atom_cannon.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"

#include <functional>
#include <iostream>
#include <map>

namespace
{

int const all_handles =
    Level_element::Rotate | Level_element::Translate | Level_element::Scale | Level_element::Property;

struct Box_corners
{
    Eigen::Vector3f min;
    Eigen::Vector3f max;
};

float border_y(Level_data const& level, Level_data::Plane plane, float fallback)
{
    auto const border = level._game_field_borders.find(plane);
    return border != level._game_field_borders.end() && border->second ? border->second->get_position().y() : fallback;
}

// The element and the level list it belongs to.
struct Built
{
    Level_element* element;
    std::function<void(Level_data&)> add_to_level;
};

template <class Kind> Built built(Kind* element)
{
    return {element, [element](Level_data& level) { level.add_element(element); }};
}

} // namespace

bool add_level_element(Core& core, Eigen::Vector3f const& position, std::string const& name, bool placed_by_user,
                       int count, bool in_editor)
{
    Level_data& level = core.get_level_data();

    if (molecule_exists(name))
    {
        for (Eigen::Vector3f const& at : molecule_positions(position, count))
            if (!core.add_molecule(create_molecule(name, at))) break;
        return true;
    }

    float const floor = border_y(level, Level_data::Y_min, -20.f);
    float const ceiling = border_y(level, Level_data::Y_max, 20.f);
    Eigen::Vector3f const standard_min(position.x() - 10.f, floor + position.y(), position.z() - 10.f);
    Eigen::Vector3f const standard_max(position.x() + 10.f, ceiling + position.y(), position.z() + 10.f);
    Eigen::Vector3f const short_max(position.x() + 10.f, position.y() + 20.f, position.z() + 10.f);

    std::map<std::string, std::function<Built()>> const kinds{
        {"Box_barrier", [&] { return built(new Box_barrier(standard_min, standard_max, 10000.f, 2.f)); }},
        {"Moving_box_barrier", [&] { return built(new Moving_box_barrier(standard_min, standard_max, 10000.f, 2.f)); }},
        {"Blow_barrier", [&] { return built(new Blow_barrier(standard_min, standard_max, 10000.f, 2.f)); }},
        {"Plane_barrier",
         [&] {
             return built(new Plane_barrier(position, Eigen::Vector3f::UnitZ(), 10000.f, 5.f, Eigen::Vector2f(10, 20)));
         }},
        {"Brownian_box",
         [&] {
             auto* box = new Brownian_box(standard_min, standard_max, 0.f);
             box->set_user_editable(all_handles);
             box->set_persistent(in_editor);
             return built(box);
         }},
        {"Box_portal", [&] { return built(new Box_portal(standard_min, standard_max)); }},
        {"Sphere_portal", [&] { return built(new Sphere_portal(standard_min, standard_max)); }},
        {"Molecule_releaser",
         [&] {
             auto* releaser = new Molecule_releaser(standard_min, standard_max, 1.f, 1.f);
             releaser->set_molecule_type("H2O");
             return built(releaser);
         }},
        {"Atom_cannon", [&] { return built(new Atom_cannon(standard_min, standard_max, 1.f, 1.f, 0.f, 10.f)); }},
        {"Charged_barrier",
         [&] {
             auto* barrier = new Charged_barrier(standard_min, short_max, 10000.f, 2.f, 0.f);
             barrier->set_user_editable(all_handles);
             return built(barrier);
         }},
        {"Tractor_barrier",
         [&] {
             auto* tractor = new Tractor_barrier(standard_min, short_max, 10000.f);
             tractor->set_user_editable(all_handles);
             tractor->set_persistent(in_editor);
             return built(tractor);
         }},
    };

    auto const kind = kinds.find(name);
    if (kind == kinds.end())
    {
        std::cout << "Main_game_screen::add_element element does not exist: " << name << std::endl;
        return false;
    }

    Built const element = kind->second();
    if (placed_by_user)
    {
        element.element->set_user_editable(all_handles);
        // A restart takes the player's placements away and gives their counts
        // back; one that stayed could be placed a second time.
        element.element->set_persistent(false);
    }
    element.add_to_level(level);
    return true;
}

std::string atom_limit_notice(int placed, int asked)
{
    if (placed == 0) return "The field already holds as many atoms as the game can simulate: no molecule was placed.";
    return "The field holds as many atoms as the game can simulate: only " + std::to_string(placed) + " of the " +
           std::to_string(asked) + " molecules were placed.";
}
