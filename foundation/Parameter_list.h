#ifndef FOUNDATION_PARAMETER_LIST_H
#define FOUNDATION_PARAMETER_LIST_H

#include "foundation/Class_version_check.h"
#include "foundation/Parameter.h"

#include <boost/serialization/map.hpp>

#include <functional>
#include <map>
#include <string>
#include <vector>

// A named tree of parameters. The list owns neither its parameters nor its child
// lists: their owners keep them alive for as long as the list is used.
class Parameter_list
{
public:
    enum Children_type
    {
        No_select = 0,
        Single_select,
        Multi_select
    };

    Parameter_list() = default;

    Parameter*& add(std::string const& name, Parameter* parameter);
    Parameter*& add(Parameter* parameter);
    Parameter_list* add_child(std::string const& name, int children_type = No_select);

    // Takes the other list's parameters over (the same objects), renumbers them
    // and gives them, and every parameter of every child list, the callback.
    void add(Parameter_list const& other, std::function<void()> callback);

    Parameter_list* get_child_helper(std::string const& name);
    Parameter* operator[](std::string const& path);

    std::vector<Parameter*> get_sorted_parameters() const;

    // Merges the file's values into this list. A missing file changes nothing; a
    // malformed one throws before anything is changed.
    void load(std::string const& file_name);
    void load(Parameter_list const& loaded);

    // Writes the whole file or nothing. Throws the archive's error when the list
    // cannot be written as XML; returns false, with the reason in `error`, when
    // the file cannot be replaced.
    bool save(std::string const& file_name) const;
    bool save(std::string const& file_name, std::string& error) const;

    void print() const;

    std::map<std::string, Parameter*> _list;
    std::map<std::string, Parameter_list*> _children;
    int _children_type = No_select;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Parameter_list>(version, "Parameter_list");
        ar& boost::serialization::make_nvp("_list", _list);
        ar& boost::serialization::make_nvp("_children", _children);
        ar& boost::serialization::make_nvp("_children_type", _children_type);
    }
};

// For an owner that made every parameter and child list of the tree: deletes them
// all and leaves the list empty.
void delete_tree_contents(Parameter_list& list);

#endif
