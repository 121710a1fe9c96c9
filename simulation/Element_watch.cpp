#include "simulation/Element_watch.h"

Element_watch::Element_watch(Level_element* element)
{
    reset(element);
}

Element_watch::Element_watch(Element_watch const& other) : Level_element_listener(other)
{
    reset(other._element);
}

Element_watch& Element_watch::operator=(Element_watch const& other)
{
    reset(other._element);
    return *this;
}

Element_watch::~Element_watch()
{
    reset();
}

void Element_watch::reset(Level_element* element)
{
    if (element == _element) return;
    if (_element) _element->remove_notifiable(this);
    _element = element;
    if (_element) _element->add_notifiable(this);
}

void Element_watch::element_destroyed(Level_element const& element)
{
    if (&element == _element) _element = nullptr;
}
