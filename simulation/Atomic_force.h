#ifndef SIMULATION_ATOMIC_FORCE_H
#define SIMULATION_ATOMIC_FORCE_H

#include "foundation/Class_registry.h"
#include "foundation/Parameter_list.h"
#include "simulation/Atom.h"

#include <string>

// A pairwise force between two atoms, chosen by display name from the class
// registry. The step itself takes its pair forces from the force pass; these
// objects carry the laws and their settings.
class Atomic_force
{
public:
    virtual ~Atomic_force() = default;
    virtual std::string get_name() const { return ""; }
    virtual void apply_parameters(Parameter_list const& /*parameters*/) {}
    virtual void store_parameters(Parameter_list& /*parameters*/) const {}
    // Positive pushes the atoms apart.
    virtual float calc_force(float distance, Atom const& a, Atom const& b) const = 0;
};

class Coulomb_force : public Atomic_force
{
public:
    static std::string name() { return "Coulomb Force"; }
    static Atomic_force* create() { return new Coulomb_force; }

    std::string get_name() const override { return name(); }
    void apply_parameters(Parameter_list const& parameters) override;
    void store_parameters(Parameter_list& parameters) const override;
    float calc_force(float distance, Atom const& a, Atom const& b) const override;

    float _strength = 0.f;
};

// Van der Waals attraction and repulsion in Lennard-Jones form.
class Lennard_jones_force : public Atomic_force
{
public:
    static std::string name() { return "Van der Waals Force"; }
    static Atomic_force* create() { return new Lennard_jones_force; }

    std::string get_name() const override { return name(); }
    void apply_parameters(Parameter_list const& parameters) override;
    void store_parameters(Parameter_list& parameters) const override;
    float calc_force(float distance, Atom const& a, Atom const& b) const override;

    float _strength = 0.f;
    float _radius_factor = 0.f;
};

// Default lists, freshly allocated on every call: the receiver owns the parameters
// (the registrators below free them at exit).
Parameter_list make_atomic_force_parameters();
Parameter_list make_coulomb_force_parameters();
Parameter_list make_lennard_jones_force_parameters();

namespace
{
Class_registrator<Atomic_force, Coulomb_force> const
    coulomb_force_registrator(Coulomb_force::create, make_coulomb_force_parameters(), make_atomic_force_parameters());
Class_registrator<Atomic_force, Lennard_jones_force> const
    lennard_jones_force_registrator(Lennard_jones_force::create, make_lennard_jones_force_parameters(),
                                    make_atomic_force_parameters());
} // namespace

#endif
