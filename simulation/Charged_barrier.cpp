#include "simulation/Charged_barrier.h"

#include "simulation/Element_properties.h"
#include "simulation/Fall_off.h"
#include "simulation/Level_element_visitor.h"

Charged_barrier::Charged_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength,
                                 float radius, float charge)
    : Box_barrier(corner_min, corner_max, strength, radius), _charge(charge)
{
    ensure_properties();
}

void Charged_barrier::ensure_properties()
{
    ensure_float_property("charge", _charge, -10.f, 10.f);
}

void Charged_barrier::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

void Charged_barrier::apply_parameters(Parameter_list const& parameters)
{
    read_float_property(parameters, "charge", _charge);
}

Eigen::Vector3f Charged_barrier::get_force(Molecule const& molecule) const
{
    Box_offset const offset = offset_from_box(molecule._x);
    if (offset.distance < 1e-6f) return box_push(offset);
    // A positive product of charges pushes away, a negative one pulls in.
    float const magnitude = fall_off(offset.distance, _radius) * _strength + _charge * molecule._accumulated_charge;
    return magnitude * to_world_direction((offset.local - offset.nearest).normalized());
}
