#ifndef SIMULATION_MOLECULE_H
#define SIMULATION_MOLECULE_H

#include "simulation/Atom.h"

#include <Eigen/Core>
#include <Eigen/Geometry>
#include <boost/serialization/vector.hpp>

#include <vector>

// A rigid body of atoms, integrated by its momenta.
class Molecule
{
public:
    // Only for reading molecules from archives.
    Molecule();
    // An empty molecule whose body origin is at the position.
    explicit Molecule(Eigen::Vector3f const& position);

    void add_atom(Atom const& atom);
    // Records the last atom as bonded to atom i (one direction only).
    void connect_last_atom(int i);
    void resize_connectivity(int n);

    void clear_state();
    void init_mass_properties();
    void update_derived(float mass_factor);
    void update_atom_positions();
    void set_orientation(Eigen::Quaternionf const& q);
    void set_id(int id);

    // Throws std::runtime_error when a molecule read from a file cannot take part
    // in the physics: no atoms, no mass, or bonds to atoms it does not hold.
    void check_loaded() const;

    std::vector<Atom> _atoms;
    float _mass = 0.f;
    Eigen::Matrix3f _I_body = Eigen::Matrix3f::Identity();
    Eigen::Matrix3f _I_body_inv = Eigen::Matrix3f::Identity();
    Eigen::Vector3f _x = Eigen::Vector3f::Zero();
    Eigen::Quaternionf _q = Eigen::Quaternionf::Identity();
    Eigen::Vector3f _P = Eigen::Vector3f::Zero();
    Eigen::Vector3f _L = Eigen::Vector3f::Zero();
    Eigen::Matrix3f _I_inv = Eigen::Matrix3f::Identity();
    Eigen::Matrix3f _R = Eigen::Matrix3f::Identity();
    Eigen::Vector3f _v = Eigen::Vector3f::Zero();
    Eigen::Vector3f _omega = Eigen::Vector3f::Zero();
    Eigen::Vector3f _force = Eigen::Vector3f::Zero();
    Eigen::Vector3f _torque = Eigen::Vector3f::Zero();
    std::vector<std::vector<int>> _connectivity;
    float _accumulated_charge = 0.f;
    int _id = 0;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Molecule>(version, "Molecule");
        ar& boost::serialization::make_nvp("_atoms", _atoms);
        ar& boost::serialization::make_nvp("_mass", _mass);
        ar& boost::serialization::make_nvp("_I_body", _I_body);
        ar& boost::serialization::make_nvp("_I_body_inv", _I_body_inv);
        ar& boost::serialization::make_nvp("_x", _x);
        // The orientation is stored by its coefficients.
        float qx = _q.x(), qy = _q.y(), qz = _q.z(), qw = _q.w();
        ar& boost::serialization::make_nvp("qx", qx);
        ar& boost::serialization::make_nvp("qy", qy);
        ar& boost::serialization::make_nvp("qz", qz);
        ar& boost::serialization::make_nvp("qw", qw);
        if (Archive::is_loading::value) _q = Eigen::Quaternionf(qw, qx, qy, qz);
        ar& boost::serialization::make_nvp("_P", _P);
        ar& boost::serialization::make_nvp("_L", _L);
        ar& boost::serialization::make_nvp("_I_inv", _I_inv);
        ar& boost::serialization::make_nvp("_R", _R);
        ar& boost::serialization::make_nvp("_v", _v);
        ar& boost::serialization::make_nvp("_omega", _omega);
        ar& boost::serialization::make_nvp("_force", _force);
        ar& boost::serialization::make_nvp("_torque", _torque);
        ar& boost::serialization::make_nvp("_connectivity", _connectivity);
        ar& boost::serialization::make_nvp("_accumulated_charge", _accumulated_charge);
        ar& boost::serialization::make_nvp("_id", _id);
    }
};

// Every atom of every molecule with its molecule's id, in list order and then atom
// order: the running index the force passes number atoms by.
template <class Molecules, class Visit> void for_each_atom(Molecules const& molecules, Visit&& visit)
{
    for (Molecule const& molecule : molecules)
    {
        for (Atom const& atom : molecule._atoms) visit(atom, molecule._id);
    }
}

#endif
