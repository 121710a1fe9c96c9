#ifndef SIMULATION_ATOM_SURFACE_POINTS_H
#define SIMULATION_ATOM_SURFACE_POINTS_H

#include "gl/Color.h"
#include "simulation/Molecule.h"

#include <vector>

// A point on the sphere of one atom of a molecule.
struct Atom_surface_point
{
    int atom_index;
    Eigen::Vector3f direction; // unit, from the atom's centre
};

// `count` points spread evenly over the atoms' spheres, the atoms drawn in
// proportion to their number (Halton sequences of bases 2, 3 and 5). None for a
// molecule without atoms.
std::vector<Atom_surface_point> atom_surface_points(Molecule const& molecule, int count);

// The palette colour of the atom's element, opaque.
Color4 atom_color(Atom const& atom);

#endif
