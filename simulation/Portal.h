#ifndef SIMULATION_PORTAL_H
#define SIMULATION_PORTAL_H

#include "simulation/End_condition.h"
#include "simulation/Level_element.h"
#include "simulation/Local_box.h"

#include "gl/Particle.h"

#include <boost/serialization/export.hpp>
#include <boost/serialization/version.hpp>

#include <vector>

// Collects molecules: counts those inside it and, when swallowing, takes them out
// of the level.
class Portal : public Level_element
{
public:
    // Needs ten molecules, score factor 60, does not swallow.
    Portal() = default;

    // Also forgets what was captured.
    void reset() override;

    virtual bool contains(Eigen::Vector3f const& world_point) const = 0;

    Molecule_capture_condition& get_end_condition() { return _end_condition; }
    Molecule_capture_condition const& get_end_condition() const { return _end_condition; }
    bool get_destroy_on_entering() const { return _destroy_on_entering; }
    void set_destroy_on_entering(bool destroy) { _destroy_on_entering = destroy; }
    float get_score_factor() const { return _score_factor; }
    void set_score_factor(float factor) { _score_factor = factor; }

    // A plain portal counts what is inside it now; a swallowing one keeps the
    // count of all it has taken since the last reset.
    void begin_capture_pass();
    void add_captured_molecule();

protected:
    Molecule_capture_condition _end_condition;
    float _score_factor = 60.f;
    bool _destroy_on_entering = false;

private:
    friend class boost::serialization::access;

    // Version 0 portals never swallowed.
    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Portal>(version, "Portal");
        ar& boost::serialization::make_nvp("Level_element", boost::serialization::base_object<Level_element>(*this));
        ar& boost::serialization::make_nvp("_end_condition", _end_condition);
        ar& boost::serialization::make_nvp("_score_factor", _score_factor);
        if (version >= 1) ar& boost::serialization::make_nvp("_destroy_on_entering", _destroy_on_entering);
        if (Archive::is_loading::value) settle_after_load();
    }

    // The swarm holds one particle per molecule still missing: no file asks for
    // more molecules than a level can hold.
    void settle_after_load();
};

BOOST_CLASS_VERSION(Portal, 1)

// A portal box, with a swarm of green particles, one per molecule still missing.
class Box_portal : public Portal
{
public:
    // Only for reading levels: the empty box.
    Box_portal();
    Box_portal(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max);

    void accept(Level_element_visitor& visitor) override;
    void animate(float dt) override;
    // Also rebuilds the swarm for the molecules still to capture.
    void reset() override;
    Eigen::AlignedBox3f get_bounding_box() const override;
    // Points on the surface count as inside.
    bool contains(Eigen::Vector3f const& world_point) const override;

    Eigen::AlignedBox3f get_box() const { return Eigen::AlignedBox3f(boxmin, boxmax); }
    Eigen::Vector3f get_extent() const { return boxmax - boxmin; }
    // The box becomes [-size/2, size/2] about the position.
    void set_extent(Eigen::Vector3f const& size);
    // In the portal's frame.
    std::vector<Particle> const& get_particles() const { return _particles; }

protected:
    Eigen::Vector3f boxmin;
    Eigen::Vector3f boxmax;
    std::vector<Particle> _particles;

private:
    int molecules_still_missing() const;
    void rebuild_particles();

    friend class boost::serialization::access;

    // The swarm is not stored: a reset rebuilds it.
    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Box_portal>(version, "Box_portal");
        ar& boost::serialization::make_nvp("Portal", boost::serialization::base_object<Portal>(*this));
        ar& boost::serialization::make_nvp("boxmin", boxmin);
        ar& boost::serialization::make_nvp("boxmax", boxmax);
        if (Archive::is_loading::value) check_loaded_box(boxmin, boxmax);
    }
};

// The ellipsoid inscribed in the box of a box portal.
class Sphere_portal : public Box_portal
{
public:
    // Only for reading levels: the empty box.
    Sphere_portal() = default;
    Sphere_portal(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max);

    void accept(Level_element_visitor& visitor) override;
    bool contains(Eigen::Vector3f const& world_point) const override;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Sphere_portal>(version, "Sphere_portal");
        ar& boost::serialization::make_nvp("Box_portal", boost::serialization::base_object<Box_portal>(*this));
    }
};

BOOST_CLASS_EXPORT_KEY(Box_portal)
BOOST_CLASS_EXPORT_KEY(Sphere_portal)

#endif
