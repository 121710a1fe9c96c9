#include "foundation/Parameter_list.h"

#include "foundation/Xml_archive_file.h"

#include <boost/archive/xml_archive_exception.hpp>

#include <algorithm>
#include <iostream>
#include <set>

namespace
{

void set_callback_at_every_depth(Parameter_list& list, std::function<void()> const& callback)
{
    for (auto& entry : list._list)
    {
        if (entry.second) entry.second->_callback = callback;
    }
    for (auto& child : list._children)
    {
        if (child.second) set_callback_at_every_depth(*child.second, callback);
    }
}

// Collects every object a file-loaded tree reaches. A file can make a child refer
// to a list met before (even the root); such a tree is refused, since merging it
// would never end and freeing it would free the root.
bool collect_loaded_objects(Parameter_list const& list, std::set<Parameter*>& parameters,
                            std::set<Parameter_list const*>& lists)
{
    for (auto const& entry : list._list)
    {
        if (entry.second) parameters.insert(entry.second);
    }
    for (auto const& child : list._children)
    {
        if (!child.second) continue;
        if (!lists.insert(child.second).second) return false;
        if (!collect_loaded_objects(*child.second, parameters, lists)) return false;
    }
    return true;
}

// The list the archive fills: it owns what the loader created for it.
struct Loaded_parameter_list
{
    Parameter_list list;

    bool is_tree() const
    {
        std::set<Parameter*> parameters;
        std::set<Parameter_list const*> lists{&list};
        return collect_loaded_objects(list, parameters, lists);
    }

    ~Loaded_parameter_list()
    {
        std::set<Parameter*> parameters;
        std::set<Parameter_list const*> lists{&list};
        collect_loaded_objects(list, parameters, lists);
        lists.erase(&list);
        for (Parameter* parameter : parameters) delete parameter;
        for (Parameter_list const* child : lists) delete child;
    }
};

// A value the archive writes but cannot read (a NaN) must not replace a good file.
bool loads_back(std::string const& bytes, std::string const& root, std::string& error)
{
    try
    {
        Loaded_parameter_list trial;
        read_xml_archive(bytes, root.c_str(), trial.list);
        return true;
    }
    catch (std::exception const& refusal)
    {
        error = std::string("it would not load back: ") + refusal.what();
        return false;
    }
}

int declared_alternative(Parameter const& parameter)
{
    if (parameter._special_type == Parameter::List && !parameter._value_list.empty())
        return parameter._value_list.front().which();
    return parameter._value.which();
}

bool is_valid_choice(Parameter const& parameter, int index)
{
    return index >= 0 && size_t(index) < parameter._value_list.size();
}

template <typename T> bool clamp_to_range(Parameter const& target, Parameter::Variant& value)
{
    T* number = boost::get<T>(&value);
    T const* lowest = boost::get<T>(&target._value_list.front());
    T const* highest = boost::get<T>(&target._value_list.back());
    if (!number || !lowest || !highest) return false;
    T const clamped = *number > *highest ? *highest : (*number >= *lowest ? *number : *lowest);
    bool const changed = !(clamped == *number);
    *number = clamped;
    return changed;
}

// Ranges come from the code, and a file's value beyond them is brought back
// inside: the code divides by some and steps by others.
bool clamp_to_range(Parameter const& target, Parameter::Variant& value)
{
    if (target._special_type != Parameter::Plain || target._value_list.size() != 2) return false;
    return clamp_to_range<float>(target, value) || clamp_to_range<int>(target, value);
}

void merge_parameter(std::string const& key, Parameter& target, Parameter const& loaded)
{
    // Another type than the code declared would fail later, inside a timer or slot.
    if (loaded._value.which() != declared_alternative(target))
    {
        std::cout << "Parameter_list::load(): Wrong type, value kept: " << key << std::endl;
        return;
    }

    Parameter::Variant value = loaded._value;
    if (clamp_to_range(target, value))
        std::cout << "Parameter_list::load(): Value out of range, clamped: " << key << std::endl;
    target._value = value;
    if (target._special_type != Parameter::Button && target._callback) target._callback();
    target.notify_listeners();

    if (target._special_type == Parameter::List)
    {
        if (is_valid_choice(target, loaded._index))
            target._index = loaded._index;
        else
            std::cout << "Parameter_list::load(): Invalid index, index kept: " << key << std::endl;
    }
    target.notify_listeners();
}

} // namespace

