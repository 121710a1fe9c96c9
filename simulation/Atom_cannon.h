#ifndef SIMULATION_ATOM_CANNON_H
#define SIMULATION_ATOM_CANNON_H

#include "simulation/Molecule_releaser.h"

// A releaser that shoots single charged chlorine atoms across its box at a set
// speed, one every interval once the first is prepared.
class Atom_cannon : public Molecule_releaser
{
public:
    Atom_cannon(Eigen::Vector3f const& corner_a, Eigen::Vector3f const& corner_b, float first_release, float interval,
                float speed, float charge);

    void apply_parameters(Parameter_list const& parameters) override;
    Molecule make_molecule(float time) override;

    float get_speed() const { return _speed; }
    float get_charge() const { return _charge; }

private:
    float _speed;
    float _charge;
};

#endif
