#ifndef SIMULATION_LEVEL_LOAD_GUARD_H
#define SIMULATION_LEVEL_LOAD_GUARD_H

#include <boost/shared_ptr.hpp>

#include <vector>

class End_condition;
class Level_element;

// The elements the archive builds while one level is read. The library hands
// every object it creates to the reader and forgets it: an element it could not
// finish, or one that the file put somewhere it cannot go, belongs to no list
// and would be lost. Active for the calling thread while it lives.
class Level_load_guard
{
public:
    Level_load_guard();
    ~Level_load_guard();
    Level_load_guard(Level_load_guard const&) = delete;
    Level_load_guard& operator=(Level_load_guard const&) = delete;

    // Called by the archive's construction hooks; does nothing outside a level read.
    static void note_built(Level_element* element);
    static void note_built(End_condition* condition);

    // Frees every element built during the read that `owners` does not hold, and
    // every condition built on its own (levels keep them inside their portals).
    void free_unowned(std::vector<boost::shared_ptr<Level_element>> const& owners);

private:
    Level_load_guard* _outer;
    std::vector<Level_element*> _elements;
    std::vector<End_condition*> _conditions;
};

#endif
