#ifndef SIMULATION_LEVEL_ELEMENT_VISITOR_H
#define SIMULATION_LEVEL_ELEMENT_VISITOR_H

class Particle_system_element;
class Brownian_box;
class Sphere_portal;
class Box_portal;
class Molecule_releaser;
class Charged_barrier;
class Moving_box_barrier;
class Tractor_barrier;
class Blow_barrier;
class Box_barrier;
class Plane_barrier;

// Handles each concrete element kind without type tests; every overload does
// nothing unless a visitor cares about that kind.
class Level_element_visitor
{
public:
    virtual ~Level_element_visitor() = default;

    virtual void visit(Particle_system_element& /*element*/) {}
    virtual void visit(Brownian_box& /*element*/) {}
    virtual void visit(Sphere_portal& /*element*/) {}
    virtual void visit(Box_portal& /*element*/) {}
    virtual void visit(Molecule_releaser& /*element*/) {}
    virtual void visit(Charged_barrier& /*element*/) {}
    virtual void visit(Moving_box_barrier& /*element*/) {}
    virtual void visit(Tractor_barrier& /*element*/) {}
    virtual void visit(Blow_barrier& /*element*/) {}
    virtual void visit(Box_barrier& /*element*/) {}
    virtual void visit(Plane_barrier& /*element*/) {}
};

#endif
