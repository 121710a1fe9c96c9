#ifndef SIMULATION_THERMAL_AGITATION_H
#define SIMULATION_THERMAL_AGITATION_H

#include "gl/Frame_buffer.h"

#include <Eigen/Core>

#include <cstdint>

// Heat shakes every atom with a random force that drifts smoothly in time: at
// every 1 / rate seconds each atom gets fresh random components in [-1, 1), and
// between them the force eases from one set to the next. Per-step white noise
// would not do: with the force on a molecule capped at 10, it cannot drive a
// water molecule much beyond 2 units/s against the damping, and its effect would
// change with the time step. The force is scale x temperature x the random
// vector, zero where the temperature is 0 or below.
//
// Both force implementations read these constants (the force shader through
// uniforms) and evaluate the same formula; data/shaders/force_calc.frag mirrors
// the functions below line for line.
//
// Measured (tests/simulation/thermal_agitation_tests.cpp): 40 free water
// molecules under a uniform temperature, Mass Factor 0.1, forces capped at 10,
// damping 0.3 v, Euler steps of 0.01 s, mean speed from 3 s to 30 s:
//   temperature 10: 2.0 units/s (scale 0.05 gave 1.2), temperature 50: 10.0 units/s.
// Speeds grow in proportion to the temperature up to where the cap bites.
constexpr float thermal_agitation_scale = 0.085f;
constexpr float thermal_agitation_rate = 2.f; // fresh random forces per second

// The temperature grid spans the game field's x-z plane: cell (0, 0) sits at
// (-width / 2, -height / 2) and the last cell at (width / 2, height / 2). Points
// are mixed bilinearly from the four nearest cells and clamped to the edge cells;
// a point that is not a number reads the corner cell (0, 0). An empty grid is 0.
float sample_temperature(Frame_buffer<float> const& grid, Eigen::Vector2f const& game_field_size, float x, float z);

Eigen::Vector3f thermal_agitation(std::uint32_t atom_index, float temperature, float time);

#endif
