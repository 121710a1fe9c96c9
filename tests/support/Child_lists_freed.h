#ifndef TESTS_CHILD_LISTS_FREED_H
#define TESTS_CHILD_LISTS_FREED_H

#include "foundation/Parameter_list.h"

// A list owns neither its parameters nor its child lists. A test whose list made
// children with add_child (or took shallow copies of them) frees those lists,
// at every depth, when this goes; the parameters stay the test's own.
class Child_lists_freed
{
public:
    explicit Child_lists_freed(Parameter_list& list) : _list(list) {}
    ~Child_lists_freed() { free_children(_list); }
    Child_lists_freed(Child_lists_freed const&) = delete;
    Child_lists_freed& operator=(Child_lists_freed const&) = delete;

private:
    static void free_children(Parameter_list& list)
    {
        for (auto& child : list._children)
        {
            if (!child.second) continue;
            free_children(*child.second);
            delete child.second;
        }
        list._children.clear();
    }

    Parameter_list& _list;
};

#endif
