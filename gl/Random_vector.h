#ifndef GL_RANDOM_VECTOR_H
#define GL_RANDOM_VECTOR_H

#include <Eigen/Core>

// Each component uniform in [-1, 1], drawn from std::rand in the order x, y, z.
Eigen::Vector3f random_signed_vector();

// A random direction of length 1 from std::rand. Each component is drawn in
// [-1, 1] and the vector normalised, so directions favour the cube's corners.
Eigen::Vector3f random_unit_vector();

#endif
