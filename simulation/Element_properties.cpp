#include "simulation/Element_properties.h"

namespace
{

Parameter const* find(Parameter_list const& properties, std::string const& name)
{
    auto const entry = properties._list.find(name);
    return entry == properties._list.end() ? nullptr : entry->second;
}

} // namespace

void read_float_property(Parameter_list const& properties, std::string const& name, float& field)
{
    if (Parameter const* parameter = find(properties, name)) field = parameter->get_value<float>();
}

float float_property_max(Parameter_list const& properties, std::string const& name, float fallback)
{
    Parameter const* parameter = find(properties, name);
    if (!parameter || parameter->_value_list.size() != 2) return fallback;
    return parameter->get_max<float>();
}
