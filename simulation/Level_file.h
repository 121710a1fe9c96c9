#ifndef SIMULATION_LEVEL_FILE_H
#define SIMULATION_LEVEL_FILE_H

#include <string>

class Level_data;

// Level files: XML archives with the root element "_level_data".

// What a level file of the level holds.
std::string level_file_bytes(Level_data const& level);

// The archive is built in memory first, so a level holding an element that cannot
// be stored throws the archive's error and leaves the file as it was. A file that
// cannot be written throws std::runtime_error with the reason.
void save_level_file(Level_data const& level, std::string const& path);

// Reads a level into `level`. A missing file throws std::runtime_error("No such
// file."); a damaged or foreign one throws the archive's error. After a failure
// the level may be half filled, but it owns every element it points to: clear it.
void load_level_file(std::string const& path, Level_data& level);

// Whether the file reads as a level, tried on a scratch level so that no level
// in play is touched; why not goes to `reason`.
bool is_loadable_level_file(std::string const& path, std::string& reason);

#endif
