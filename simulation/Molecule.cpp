#include "simulation/Molecule.h"

#include <iostream>
#include <stdexcept>

Molecule::Molecule()
{
    std::cout << "Molecule() should not be used outside serialization" << std::endl;
}

Molecule::Molecule(Eigen::Vector3f const& position) : _x(position)
{
}

void Molecule::add_atom(Atom const& atom)
{
    _atoms.push_back(atom);
}

void Molecule::connect_last_atom(int i)
{
    _connectivity.at(i).push_back(int(_atoms.size()) - 1);
}

void Molecule::resize_connectivity(int n)
{
    _connectivity.resize(n);
}

void Molecule::clear_state()
{
    _P.setZero();
    _L.setZero();
    _q = Eigen::Quaternionf::Identity();
    _v.setZero();
    _omega.setZero();
    _I_inv.setIdentity();
    _R.setIdentity();
}

void Molecule::init_mass_properties()
{
    _I_body.setZero();
    _mass = 0.f;
    _accumulated_charge = 0.f;

    Eigen::Vector3f weighted_sum = Eigen::Vector3f::Zero();
    for (Atom const& atom : _atoms)
    {
        Eigen::Vector3f const& r = atom._r_0;
        _mass += atom._mass;
        weighted_sum += atom._mass * r;
        _I_body += atom._mass * (r.squaredNorm() * Eigen::Matrix3f::Identity() - r * r.transpose());
        _accumulated_charge += atom._charge;
    }

    // A single atom has no inertia to speak of; the identity keeps it invertible.
    if (_I_body.cwiseAbs().maxCoeff() <= 1e-5f) _I_body.setIdentity();
    _I_body_inv = _I_body.inverse();

    // The inertia stays the one about the creator's origin; only the offsets move.
    Eigen::Vector3f const centre = weighted_sum / _mass;
    for (Atom& atom : _atoms)
    {
        atom._r_0 -= centre;
        atom.set_position(_R * atom._r_0 + _x);
    }
}

void Molecule::update_derived(float mass_factor)
{
    _v = _P / (_mass * mass_factor);
    _q.normalize();
    _R = _q.toRotationMatrix();
    _I_inv = _R * _I_body_inv * _R.transpose();
    _omega = _I_inv * _L / mass_factor;
    update_atom_positions();
}

void Molecule::update_atom_positions()
{
    for (Atom& atom : _atoms) atom.set_position(_R * atom._r_0 + _x);
}

void Molecule::set_orientation(Eigen::Quaternionf const& q)
{
    _q = q;
    _R = q.normalized().toRotationMatrix();
    update_atom_positions();
}

void Molecule::set_id(int id)
{
    _id = id;
    for (Atom& atom : _atoms) atom._parent_id = id;
}

void Molecule::check_loaded() const
{
    if (_atoms.empty() || !(_mass > 0.f) || !_I_body_inv.allFinite())
        throw std::runtime_error("a molecule without atoms or mass");
    if (_connectivity.size() > _atoms.size()) throw std::runtime_error("a molecule with bonds to missing atoms");
    for (std::vector<int> const& bonds : _connectivity)
    {
        for (int atom : bonds)
        {
            if (atom < 0 || std::size_t(atom) >= _atoms.size())
                throw std::runtime_error("a molecule with bonds to missing atoms");
        }
    }
}
