#include "simulation/Atomic_force_types.h"

#include <iostream>

namespace
{

Parameter* keep(Owned_parameter_tree& owned, Parameter* parameter)
{
    owned.parameters.emplace_back(parameter);
    return parameter;
}

bool is_enabled(Parameter_list const& force_list)
{
    auto const found = force_list._list.find("multi_enable");
    return found != force_list._list.end() && found->second && found->second->get_value<bool>();
}

} // namespace

Parameter_list* add_atomic_force_type_list(Parameter_list& list, std::function<void()> const& callback,
                                           Owned_parameter_tree& owned)
{
    Parameter_list* types = list.add_child("Atomic Force Type", Parameter_list::Multi_select);
    owned.lists.emplace_back(types);

    Class_registry<Atomic_force>& registry = Class_registry<Atomic_force>::instance();
    for (std::string const& name : registry.get_names())
    {
        Parameter_list* force_list = types->add_child(name);
        owned.lists.emplace_back(force_list);
        force_list->add(keep(owned, new Parameter("multi_enable", false, callback)));
        for (Parameter const* defaults : registry.get_default_parameters(name).get_sorted_parameters())
        {
            Parameter* copy = keep(owned, new Parameter(*defaults));
            copy->_callback = callback;
            force_list->add(copy);
        }
    }
    return types;
}

std::vector<std::unique_ptr<Atomic_force>> create_forces(Parameter_list const& atomic_force_type)
{
    std::vector<std::unique_ptr<Atomic_force>> forces;
    for (auto const& child : atomic_force_type._children)
    {
        if (!child.second || !is_enabled(*child.second)) continue;
        std::unique_ptr<Atomic_force> force(Class_registry<Atomic_force>::instance().create(child.first));
        if (!force)
        {
            std::cout << "create_forces: No such force: " << child.first << std::endl;
            continue;
        }
        force->apply_parameters(*child.second);
        forces.push_back(std::move(force));
    }
    return forces;
}
