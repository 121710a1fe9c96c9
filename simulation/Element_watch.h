#ifndef SIMULATION_ELEMENT_WATCH_H
#define SIMULATION_ELEMENT_WATCH_H

#include "simulation/Level_element.h"

// A pointer to a level element that the element clears as it dies. Screens,
// menus and widgets keep elements this way between two events (see
// Level_element_listener for the rule).
class Element_watch : public Level_element_listener
{
public:
    explicit Element_watch(Level_element* element = nullptr);
    // A copy watches the same element, registered on its own.
    Element_watch(Element_watch const& other);
    Element_watch& operator=(Element_watch const& other);
    ~Element_watch() override;

    void reset(Level_element* element = nullptr);
    // Null once the element is gone.
    Level_element* get() const { return _element; }
    Level_element* operator->() const { return _element; }
    explicit operator bool() const { return _element != nullptr; }

    void notify() override {}
    void element_destroyed(Level_element const& element) override;

private:
    Level_element* _element = nullptr;
};

#endif
