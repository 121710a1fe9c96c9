#ifndef SIMULATION_PAIR_FORCE_LAW_H
#define SIMULATION_PAIR_FORCE_LAW_H

// Every evaluation of the pair law (on the CPU and in the force shader) takes
// distances below this as this: two atoms at one point would otherwise divide by
// zero and poison their molecules with NaN for good.
constexpr float pair_force_min_distance = 0.01f;

// The most atoms a level may hold: the GPU pass has room for 4096 and keeps a
// margin below it. Both force implementations report it.
constexpr int pair_force_max_atoms = 4066;

#endif
