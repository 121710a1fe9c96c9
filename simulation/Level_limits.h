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

// How far from the field's centre, on any axis, a level's elements and molecules
// may lie. The widest field is 200 across and the camera sees 1000 far, so
// nothing placed or dragged in the editor comes near it. Past it a value is a
// hand edit that shows nothing, and at 1e30 float rounding merges everything
// put there: a releaser's molecules land in a portal however far apart the two
// are set, and the level is won unseen.
float const level_reach = 10000.f;

#endif
