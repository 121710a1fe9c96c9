#ifndef TESTS_SIMULATION_SCATTERED_MOLECULES_H
#define TESTS_SIMULATION_SCATTERED_MOLECULES_H

#include "simulation/Molecule_factory.h"

#include <Eigen/Geometry>

#include <list>
#include <random>

// Numbers the molecules 0, 1, 2, ... as the level does when they enter it.
inline std::list<Molecule> with_ids(std::list<Molecule> molecules)
{
    int id = 0;
    for (Molecule& molecule : molecules) molecule.set_id(id++);
    return molecules;
}

// Water, sodium and chloride scattered in a box centred on the origin, turned at
// random, never closer than `gap` between centres.
inline std::list<Molecule> scattered_molecules(int count, Eigen::Vector3f const& box, float gap, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> unit(-0.5f, 0.5f);
    std::uniform_int_distribution<int> kind(0, 2);
    char const* const names[] = {"H2O", "Na", "Cl"};
    std::list<Molecule> molecules;
    while (int(molecules.size()) < count)
    {
        Eigen::Vector3f const position =
            Eigen::Vector3f(unit(generator), unit(generator), unit(generator)).cwiseProduct(box);
        bool crowded = false;
        for (Molecule const& other : molecules) crowded = crowded || (other._x - position).norm() < gap;
        if (crowded) continue;
        Molecule molecule = create_molecule(names[kind(generator)], position);
        molecule.set_orientation(
            Eigen::Quaternionf(Eigen::AngleAxisf(unit(generator) * 6.f, Eigen::Vector3f::UnitX())));
        molecules.push_back(molecule);
    }
    return with_ids(molecules);
}

#endif
