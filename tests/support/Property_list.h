#ifndef TESTS_PROPERTY_LIST_H
#define TESTS_PROPERTY_LIST_H

#include "foundation/Parameter_list.h"

#include <memory>
#include <string>
#include <vector>

// A parameter list of float values that owns its parameters, as an editor
// would hand to an element's apply_parameters.
class Property_list
{
public:
    Property_list& set(std::string const& name, float value)
    {
        _owned.push_back(std::make_unique<Parameter>(name, value, -1000.f, 1000.f));
        _list.add(_owned.back().get());
        return *this;
    }

    Parameter_list const& list() const { return _list; }

private:
    std::vector<std::unique_ptr<Parameter>> _owned;
    Parameter_list _list;
};

#endif
