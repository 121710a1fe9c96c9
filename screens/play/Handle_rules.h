#ifndef SCREENS_PLAY_HANDLE_RULES_H
#define SCREENS_PLAY_HANDLE_RULES_H

#include "screens/play/Play_mode.h"

#include <Eigen/Core>

#include <optional>

class Level_element;

// Which of an element's handles can be picked (Draggable_box handle sets): while
// the level runs, only those its editing bits allow; before, every handle in the
// editor and all but the settings disc elsewhere.
int pickable_handle_sets(int mode, int game_state, int user_editable);

// Whether the overlay shows every handle icon of an element, or only those its
// editing bits allow: everything only in the editor while no level runs.
bool shows_every_handle(int mode, int game_state);

// The handle box an element gets: its box's full extent, and whether the box
// must follow the element because the element moves by itself.
struct Handle_box_shape
{
    Eigen::Vector3f extent;
    bool follows_element;
};

// None for the kinds without handles: plane barriers, atoms and anything not
// box-shaped.
std::optional<Handle_box_shape> handle_box_shape(Level_element& element);

#endif
