#include "rendering/Atom_spheres.h"

#include <Eigen/Geometry>

float atom_sphere_radius(Atom const& atom, float scale)
{
    return atom._type == 0 ? 0.3f : scale * atom._radius;
}

Eigen::Matrix4f atom_sphere_model(Atom const& atom, float scale)
{
    Eigen::Affine3f model = Eigen::Translation3f(atom.get_position()) * Eigen::Scaling(atom_sphere_radius(atom, scale));
    return model.matrix();
}
