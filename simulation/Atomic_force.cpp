#include "simulation/Atomic_force.h"

#include <iostream>

namespace
{

// Lists reach here as const; a missing entry keeps the field as it was.
void read_float(Parameter_list const& parameters, std::string const& name, float& field)
{
    auto const found = parameters._list.find(name);
    if (found == parameters._list.end() || !found->second)
    {
        std::cout << "Atomic_force::apply_parameters(): No such parameter: " << name << std::endl;
        return;
    }
    field = found->second->get_value<float>();
}

Parameter* write_float(Parameter_list& parameters, std::string const& name, float value)
{
    Parameter* parameter = parameters[name];
    if (parameter) parameter->set_value_no_update(value);
    return parameter;
}

} // namespace

void Coulomb_force::apply_parameters(Parameter_list const& parameters)
{
    read_float(parameters, "Strength", _strength);
}

void Coulomb_force::store_parameters(Parameter_list& parameters) const
{
    write_float(parameters, "Strength", _strength);
}

float Coulomb_force::calc_force(float distance, Atom const& a, Atom const& b) const
{
    return a._charge * _strength * b._charge / (distance * distance);
}

void Lennard_jones_force::apply_parameters(Parameter_list const& parameters)
{
    read_float(parameters, "Strength", _strength);
    read_float(parameters, "Radius Factor", _radius_factor);
}

void Lennard_jones_force::store_parameters(Parameter_list& parameters) const
{
    for (Parameter* parameter :
         {write_float(parameters, "Strength", _strength), write_float(parameters, "Radius Factor", _radius_factor)})
    {
        if (parameter && parameter->_callback) parameter->_callback();
    }
}

float Lennard_jones_force::calc_force(float distance, Atom const& a, Atom const& b) const
{
    if (a._type == 0 || b._type == 0) return 0.f;
    float const s = (a._radius + b._radius) * _radius_factor / distance;
    float const s6 = s * s * s * s * s * s;
    return 4.f * _strength * (s6 * s6 - s6);
}

Parameter_list make_atomic_force_parameters()
{
    return Parameter_list();
}

Parameter_list make_coulomb_force_parameters()
{
    Parameter_list parameters;
    parameters.add(new Parameter("Strength", 1.f, 1.f, 200.f));
    return parameters;
}

Parameter_list make_lennard_jones_force_parameters()
{
    Parameter_list parameters;
    parameters.add(new Parameter("Strength", 0.1f, 0.001f, 1.f));
    parameters.add(new Parameter("Radius Factor", 1.4f, 0.5f, 2.f));
    return parameters;
}
