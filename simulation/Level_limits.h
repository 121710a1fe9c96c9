#ifndef SIMULATION_LEVEL_LIMITS_H
#define SIMULATION_LEVEL_LIMITS_H

#include <cstddef>

// What one level can hold. Counts read from a file are kept within these, so
// that no file makes the game allocate or loop without bound.

// Live atoms: the force pass holds one per texel of its 64 x 64 textures. With
// at least one atom each, no level holds more molecules either.
int const level_atom_limit = 4096;

// Particles of one element's swarm.
std::size_t const swarm_particle_limit = 4096;

#endif
