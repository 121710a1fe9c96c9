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
    Charged_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength,
                    float radius, float charge);

    void accept(Level_element_visitor& visitor) override;
    void apply_parameters(Parameter_list const& parameters) override;

    using Box_barrier::get_force;
    Eigen::Vector3f get_force(Molecule const& molecule) const override;

    float get_charge() const { return _charge; }

private:
    float _charge = 0.f;
};

#endif
