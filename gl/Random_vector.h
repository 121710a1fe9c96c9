#ifndef GL_RANDOM_VECTOR_H
#define GL_RANDOM_VECTOR_H

#include <Eigen/Core>

// A random direction of length 1 from std::rand. Each component is drawn in
// [-1, 1] and the vector normalised, so directions favour the cube's corners.
Eigen::Vector3f random_unit_vector();

#endif
