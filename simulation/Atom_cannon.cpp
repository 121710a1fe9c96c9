#include "simulation/Atom_cannon.h"

#include "foundation/Random.h"
#include "simulation/Element_properties.h"
#include "simulation/Molecule_factory.h"

Atom_cannon::Atom_cannon(Eigen::Vector3f const& corner_a, Eigen::Vector3f const& corner_b, float first_release,
                         float interval, float speed, float charge)
    : Molecule_releaser(corner_a, corner_b, first_release, interval), _speed(speed), _charge(charge)
{
    // What it fires, so that the first preparation finds a molecule kind.
    _molecule_type = "Cl";
    add_property(Parameter("charge", charge, -1.f, 1.f));
    add_property(Parameter("speed", speed, 1.f, 100.f));
}

void Atom_cannon::apply_parameters(Parameter_list const& parameters)
{
    read_float_property(parameters, "charge", _charge);
    read_float_property(parameters, "speed", _speed);
}

Molecule Atom_cannon::make_molecule(float time)
{
    _last_release = time;
    Molecule molecule = create_cl_molecule(Eigen::Vector3f::Zero());
    molecule._atoms.front()._charge = _charge;
    // Charged barriers read the molecule's net charge.
    molecule._accumulated_charge = _charge;

    Eigen::Vector3f const size = boxmax - boxmin;
    rand_0_32767(); // kept so that a seed gives the same shots as always
    float const a = size.y() * 0.4f * rand_signed();
    float const c = size.z() * 0.4f * rand_signed();
    Eigen::Vector3f const start(-0.4f * size.x(), -a, 0.f);
    Eigen::Vector3f const end(0.5f * size.x(), -a, c);
    molecule._x = to_world_point(end);
    molecule._P = _speed * to_world_axis((end - start).normalized());
    molecule.update_atom_positions();

    ++_num_released_molecules;
    return molecule;
}
