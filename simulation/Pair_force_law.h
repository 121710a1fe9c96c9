#ifndef SIMULATION_PAIR_FORCE_LAW_H
#define SIMULATION_PAIR_FORCE_LAW_H

// Every evaluation of the pair law (on the CPU and in the force shader) takes
// distances below this as this: two atoms at one point would otherwise divide by
// zero and poison their molecules with NaN for good.
constexpr float pair_force_min_distance = 0.01f;

#endif
