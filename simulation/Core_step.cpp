#include "simulation/Core.h"

#include "simulation/Molecule_factory.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace
{

int atoms_of_molecule_type(std::string const& type)
{
    return molecule_exists(type) ? int(create_molecule(type, Eigen::Vector3f::Zero())._atoms.size()) : 0;
}

// Scales v down to the given length when it is longer.
void limit_length(Eigen::Vector3f& v, float max_length)
{
    float const length = v.norm();
    if (length > max_length) v *= max_length / length;
}

// Damping applied as a force takes rate x step of the motion away in a step, at
// a rate of damping / mass (or / inertia) the motion decays by. Once a step is
// long against that, it takes more than all of it: the motion reverses, and
// beyond twice that it grows. The share of the damping kept holds the product
// to 1, where a step stops the motion; below that damping acts in full.
float damping_share(float rate, float step)
{
    float const taken = rate * std::abs(step);
    return taken > 1.f ? 1.f / taken : 1.f;
}

// The largest rate at which a body's rotation decays under unit damping is that
// of its smallest moment of inertia. Any row sum of the inverse bounds it, in
// every orientation.
float fastest_rotation_rate(Molecule const& molecule, float mass_factor)
{
    return molecule._I_body_inv.cwiseAbs().rowwise().sum().maxCoeff() / mass_factor;
}

} // namespace

void Core::update(float dt)
{
    _current_time += dt;

    if (_current_time - _last_element_update > _element_update_interval)
    {
        float const elapsed = _current_time - _last_element_update;
        _last_element_update = _current_time;
        update_level_elements(elapsed);
    }

    if (_use_midpoint->get_value<bool>())
        midpoint_step(dt);
    else
        plain_step(dt);
}

void Core::update_level_elements(float elapsed)
{
    if (!get_simulation_state()) return;

    auto& temporaries = _level_data._temporary_elements;
    temporaries.erase(std::remove_if(temporaries.begin(), temporaries.end(),
                                     [](auto const& element) { return element->is_finished(); }),
                      temporaries.end());

    release_molecules();

    for (auto& element : temporaries) element->animate(elapsed);
    for (auto& element : _level_data._level_elements) element->animate(elapsed);

    rebuild_temperature_grid();

    if (_current_time - _last_sensor_time > _sensor_data.interval)
    {
        capture_molecules();
        _last_sensor_time = _current_time;
        if (_game_state == Running) update_sensor_data();
    }

    if (_game_state == Running && end_condition_met()) set_game_state(Finished);
}

void Core::release_molecules()
{
    int const max_atoms = _cpu_force.get_max_atoms();
    for (Molecule_releaser* releaser : _level_data._molecule_releasers)
    {
        bool allowed = true;
        int const atoms_after =
            atoms_of_molecule_type(releaser->get_molecule_type()) + releaser->get_queued_atom_count() + _atom_count;
        if (atoms_after > max_atoms)
        {
            std::cout << "Core::update_level_elements Reached max number of atoms" << std::endl;
            allowed = false;
        }
        if (releaser->check_release(_current_time, allowed)) add_molecule(releaser->make_molecule(_current_time));
    }
}

void Core::rebuild_temperature_grid()
{
    Parameter const& temperature = *_level_data.get_parameters()["Temperature"];
    float const base = temperature.get_value<float>();
    float const lowest = temperature.get_min<float>();
    float const highest = temperature.get_max<float>();
    float const half_width = _level_data._game_field_width / 2.f;
    float const half_height = _level_data._game_field_height / 2.f;

    Frame_buffer<float>& grid = _level_data._temperature_grid;
    int const w = grid.get_width();
    int const h = grid.get_height();
    for (int i = 0; i < w * h; ++i)
    {
        float const x = ((i % w) / float(w - 1) * 2.f - 1.f) * half_width;
        float const z = ((i / w) / float(h - 1) * 2.f - 1.f) * half_height;
        Eigen::Vector3f const point(x, 0.f, z);

        float value = base;
        for (Brownian_element const* element : _level_data._brownian_elements) value += element->get_strength_at(point);
        grid.set_pixel(i, std::min(std::max(value, lowest), highest));
    }

    _cpu_force.set_temperature(grid);
    if (_use_gpu_force) _gpu_force->set_temperature(grid);
}

void Core::capture_molecules()
{
    auto& molecules = _level_data._molecules;
    for (Portal* portal : _level_data._portals) portal->begin_capture_pass();

    for (auto molecule = molecules.begin(); molecule != molecules.end();)
    {
        bool swallowed = false;
        for (Portal* portal : _level_data._portals)
        {
            if (!portal->contains(molecule->_x)) continue;
            portal->add_captured_molecule();
            if (!portal->get_destroy_on_entering()) continue;

            auto burst = std::make_unique<Particle_system_element>();
            burst->emit_from_molecule(*molecule);
            _level_data._temporary_elements.push_back(std::move(burst));
            _molecule_ids.erase(molecule->_id);
            molecule = molecules.erase(molecule);
            swallowed = true;
            break;
        }
        if (!swallowed) ++molecule;
    }
}

