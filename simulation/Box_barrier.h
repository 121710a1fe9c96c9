#ifndef SIMULATION_BOX_BARRIER_H
#define SIMULATION_BOX_BARRIER_H

#include "simulation/Barrier.h"
#include "simulation/Local_box.h"

#include <boost/serialization/export.hpp>

// Repels molecules from a box: full strength on and inside it, fading to nothing
// `_radius` outside it.
class Box_barrier : public Barrier
{
public:
    // Only for reading levels: the empty box, no strength.
    Box_barrier();
    Box_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength, float radius);

    void accept(Level_element_visitor& visitor) override;
    Eigen::AlignedBox3f get_bounding_box() const override;

    using Barrier::get_force;
    Eigen::Vector3f get_force(Molecule const& molecule) const override;

    Eigen::AlignedBox3f get_box() const { return Eigen::AlignedBox3f(boxmin, boxmax); }
    Eigen::Vector3f get_extent() const { return boxmax - boxmin; }
    // The box becomes [-size/2, size/2] about the position.
    void set_extent(Eigen::Vector3f const& size);

    float get_strength() const { return _strength; }
    float get_radius() const { return _radius; }
    float get_box_radius() const { return _box_radius; }

protected:
    // Where a world point lies against the box, in the element's frame.
    struct Box_offset
    {
        Eigen::Vector3f local;   // the point
        Eigen::Vector3f nearest; // the box point nearest to it
        float distance;          // 0 on and inside the box
    };
    Box_offset offset_from_box(Eigen::Vector3f const& world_point) const;

    // The push of the box law, without the reach cut-off.
    Eigen::Vector3f box_push(Box_offset const& offset) const;

    Eigen::Vector3f boxmin;
    Eigen::Vector3f boxmax;
    float _strength = 0.f;
    float _radius = 0.f;
    // Half the box diagonal: beyond it plus `_radius` from the centre nothing is felt.
    float _box_radius = 0.f;

private:
    void update_box_radius();

    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Box_barrier>(version, "Box_barrier");
        ar& boost::serialization::make_nvp("Barrier", boost::serialization::base_object<Barrier>(*this));
        ar& boost::serialization::make_nvp("boxmin", boxmin);
        ar& boost::serialization::make_nvp("boxmax", boxmax);
        ar& boost::serialization::make_nvp("_strength", _strength);
        ar& boost::serialization::make_nvp("_radius", _radius);
        ar& boost::serialization::make_nvp("_box_radius", _box_radius);
        if (Archive::is_loading::value) check_loaded_box(boxmin, boxmax);
    }
};

BOOST_CLASS_EXPORT_KEY(Box_barrier)

// A box barrier that sweeps back and forth; the editor sets the end points of
// its animation.
class Moving_box_barrier : public Box_barrier
{
public:
    Moving_box_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength,
                       float radius);

    void accept(Level_element_visitor& visitor) override;
};

// A box barrier drawn with an arrow along its blowing axis.
class Blow_barrier : public Box_barrier
{
public:
    Blow_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength, float radius);

    void accept(Level_element_visitor& visitor) override;

    // 0 x, 1 y, 2 z.
    int get_axis() const { return _axis; }

private:
    int _axis = 0;
};

#endif
