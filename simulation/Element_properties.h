#ifndef SIMULATION_ELEMENT_PROPERTIES_H
#define SIMULATION_ELEMENT_PROPERTIES_H

#include "foundation/Parameter_list.h"

#include <string>

// Copies the float property `name` into `field`; a list without it leaves the field alone.
void read_float_property(Parameter_list const& properties, std::string const& name, float& field);

// The upper end of a float property's range, or `fallback` when the list lacks it.
float float_property_max(Parameter_list const& properties, std::string const& name, float fallback);

#endif
