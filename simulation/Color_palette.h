#ifndef SIMULATION_COLOR_PALETTE_H
#define SIMULATION_COLOR_PALETTE_H

#include "gl/Color.h"

#include <vector>

// Atom colours, indexed by the atom's `_type`.
std::vector<Color> const& color_palette();

#endif
