#ifndef SIMULATION_ATOMIC_FORCE_TYPES_H
#define SIMULATION_ATOMIC_FORCE_TYPES_H

#include "simulation/Atomic_force.h"

#include <functional>
#include <memory>
#include <vector>

// The parameters and child lists a list builder allocated. Lists only point to
// them, so whoever keeps the list keeps this beside it.
struct Owned_parameter_tree
{
    std::vector<std::unique_ptr<Parameter>> parameters;
    std::vector<std::unique_ptr<Parameter_list>> lists;
};

// Adds the child list "Atomic Force Type" (multi-select) to the list: one child
// per registered force, in name order, holding "multi_enable" (false) and then
// copies of that force's defaults in their order; every one of them gets the
// callback. Returns the new child list.
Parameter_list* add_atomic_force_type_list(Parameter_list& list, std::function<void()> const& callback,
                                           Owned_parameter_tree& owned);

// One force per child of "Atomic Force Type" whose "multi_enable" is set, in name
// order, filled from that child's values.
std::vector<std::unique_ptr<Atomic_force>> create_forces(Parameter_list const& atomic_force_type);

#endif
