#include "simulation/Level_load_guard.h"

#include "simulation/End_condition.h"
#include "simulation/Level_element.h"

#include <set>

namespace
{

thread_local Level_load_guard* active_guard = nullptr;

} // namespace

Level_load_guard::Level_load_guard() : _outer(active_guard)
{
    active_guard = this;
}

Level_load_guard::~Level_load_guard()
{
    active_guard = _outer;
}

void Level_load_guard::note_built(Level_element* element)
{
    if (active_guard) active_guard->_elements.push_back(element);
}

void Level_load_guard::note_built(End_condition* condition)
{
    if (active_guard) active_guard->_conditions.push_back(condition);
}

void Level_load_guard::free_unowned(std::vector<boost::shared_ptr<Level_element>> const& owners)
{
    std::set<Level_element const*> owned;
    for (auto const& owner : owners) owned.insert(owner.get());
    for (Level_element* element : _elements)
    {
        if (!owned.count(element)) delete element;
    }
    for (End_condition* condition : _conditions) delete condition;
    _elements.clear();
    _conditions.clear();
}
