#include "widgets/Draggable_box.h"

#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"

#include <iostream>

// Writing the box back into each element kind, through the kind's own extent
// setter (the Element template argument picks it).

void Draggable_box::apply_geometry(Level_element& element)
{
    element.set_transform(_transform);
    element.set_position(_position);
}

template <class Element> void Draggable_box::apply_box(Element& element, bool announce)
{
    if (announce) std::cout << "Draggable_box::visit" << std::endl;
    apply_geometry(element);
    element.set_extent(2.f * _half_extents);
    element.apply_parameters(_properties);
}

void Draggable_box::visit(Brownian_box& element)
{
    apply_box(element);
}

void Draggable_box::visit(Sphere_portal& element)
{
    apply_box<Box_portal>(element);
}

void Draggable_box::visit(Box_portal& element)
{
    apply_box(element);
}

void Draggable_box::visit(Molecule_releaser& element)
{
    apply_box(element);
}

void Draggable_box::visit(Charged_barrier& element)
{
    apply_box<Box_barrier>(element);
}

void Draggable_box::visit(Moving_box_barrier& element)
{
    apply_box<Box_barrier>(element);
}

void Draggable_box::visit(Tractor_barrier& element)
{
    apply_box<Box_barrier>(element, false);
}

void Draggable_box::visit(Blow_barrier& element)
{
    apply_box<Box_barrier>(element);
}

void Draggable_box::visit(Box_barrier& element)
{
    apply_box(element);
}

void Draggable_box::visit(Plane_barrier& element)
{
    std::cout << "Draggable_box::visit" << std::endl;
    apply_geometry(element);
    element.set_extent(Eigen::Vector2f(2.f * _half_extents.x(), 2.f * _half_extents.y()));
    element.apply_parameters(_properties);
}
