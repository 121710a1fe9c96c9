#include "simulation/Atom.h"

#include <cfloat>

namespace
{

struct Element_constants
{
    float mass;
    float charge;
    float radius;
    int type;
};

// Indexed by Atom::Element. The chlorine atom carries +1 as every element table
// entry of an ion does; the chloride creator then gives the ion its -1.
Element_constants const element_constants[] = {
    {0.16744186f, 0.4f, 1.2f, 1},  // H
    {2.6578074f, -0.8f, 1.52f, 2}, // O
    {3.8189368f, 1.f, 2.27f, 6},   // Na
    {5.8803987f, 1.f, 1.8f, 7},    // Cl
};

} // namespace

Atom::Atom(Element element, Eigen::Vector3f const& r_0) : _r_0(r_0)
{
    Element_constants const& constants = element_constants[int(element)];
    _mass = constants.mass;
    _charge = constants.charge;
    _radius = constants.radius;
    _type = constants.type;
}

void Atom::accept(Level_element_visitor& /*visitor*/)
{
}

Eigen::AlignedBox3f Atom::get_bounding_box() const
{
    return Eigen::AlignedBox3f(Eigen::Vector3f::Constant(FLT_MAX), Eigen::Vector3f::Constant(-FLT_MAX));
}
