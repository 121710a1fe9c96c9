#ifndef SIMULATION_CHARGED_BARRIER_H
#define SIMULATION_CHARGED_BARRIER_H

#include "simulation/Box_barrier.h"

// A box barrier that also attracts or repels molecules by their net charge, at
// any distance.
class Charged_barrier : public Box_barrier
{
public:
    // Only for reading levels: no properties, the level brings them.
    Charged_barrier() = default;
    Charged_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength, float radius,
                    float charge);

    void accept(Level_element_visitor& visitor) override;
    void apply_parameters(Parameter_list const& parameters) override;

    using Box_barrier::get_force;
    Eigen::Vector3f get_force(Molecule const& molecule) const override;

    float get_charge() const { return _charge; }

private:
    void ensure_properties();

    float _charge = 0.f;

    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Charged_barrier>(version, "Charged_barrier");
        ar& boost::serialization::make_nvp("Box_barrier", boost::serialization::base_object<Box_barrier>(*this));
        ar& boost::serialization::make_nvp("_charge", _charge);
        if (Archive::is_loading::value) ensure_properties();
    }
};

BOOST_CLASS_EXPORT_KEY(Charged_barrier)

#endif