void Core::update_sensor_data()
{
    auto& series = _sensor_data._data;

    Frame_buffer<float> const& grid = _level_data._temperature_grid;
    double temperature_sum = 0.0;
    for (float value : grid.get_pixels()) temperature_sum += value;
    series[Sensor_data::Average_temperature].push_back(grid.get_count() > 0 ? float(temperature_sum / grid.get_count())
                                                                            : 0.f);

    int captured = 0;
    for (Portal const* portal : _level_data._portals)
        captured += portal->get_end_condition().get_num_captured_molecules();
    series[Sensor_data::Collected_molecules].push_back(float(captured));

    int released = 0;
    for (Molecule_releaser const* releaser : _level_data._molecule_releasers)
        released += releaser->get_num_released_molecules();
    series[Sensor_data::Released_molecules].push_back(float(released));

    float energy = 0.f;
    if (_sensor_data.area > 0.f)
    {
        for (auto const& element : _level_data._level_elements)
            energy += std::min(element->get_energy_consumption() / _sensor_data.area, 1.f) * 2.f;
    }
    series[Sensor_data::Energy_consumption].push_back(energy);

    _sensor_data.record_score();
}

bool Core::end_condition_met() const
{
    // Conditions of type 0 must all be met; one met condition of type 1 suffices.
    // Without any of type 0, only a met one of type 1 finishes the level.
    bool has_required = false;
    for (Portal const* portal : _level_data._portals)
    {
        Molecule_capture_condition const& condition = portal->get_end_condition();
        bool const met = condition.is_met(_level_data);
        if (condition.get_type() == 1 && met) return true;
        if (condition.get_type() == 0)
        {
            if (!met) return false;
            has_required = true;
        }
    }
    return has_required;
}

Eigen::Vector3f const* Core::calc_pair_forces(std::list<Molecule> const& molecules, float time)
{
    float const coulomb = _coulomb_strength->get_value<float>();
    float const vdw = _vdw_strength->get_value<float>();
    float const radius_factor = _vdw_radius_factor->get_value<float>();
    Eigen::Vector2f const field(_level_data._game_field_width, _level_data._game_field_height);

    if (_use_gpu_force && _gpu_force)
        return _gpu_force->calc_forces(molecules, coulomb, vdw, radius_factor, time, field);
    return _cpu_force.calc_forces(molecules, coulomb, vdw, radius_factor, time, field);
}

void Core::calc_molecule_forces(Molecule& molecule, Eigen::Vector3f const* atom_forces, int& atom_index,
                                float step) const
{
    molecule._force.setZero();
    molecule._torque.setZero();

    for (Atom const& atom : molecule._atoms)
    {
        Eigen::Vector3f const& f = atom_forces[atom_index++];
        molecule._force += f;
        molecule._torque += 0.1f * (atom.get_position() - molecule._x).cross(f);
    }

    for (Barrier const* barrier : _level_data._barriers) molecule._force += barrier->get_force(molecule);

    for (auto const& external : _level_data._external_forces)
        molecule._force += _mass_factor * molecule._mass * external.second._force;

    if (_constrain_forces)
    {
        limit_length(molecule._torque, 0.1f * _max_force);
        limit_length(molecule._force, _max_force);
    }

    float const translation = _level_data._translation_damping;
    float const rotation = _level_data._rotation_damping;
    molecule._force -= translation * damping_share(translation / (molecule._mass * _mass_factor), step) * molecule._v;
    molecule._torque -=
        rotation * damping_share(rotation * fastest_rotation_rate(molecule, _mass_factor), step) * molecule._omega;
}

void Core::calc_all_molecule_forces(std::list<Molecule>& molecules, float time, float step)
{
    Eigen::Vector3f const* atom_forces = calc_pair_forces(molecules, time);
    int atom_index = 0;
    for (Molecule& molecule : molecules) calc_molecule_forces(molecule, atom_forces, atom_index, step);
}

void Core::integrate(Molecule& molecule, Molecule const& rate, float dt) const
{
    Eigen::Quaternionf const omega(0.f, rate._omega.x(), rate._omega.y(), rate._omega.z());
    Eigen::Vector4f const spin = (omega * rate._q).coeffs();
    Eigen::Vector3f const velocity = rate._v;
    Eigen::Vector3f const force = rate._force;
    Eigen::Vector3f const torque = rate._torque;

    molecule._x += dt * velocity;
    molecule._q.coeffs() += dt * 0.5f * spin;
    molecule._P += dt * force;
    molecule._L += dt * torque;
    molecule.update_derived(_mass_factor);
}

void Core::plain_step(float dt)
{
    auto& molecules = _level_data._molecules;
    calc_all_molecule_forces(molecules, _current_time, dt);
    for (Molecule& molecule : molecules) integrate(molecule, molecule, dt);
}

void Core::midpoint_step(float dt)
{
    auto& molecules = _level_data._molecules;
    std::list<Molecule>& halfway = _halfway;
    halfway = molecules;

    // Both halves keep to the damping share of the whole step.
    calc_all_molecule_forces(halfway, _current_time, dt);
    for (Molecule& molecule : halfway) integrate(molecule, molecule, dt / 2.f);

    calc_all_molecule_forces(halfway, _current_time + dt / 2.f, dt);
    auto rate = halfway.begin();
    for (Molecule& molecule : molecules) integrate(molecule, *rate++, dt);
}
