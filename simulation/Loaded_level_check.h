#ifndef SIMULATION_LOADED_LEVEL_CHECK_H
#define SIMULATION_LOADED_LEVEL_CHECK_H

class Level_data;

// Throws std::runtime_error naming the first part of a level just read that the
// game cannot hold: an element, an element's reach or sweep, or a molecule
// beyond level_reach, or a releaser of a molecule type the game does not know.
void check_loaded_level(Level_data& level);

#endif
