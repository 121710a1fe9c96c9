#include "foundation/Parameter.h"

#include "foundation/Parameter_watchers.h"

#include <algorithm>
#include <unordered_map>

Parameter::Parameter() : _value(false)
{
}

Parameter::Parameter(std::string const& name, float value, float min, float max, std::function<void()> callback)
    : _name(name), _value(value), _callback(std::move(callback))
{
    set_min_max<float>(min, max);
}

Parameter::Parameter(std::string const& name, int value, int min, int max, std::function<void()> callback)
    : _name(name), _value(value), _callback(std::move(callback))
{
    set_min_max<int>(min, max);
}

Parameter::Parameter(std::string const& name, bool value, std::function<void()> callback)
    : _name(name), _value(value), _callback(std::move(callback))
{
}

Parameter::Parameter(std::string const& name, int index, std::vector<std::string> const& choices,
                     std::function<void()> callback)
    : _name(name), _special_type(List), _index(index), _callback(std::move(callback))
{
    if (index >= 0)
        _value = choices[index];
    else
        _value = false;
    for (std::string const& choice : choices) _value_list.push_back(choice);
}

Parameter::Parameter(Parameter const& other)
    : _name(other._name), _description(other._description), _value(other._value), _value_list(other._value_list),
      _special_type(other._special_type), _index(other._index), _order_index(other._order_index),
      _hidden(other._hidden), _callback(other._callback)
{
}

Parameter& Parameter::operator=(Parameter const& other)
{
    if (this == &other) return *this;
    _name = other._name;
    _description = other._description;
    _value = other._value;
    _value_list = other._value_list;
    _special_type = other._special_type;
    _index = other._index;
    _order_index = other._order_index;
    _hidden = other._hidden;
    _callback = other._callback;
    return *this;
}

namespace
{

std::unordered_map<Parameter const*, std::vector<Parameter_listener*>>& watchers()
{
    static std::unordered_map<Parameter const*, std::vector<Parameter_listener*>> by_parameter;
    return by_parameter;
}

} // namespace

void add_parameter_watcher(Parameter const& parameter, Parameter_listener* watcher)
{
    watchers()[&parameter].push_back(watcher);
}

void remove_parameter_watcher(Parameter const& parameter, Parameter_listener* watcher)
{
    auto const found = watchers().find(&parameter);
    if (found == watchers().end()) return;
    std::vector<Parameter_listener*>& list = found->second;
    list.erase(std::remove(list.begin(), list.end(), watcher), list.end());
    if (list.empty()) watchers().erase(found);
}

Parameter::~Parameter()
{
    auto const found = watchers().find(this);
    if (found == watchers().end()) return;
    std::vector<Parameter_listener*> const told = found->second;
    watchers().erase(found);
    for (Parameter_listener* watcher : told) watcher->parameter_destroyed(*this);
}

void Parameter::store_value(Variant const& value)
{
    _value = value;
}

void Parameter::set_from_index(int index)
{
    _index = index;
    _value = _value_list.at(index);
    if (_callback) _callback();
    notify_listeners();
}

void Parameter::add_listener(Notifiable* listener)
{
    _listeners.push_back(listener);
}

void Parameter::remove_listener(Notifiable* listener)
{
    _listeners.erase(std::remove(_listeners.begin(), _listeners.end(), listener), _listeners.end());
}

void Parameter::notify_listeners()
{
    // A listener may add or remove listeners (itself included) while being told.
    std::vector<Notifiable*> const snapshot = _listeners;
    for (Notifiable* listener : snapshot)
    {
        if (std::find(_listeners.begin(), _listeners.end(), listener) != _listeners.end()) listener->notify();
    }
}

std::string to_string(Parameter const& parameter)
{
    return parameter._name + ", type: " + parameter.get_type().name();
}
