#ifndef SIMULATION_MOLECULE_FACTORY_H
#define SIMULATION_MOLECULE_FACTORY_H

#include "simulation/Molecule.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

typedef std::function<Molecule(Eigen::Vector3f const&)> Molecule_creator;

// Every molecule kind the game knows, by name: "H2O", "Na", "Cl".
std::unordered_map<std::string, Molecule_creator> const& molecule_factory();

Molecule create_h2o_molecule(Eigen::Vector3f const& position);
Molecule create_na_molecule(Eigen::Vector3f const& position);
Molecule create_cl_molecule(Eigen::Vector3f const& position);

// Throws std::out_of_range for a name that molecule_exists denies.
Molecule create_molecule(std::string const& name, Eigen::Vector3f const& position);
bool molecule_exists(std::string const& name);
std::vector<std::string> get_molecule_names();

#endif
