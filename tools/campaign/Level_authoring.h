#ifndef TOOLS_CAMPAIGN_LEVEL_AUTHORING_H
#define TOOLS_CAMPAIGN_LEVEL_AUTHORING_H

#include "simulation/Box_barrier.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Level_data.h"
#include "simulation/Tractor_barrier.h"

#include <Eigen/Core>

#include <string>

// Small words for writing levels: each builds an element with the game's own
// constructor and hands it to the level.
namespace authoring
{

typedef Eigen::Vector3f V;

// A "Level Data" setting, applied as the options window would apply it.
void set_setting(Level_data& level, std::string const& name, float value);
void set_available(Level_data& level, std::string const& kind, int count);

Molecule_releaser* add_releaser(Level_data& level, V const& min, V const& max, std::string const& type,
                                float first_release, float interval, int max_molecules);
// A portal that needs `needed` molecules; "And" (type 0) unless told otherwise.
Box_portal* add_box_portal(Level_data& level, V const& min, V const& max, int needed, bool swallows);
Sphere_portal* add_sphere_portal(Level_data& level, V const& min, V const& max, int needed, bool swallows);
Brownian_box* add_heat(Level_data& level, V const& min, V const& max, float strength);
Box_barrier* add_wall(Level_data& level, V const& min, V const& max);
Charged_barrier* add_charged(Level_data& level, V const& min, V const& max, float charge);
Tractor_barrier* add_tractor(Level_data& level, V const& min, V const& max, float strength);
void add_molecule(Level_data& level, std::string const& type, V const& position);

// Changes a property as the player's slider does: value, then the element takes it.
void set_property(Level_element& element, std::string const& name, float value);

// What the player places from the toolbar, built as the play screen builds it:
// a box 20 wide in x and z around (x, z), through the field's whole depth (a
// short box 20 deep for charged and tractor barriers), all handles usable. The
// available count goes down by one; placing what is not available throws.
Brownian_box* place_heat(Level_data& level, float x, float z, float strength);
Box_barrier* place_wall(Level_data& level, float x, float z);
Charged_barrier* place_charged(Level_data& level, float x, float z, float charge);
Tractor_barrier* place_tractor(Level_data& level, float x, float z, float strength);

} // namespace authoring

#endif
