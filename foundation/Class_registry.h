#ifndef FOUNDATION_CLASS_REGISTRY_H
#define FOUNDATION_CLASS_REGISTRY_H

#include "foundation/Parameter_list.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// Plug-in classes chosen by display name at run time, one registry per base class.
// Registrations run during static initialisation, so nothing here may touch Qt,
// std::cout or the data directories.
template <class Base> class Class_registry
{
public:
    typedef std::function<Base*()> Creator;

    // Created on first use, whichever comes first, a registration or a lookup:
    // that keeps the registrations independent of static initialisation order.
    static Class_registry& instance()
    {
        static Class_registry registry;
        return registry;
    }

    // The class list's parameters are taken over (not copied) behind the base
    // list's, numbered in name order and left without callback. A name registered
    // again replaces creator and list.
    void register_class(std::string const& name, Creator creator, Parameter_list const& class_defaults,
                        Parameter_list const& base_defaults = Parameter_list())
    {
        _creators[name] = std::move(creator);
        Parameter_list defaults = base_defaults;
        defaults.add(class_defaults, std::function<void()>());
        _default_parameters[name] = defaults;
    }

    // Null for a name nobody registered; the caller owns the object.
    Base* create(std::string const& name) const
    {
        auto const found = _creators.find(name);
        if (found == _creators.end() || !found->second) return nullptr;
        return found->second();
    }

    std::vector<std::string> get_names() const
    {
        std::vector<std::string> names;
        for (auto const& entry : _creators) names.push_back(entry.first);
        return names;
    }

    // Readers copy the parameters they need. An unknown name gets an empty list.
    Parameter_list& get_default_parameters(std::string const& name) { return _default_parameters[name]; }

private:
    Class_registry() = default;
    Class_registry(Class_registry const&) = delete;
    Class_registry& operator=(Class_registry const&) = delete;

    std::map<std::string, Creator> _creators;
    std::map<std::string, Parameter_list> _default_parameters;
};

// Defined at namespace scope with internal linkage in the header that declares the
// plug-in classes, so every including source file registers them again (each time
// with an identical entry) and the linker can never drop the registration. The
// lists are made for the registration alone: the registrator owns what they hold
// and frees it at exit, when nothing reads the registry any more.
template <class Base, class Derived> class Class_registrator
{
public:
    Class_registrator(typename Class_registry<Base>::Creator creator, Parameter_list const& class_defaults,
                      Parameter_list const& base_defaults = Parameter_list())
        : _class_defaults(class_defaults), _base_defaults(base_defaults)
    {
        Class_registry<Base>::instance().register_class(Derived::name(), std::move(creator), class_defaults,
                                                        base_defaults);
    }

    ~Class_registrator()
    {
        delete_tree_contents(_class_defaults);
        delete_tree_contents(_base_defaults);
    }

    Class_registrator(Class_registrator const&) = delete;
    Class_registrator& operator=(Class_registrator const&) = delete;

private:
    Parameter_list _class_defaults;
    Parameter_list _base_defaults;
};

#endif
