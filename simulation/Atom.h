#ifndef SIMULATION_ATOM_H
#define SIMULATION_ATOM_H

#include "simulation/Level_element.h"

#include <boost/serialization/base_object.hpp>
#include <boost/serialization/version.hpp>

// A point charge with a Van der Waals radius. Its position is its world position;
// `_r_0` is its place in the body frame of the molecule holding it.
class Atom : public Level_element
{
public:
    enum class Element
    {
        H,
        O,
        Na,
        Cl
    };

    Atom() = default;
    Atom(Element element, Eigen::Vector3f const& r_0);

    void accept(Level_element_visitor& visitor) override;
    Eigen::AlignedBox3f get_bounding_box() const override;

    Eigen::Vector3f _r_0 = Eigen::Vector3f::Zero();
    float _mass = 0.f;   // atomic mass / 6.02
    float _charge = 0.f; // elementary charges
    float _radius = 0.f; // Van der Waals radius
    int _type = 0;       // 0 switches the Van der Waals force off
    int _parent_id = -1; // id of the holding molecule, -1 when none

private:
    friend class boost::serialization::access;

    // Version 0 atoms stored only their place in the molecule.
    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Atom>(version, "Atom");
        ar& boost::serialization::make_nvp("_r_0", _r_0);
        if (version < 1) return;
        ar& boost::serialization::make_nvp("Level_element", boost::serialization::base_object<Level_element>(*this));
        ar& boost::serialization::make_nvp("_mass", _mass);
        ar& boost::serialization::make_nvp("_charge", _charge);
        ar& boost::serialization::make_nvp("_radius", _radius);
        ar& boost::serialization::make_nvp("_type", _type);
        ar& boost::serialization::make_nvp("_parent_id", _parent_id);
    }
};

BOOST_CLASS_VERSION(Atom, 1)

#endif
