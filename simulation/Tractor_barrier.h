#ifndef SIMULATION_TRACTOR_BARRIER_H
#define SIMULATION_TRACTOR_BARRIER_H

#include "simulation/Box_barrier.h"

#include "gl/Particle.h"

#include <boost/serialization/list.hpp>

#include <list>

// Pushes molecules along its own x axis anywhere within the z slab of its box,
// strongest on its y-z mid plane. Its particles stream in the push direction.
class Tractor_barrier : public Box_barrier
{
public:
    // Only for reading levels: no properties, the level brings them.
    Tractor_barrier() = default;
    // Starts with tractor strength 2 and radius 5, from its properties.
    Tractor_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength);

    void accept(Level_element_visitor& visitor) override;
    void animate(float dt) override;
    float get_energy_consumption() const override;
    void apply_parameters(Parameter_list const& parameters) override;

    using Box_barrier::get_force;
    Eigen::Vector3f get_force(Molecule const& molecule) const override;

    float get_tractor_strength() const { return _tractor_strength; }
    std::list<Particle> const& get_particles() const { return _particles; }
    // Degrees about x, for the turning wheel.
    float get_rotation_angle() const { return _rotation_angle; }

private:
    void emit_particle(Eigen::Vector3f const& size);
    void ensure_properties();
    void settle_after_load();

    float _tractor_strength = 0.f;
    float _emission_timer = 0.f;
    float _rotation_angle = 0.f;
    // A particle's age is its progress across the tractor, 0 to 1.
    std::list<Particle> _particles;

    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Tractor_barrier>(version, "Tractor_barrier");
        ar& boost::serialization::make_nvp("Box_barrier", boost::serialization::base_object<Box_barrier>(*this));
        ar& boost::serialization::make_nvp("_tractor_strength", _tractor_strength);
        ar& boost::serialization::make_nvp("_particles", _particles);
        if (Archive::is_loading::value) settle_after_load();
    }
};

BOOST_CLASS_EXPORT_KEY(Tractor_barrier)

#endif