Parameter*& Parameter_list::add(std::string const& name, Parameter* parameter)
{
    parameter->_order_index = int(_list.size());
    Parameter*& slot = _list[name];
    slot = parameter;
    return slot;
}

Parameter*& Parameter_list::add(Parameter* parameter)
{
    return add(parameter->_name, parameter);
}

Parameter_list* Parameter_list::add_child(std::string const& name, int children_type)
{
    Parameter_list* child = new Parameter_list;
    child->_children_type = children_type;
    _children[name] = child;
    return child;
}

void Parameter_list::add(Parameter_list const& other, std::function<void()> callback)
{
    for (auto const& entry : other._list)
    {
        Parameter* parameter = entry.second;
        parameter->_order_index = int(_list.size());
        _list[entry.first] = parameter;
        parameter->_callback = callback;
    }

    for (auto const& child : other._children)
    {
        _children[child.first] = new Parameter_list(*child.second);
    }

    for (auto& child : _children)
    {
        set_callback_at_every_depth(*child.second, callback);
    }
}

Parameter_list* Parameter_list::get_child_helper(std::string const& name)
{
    auto const found = _children.find(name);
    if (found != _children.end()) return found->second;

    std::cout << "Parameter_list::get_child_helper(): child not found: " << name << std::endl;
    std::cout << "Available: " << std::endl;
    print();
    return nullptr;
}

Parameter* Parameter_list::operator[](std::string const& path)
{
    std::string::size_type const slash = path.find('/');
    if (slash != std::string::npos)
    {
        Parameter_list* child = get_child_helper(path.substr(0, slash));
        return child ? (*child)[path.substr(slash + 1)] : nullptr;
    }

    auto const found = _list.find(path);
    if (found != _list.end()) return found->second;

    std::cout << "Parameter_list[]: No such parameter: " << path << std::endl;
    return nullptr;
}

std::vector<Parameter*> Parameter_list::get_sorted_parameters() const
{
    std::vector<Parameter*> sorted;
    for (auto const& entry : _list) sorted.push_back(entry.second);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](Parameter const* a, Parameter const* b) { return a->_order_index < b->_order_index; });
    return sorted;
}

void Parameter_list::load(std::string const& file_name)
{
    std::string bytes;
    if (!read_file_bytes(file_name, bytes))
    {
        std::cout << "Parameter file not found" << std::endl;
        return;
    }

    Loaded_parameter_list loaded;
    read_xml_archive(bytes, file_base_name(file_name).c_str(), loaded.list);
    if (!loaded.is_tree())
    {
        typedef boost::archive::xml_archive_exception Error;
        throw Error(Error::xml_archive_parsing_error);
    }

    load(loaded.list);
    loaded.list.print();
}

void Parameter_list::load(Parameter_list const& loaded)
{
    for (auto const& entry : loaded._list)
    {
        if (!entry.second) continue; // an empty pointer in the file carries no value

        auto const found = _list.find(entry.first);
        if (found == _list.end() || !found->second)
        {
            std::cout << "Parameter_list::load(): No such parameter: " << entry.first << std::endl;
            continue;
        }
        merge_parameter(entry.first, *found->second, *entry.second);
    }

    for (auto const& child : loaded._children)
    {
        if (!child.second) continue;

        auto const found = _children.find(child.first);
        if (found == _children.end() || !found->second)
        {
            std::cout << "Parameter_list::load(): No such child: " << child.first << std::endl;
            continue;
        }
        found->second->load(*child.second);
    }
}

bool Parameter_list::save(std::string const& file_name) const
{
    std::string error;
    return save(file_name, error);
}

bool Parameter_list::save(std::string const& file_name, std::string& error) const
{
    std::cout << "Parameter_list::save " << file_name << std::endl;

    std::string const root = file_base_name(file_name);
    std::string const bytes = write_xml_archive(root.c_str(), *this);
    if (!loads_back(bytes, root, error) || !write_file_atomically(file_name, bytes, error))
    {
        std::cout << "Parameter_list::save: could not write " << file_name << ": " << error << std::endl;
        return false;
    }
    return true;
}

void delete_tree_contents(Parameter_list& list)
{
    for (auto& entry : list._list) delete entry.second;
    for (auto& child : list._children)
    {
        if (!child.second) continue;
        delete_tree_contents(*child.second);
        delete child.second;
    }
    list._list.clear();
    list._children.clear();
}

void Parameter_list::print() const
{
    for (auto const& entry : _list)
    {
        if (entry.second) std::cout << entry.first << ": " << to_string(*entry.second) << std::endl;
    }
}
