#ifndef FOUNDATION_PARAMETER_H
#define FOUNDATION_PARAMETER_H

#include "foundation/Notifiable.h"

#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/variant.hpp>
#include <boost/serialization/vector.hpp>
#include <boost/variant.hpp>

#include <functional>
#include <iostream>
#include <string>
#include <typeinfo>
#include <vector>

class Parameter;

// A listener that keeps a pointer to the parameter it mirrors. Registered as a
// watcher as well (foundation/Parameter_watchers.h), it is told before the
// parameter is destroyed: an element's properties die with the element.
class Parameter_listener : public Notifiable
{
public:
    virtual void parameter_destroyed(Parameter const& parameter) = 0;
};

// One named, typed setting. Files store the variant's alternative number, so the
// order bool, float, int, string must never change.
class Parameter
{
public:
    typedef boost::variant<bool, float, int, std::string> Variant;

    enum Special_type
    {
        Plain = 0,
        List,
        Button
    };

    Parameter();
    Parameter(std::string const& name, float value, float min, float max,
              std::function<void()> callback = std::function<void()>());
    Parameter(std::string const& name, int value, int min, int max,
              std::function<void()> callback = std::function<void()>());
    Parameter(std::string const& name, bool value, std::function<void()> callback = std::function<void()>());
    Parameter(std::string const& name, int index, std::vector<std::string> const& choices,
              std::function<void()> callback = std::function<void()>());

    // A copy keeps the callback but starts without listeners: the listeners of the
    // original are widgets bound to the original only.
    Parameter(Parameter const& other);
    Parameter& operator=(Parameter const& other);
    ~Parameter();

    template <typename T> T get_value() const;
    template <typename T> T get_min() const;
    template <typename T> T get_max() const;

    // Sets the value as code does: the change callback is not run, listeners are told.
    template <typename T> void set_value_no_update(T const& value);
    void set_value_no_update(char const* value) { set_value_no_update(std::string(value)); }

    template <typename T> void set_min_max(T const& min, T const& max);

    void set_from_index(int index);

    std::type_info const& get_type() const { return _value.type(); }

    void add_listener(Notifiable* listener);
    void remove_listener(Notifiable* listener);
    void notify_listeners();

    std::string _name;
    std::string _description;
    Variant _value;
    std::vector<Variant> _value_list;
    int _special_type = Plain;
    int _index = 0;
    int _order_index = 0;
    bool _hidden = false;
    std::function<void()> _callback;
    std::vector<Notifiable*> _listeners;

private:
    // Out of line: inlined into every caller, GCC 12 misreads boost::variant's
    // assignment as reading uninitialised storage.
    void store_value(Variant const& value);

    template <typename T> T read_as(Variant const& v, char const* reader) const;
    template <typename T> void set_list_value(T const& value);

    friend class boost::serialization::access;

    // Member order on disk differs from the declaration order; files depend on it.
    // A newer layout must raise Parameter_list's version too: only the list, the
    // root of a parameter file, refuses a newer version. Refused here, the
    // library would lose the parameter it had just allocated.
    template <class Archive> void serialize(Archive& ar, unsigned int const /*version*/)
    {
        ar& boost::serialization::make_nvp("_name", _name);
        ar& boost::serialization::make_nvp("_description", _description);
        ar& boost::serialization::make_nvp("_value", _value);
        ar& boost::serialization::make_nvp("_index", _index);
        ar& boost::serialization::make_nvp("_value_list", _value_list);
        ar& boost::serialization::make_nvp("_special_type", _special_type);
        ar& boost::serialization::make_nvp("_order_index", _order_index);
    }
};

std::string to_string(Parameter const& parameter);

// A plain parameter of type T with a [min, max] range of T: the only kind whose
// range code may read without the variant throwing. Files written by hand or by
// older games may hold anything else under a familiar name.
template <typename T> bool is_ranged(Parameter const& parameter)
{
    auto const holds_t = [](Parameter::Variant const& value) { return value.type() == typeid(T); };
    return parameter._special_type == Parameter::Plain && holds_t(parameter._value) &&
           parameter._value_list.size() == 2 && holds_t(parameter._value_list[0]) && holds_t(parameter._value_list[1]);
}

template <typename T> T Parameter::read_as(Variant const& v, char const* reader) const
{
    try
    {
        return boost::get<T>(v);
    }
    catch (boost::bad_get const&)
    {
        std::cout << "Parameter::" << reader << "(): Exception " << _name << std::endl;
        throw;
    }
}

template <typename T> T Parameter::get_value() const
{
    Variant const& v = (_special_type == List) ? _value_list.at(_index) : _value;
    if (v.type() != typeid(T))
    {
        std::cout << "Parameter::get_value(): Exception " << _name << std::endl;
        std::cout << "Requested type: " << typeid(T).name() << ", stored type: " << _value.type().name() << std::endl;
    }
    return boost::get<T>(v);
}

template <typename T> T Parameter::get_min() const
{
    return read_as<T>(_value_list.front(), "get_min");
}

template <typename T> T Parameter::get_max() const
{
    return read_as<T>(_value_list.back(), "get_max");
}

template <typename T> void Parameter::set_list_value(T const& value)
{
    bool matched = false;
    for (size_t i = 0; i < _value_list.size(); ++i)
    {
        T const* entry = boost::get<T>(&_value_list[i]);
        if (!entry)
        {
            std::cout << "Parameter::set_value_no_update get failed on list parameter: " << _name << " value: " << value
                      << std::endl;
            std::cout << typeid(T).name() << " " << typeid(T).name() << std::endl;
            std::cout << "Possible values:" << std::endl;
            for (size_t j = 0; j < _value_list.size(); ++j)
            {
                if (T const* typed = boost::get<T>(&_value_list[j])) std::cout << j << ": " << *typed << std::endl;
            }
            continue;
        }
        if (*entry == value)
        {
            _index = int(i);
            store_value(Variant(value));
            matched = true;
        }
    }

    if (!matched)
    {
        std::cout << "Parameter::set_value_no_update  << failed on list parameter: " << _name << " value: " << value
                  << std::endl;
        std::cout << "Possible values:" << std::endl;
        for (Variant const& entry : _value_list) std::cout << entry << std::endl;
    }
}

template <typename T> void Parameter::set_value_no_update(T const& value)
{
    static_assert(std::is_same<T, bool>::value || std::is_same<T, float>::value || std::is_same<T, int>::value ||
                      std::is_same<T, std::string>::value,
                  "a parameter holds bool, float, int or std::string");

    if (_special_type == List)
    {
        set_list_value(value);
    }
    else if (_value_list.size() == 2)
    {
        T clamped = value;
        T const min = get_min<T>();
        T const max = get_max<T>();
        if (clamped < min) clamped = min;
        if (max < clamped) clamped = max;
        store_value(Variant(clamped));
    }
    else
    {
        store_value(Variant(value));
    }

    notify_listeners();
}

template <typename T> void Parameter::set_min_max(T const& min, T const& max)
{
    _value_list.clear();
    _value_list.push_back(min);
    _value_list.push_back(max);
    notify_listeners();
}

#endif
