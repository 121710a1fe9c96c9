#ifndef SIMULATION_BARRIER_H
#define SIMULATION_BARRIER_H

#include "simulation/Level_element.h"
#include "simulation/Molecule.h"

#include <boost/serialization/base_object.hpp>

// A level element that pushes molecules. The physics step asks for the force on
// whole molecules; the atom form exists for the elements that act on atoms.
class Barrier : public Level_element
{
public:
    // Force on one atom, from its world position.
    virtual Eigen::Vector3f get_force(Atom const& /*atom*/) const { return Eigen::Vector3f::Zero(); }
    // Force on a molecule, from its centre of mass.
    virtual Eigen::Vector3f get_force(Molecule const& /*molecule*/) const { return Eigen::Vector3f::Zero(); }

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Barrier>(version, "Barrier");
        ar& boost::serialization::make_nvp("Level_element", boost::serialization::base_object<Level_element>(*this));
    }
};

#endif
