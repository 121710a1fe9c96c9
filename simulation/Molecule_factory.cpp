#include "simulation/Molecule_factory.h"

#include <cmath>

namespace
{

Molecule single_atom_molecule(Atom const& atom, Eigen::Vector3f const& position)
{
    Molecule molecule(position);
    molecule.add_atom(atom);
    molecule.clear_state();
    molecule.init_mass_properties();
    return molecule;
}

} // namespace

std::unordered_map<std::string, Molecule_creator> const& molecule_factory()
{
    static std::unordered_map<std::string, Molecule_creator> const factory{
        {"H2O", create_h2o_molecule},
        {"Na", create_na_molecule},
        {"Cl", create_cl_molecule},
    };
    return factory;
}

Molecule create_h2o_molecule(Eigen::Vector3f const& position)
{
    float const bond_length = 0.96f;
    float const half_angle = 0.91193455f; // half of the 104.5 degree bond angle

    Molecule molecule(position);
    molecule.add_atom(Atom(Atom::Element::O, Eigen::Vector3f::Zero()));
    molecule.resize_connectivity(int(molecule._atoms.size()));
    molecule.add_atom(
        Atom(Atom::Element::H, bond_length * Eigen::Vector3f(std::cos(half_angle), std::sin(half_angle), 0.f)));
    molecule.connect_last_atom(0);
    molecule.add_atom(
        Atom(Atom::Element::H, bond_length * Eigen::Vector3f(std::cos(-half_angle), std::sin(-half_angle), 0.f)));
    molecule.connect_last_atom(0);
    molecule.clear_state();
    molecule.init_mass_properties();
    return molecule;
}

Molecule create_na_molecule(Eigen::Vector3f const& position)
{
    return single_atom_molecule(Atom(Atom::Element::Na, Eigen::Vector3f::Zero()), position);
}

Molecule create_cl_molecule(Eigen::Vector3f const& position)
{
    Atom chloride(Atom::Element::Cl, Eigen::Vector3f::Zero());
    chloride._charge = -1.f;
    return single_atom_molecule(chloride, position);
}

Molecule create_molecule(std::string const& name, Eigen::Vector3f const& position)
{
    return molecule_factory().at(name)(position);
}

bool molecule_exists(std::string const& name)
{
    return molecule_factory().count(name) > 0;
}

std::vector<std::string> get_molecule_names()
{
    std::vector<std::string> names;
    for (auto const& entry : molecule_factory()) names.push_back(entry.first);
    return names;
}
