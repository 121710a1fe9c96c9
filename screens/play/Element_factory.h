#ifndef SCREENS_PLAY_ELEMENT_FACTORY_H
#define SCREENS_PLAY_ELEMENT_FACTORY_H

#include <Eigen/Core>

#include <string>

class Core;

// Builds what the toolbar, the editor or a tutorial step adds by name at
// `position` and hands it to the level: `count` molecules of a molecule kind, or
// one element of an element kind. Elements span the field's depth (charged and
// tractor barriers only 20 units of it) and 20 units in x and z around the
// position; y counts from the floor. The player's own placements are fully
// editable and last only for the run they were placed in. Heating boxes and
// tractors are the player's tools and go at a restart too, unless a designer
// puts them into the level in the editor. False, with a message, for a name
// that is no kind; molecules beyond what the force pass holds are refused by Core.
bool add_level_element(Core& core, Eigen::Vector3f const& position, std::string const& name, bool placed_by_user,
                       int count, bool in_editor = false);

// What the player is told when the atom limit left molecules of a placement out.
std::string atom_limit_notice(int placed, int asked);

#endif
