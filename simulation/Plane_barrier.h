#ifndef SIMULATION_PLANE_BARRIER_H
#define SIMULATION_PLANE_BARRIER_H

#include "simulation/Barrier.h"

#include <boost/optional.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/optional.hpp>

#include <utility>

// Two axes u, v that make a right-handed frame with the unit normal n, so that
// det[u v n] = 1.
std::pair<Eigen::Vector3f, Eigen::Vector3f> make_orthonormal_basis(Eigen::Vector3f const& n);

// Pushes along its normal: full strength behind the plane, fading to nothing
// `_radius` in front of it. The game field is bounded by six of them.
class Plane_barrier : public Barrier
{
public:
    // Only for reading levels.
    Plane_barrier() = default;
    // The local frame has the axes u, v of make_orthonormal_basis(normal) and the normal as z.
    Plane_barrier(Eigen::Vector3f const& position, Eigen::Vector3f const& normal, float strength, float radius,
                  boost::optional<Eigen::Vector2f> const& extent = boost::none);

    void accept(Level_element_visitor& visitor) override;
    // A plane has no bounds: the empty box.
    Eigen::AlignedBox3f get_bounding_box() const override;

    Eigen::Vector3f get_force(Atom const& atom) const override;
    Eigen::Vector3f get_force(Molecule const& molecule) const override;

    Eigen::Vector3f get_normal() const { return transform.block<3, 1>(0, 2); }
    float get_strength() const { return _strength; }
    float get_radius() const { return _radius; }
    // The drawn size along u and v; none means unbounded. The force ignores it.
    boost::optional<Eigen::Vector2f> const& get_extent() const { return _extent; }
    void set_extent(boost::optional<Eigen::Vector2f> const& extent) { _extent = extent; }

private:
    Eigen::Vector3f force_at(Eigen::Vector3f const& point) const;

    float _strength = 0.f;
    float _radius = 0.f;
    boost::optional<Eigen::Vector2f> _extent;

    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Plane_barrier>(version, "Plane_barrier");
        ar& boost::serialization::make_nvp("Barrier", boost::serialization::base_object<Barrier>(*this));
        ar& boost::serialization::make_nvp("_strength", _strength);
        ar& boost::serialization::make_nvp("_radius", _radius);
        ar& boost::serialization::make_nvp("_extent", _extent);
    }
};

BOOST_CLASS_EXPORT_KEY(Plane_barrier)

#endif
