#ifndef SIMULATION_BROWNIAN_BOX_H
#define SIMULATION_BROWNIAN_BOX_H

#include "simulation/Level_element.h"

#include "gl/Particle.h"

#include <boost/serialization/base_object.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/vector.hpp>

#include <vector>

// A heat source (positive strength) or sink (negative). Its only effect on the
// molecules is the strength it reports to the level's temperature grid.
class Brownian_element : public Level_element
{
public:
    virtual float get_strength_at(Eigen::Vector3f const& world_point) const = 0;

    float get_strength() const { return _strength; }
    float get_radius() const { return _radius; }

protected:
    float _strength = 0.f;
    // How far outside its shape the heat reaches.
    float _radius = 10.f;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Brownian_element>(version, "Brownian_element");
        ar& boost::serialization::make_nvp("Level_element", boost::serialization::base_object<Level_element>(*this));
    }
};

// A heating or cooling box, whose particles move the faster the hotter it is.
class Brownian_box : public Brownian_element
{
public:
    // Only for reading levels: the empty box, no particles and no properties.
    Brownian_box();
    Brownian_box(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength);

    void accept(Level_element_visitor& visitor) override;
    void animate(float dt) override;
    float get_energy_consumption() const override;
    Eigen::AlignedBox3f get_bounding_box() const override;
    void apply_parameters(Parameter_list const& parameters) override;

    // Full strength on and inside the box, falling to 0 at `_radius` outside it.
    float get_strength_at(Eigen::Vector3f const& world_point) const override;

    Eigen::AlignedBox3f get_box() const { return Eigen::AlignedBox3f(boxmin, boxmax); }
    Eigen::Vector3f get_extent() const { return boxmax - boxmin; }
    // The box becomes [-size/2, size/2] about the position.
    void set_extent(Eigen::Vector3f const& size);
    // In the box's frame.
    std::vector<Particle> const& get_particles() const { return _particles; }

private:
    void ensure_properties();
    void settle_after_load();

    Eigen::Vector3f boxmin;
    Eigen::Vector3f boxmax;
    std::vector<Particle> _particles;

    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Brownian_box>(version, "Brownian_box");
        ar& boost::serialization::make_nvp("Brownian_element",
                                           boost::serialization::base_object<Brownian_element>(*this));
        ar& boost::serialization::make_nvp("boxmin", boxmin);
        ar& boost::serialization::make_nvp("boxmax", boxmax);
        ar& boost::serialization::make_nvp("_strength", _strength);
        ar& boost::serialization::make_nvp("_radius", _radius);
        ar& boost::serialization::make_nvp("_particles", _particles);
        if (Archive::is_loading::value) settle_after_load();
    }
};

BOOST_CLASS_EXPORT_KEY(Brownian_box)

#endif
