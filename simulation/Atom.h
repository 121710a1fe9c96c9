#ifndef SIMULATION_ATOM_H
#define SIMULATION_ATOM_H

#include "simulation/Level_element.h"

// A point charge with a Van der Waals radius. Its position is its world position;
// `_r_0` is its place in the body frame of the molecule holding it.
class Atom : public Level_element
{
public:
    enum class Element { H, O, Na, Cl };

    Atom() = default;
    Atom(Element element, Eigen::Vector3f const& r_0);

    void accept(Level_element_visitor& visitor) override;
    Eigen::AlignedBox3f get_bounding_box() const override;

    Eigen::Vector3f _r_0 = Eigen::Vector3f::Zero();
    float _mass = 0.f;     // atomic mass / 6.02
    float _charge = 0.f;   // elementary charges
    float _radius = 0.f;   // Van der Waals radius
    int _type = 0;         // 0 switches the Van der Waals force off
    int _parent_id = -1;   // id of the holding molecule, -1 when none
};

#endif
