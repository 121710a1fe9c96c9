#include "simulation/Molecule_releaser.h"

#include "foundation/Random.h"
#include "gl/Random_vector.h"
#include "simulation/Atom_surface_points.h"
#include "simulation/Level_element_visitor.h"
#include "simulation/Level_limits.h"
#include "simulation/Local_box.h"
#include "simulation/Molecule_factory.h"

#include <algorithm>
#include <iostream>

Molecule_releaser::Molecule_releaser() : boxmin(empty_box_min()), boxmax(empty_box_max())
{
}

Molecule_releaser::Molecule_releaser(Eigen::Vector3f const& corner_a, Eigen::Vector3f const& corner_b,
                                     float first_release, float interval)
    : _first_release(first_release), _last_release(first_release), _interval(interval)
{
    _position = (corner_a + corner_b) / 2.f;
    boxmin = corner_a - _position;
    boxmax = corner_b - _position;
}

void Molecule_releaser::settle_after_load()
{
    check_loaded_box(boxmin, boxmax);
    _num_max_molecules = std::min(std::max(_num_max_molecules, 0), level_atom_limit);
    _num_released_molecules = std::min(std::max(_num_released_molecules, 0), _num_max_molecules);
    if (_next_molecule_prepared) _next_molecule.check_loaded();
}

void Molecule_releaser::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

void Molecule_releaser::animate(float dt)
{
    _particle_groups.erase(
        std::remove_if(_particle_groups.begin(), _particle_groups.end(),
                       [](Targeted_particle_system const& group) { return group.get_time() > group.get_duration(); }),
        _particle_groups.end());
    for (Targeted_particle_system& group : _particle_groups) group.update(dt);

    _release_progress += dt / _interval;
    if (_release_progress > 1.f) _release_progress = 0.f;
}

void Molecule_releaser::reset()
{
    Level_element::reset();
    _last_release = _first_release;
    _num_released_molecules = 0;
    _next_molecule_prepared = false;
    _release_progress = 0.f;
    _release_queue.clear();
}

Eigen::AlignedBox3f Molecule_releaser::get_bounding_box() const
{
    return corner_bounding_box(*this, boxmin, boxmax);
}

bool Molecule_releaser::check_release(float time, bool allowed)
{
    float const next_release = _last_release + _interval;
    if (time > next_release - _lead_time && !_next_molecule_prepared && allowed)
    {
        if (molecule_exists(_molecule_type))
            prepare_molecule();
        else
            std::cout << "Molecule_releaser::check_release unknown molecule type: " << _molecule_type << std::endl;
    }
    return time > next_release && _num_released_molecules < _num_max_molecules && _next_molecule_prepared;
}

void Molecule_releaser::prepare_molecule()
{
    _next_molecule_prepared = true;
    _next_molecule = create_molecule(_molecule_type, Eigen::Vector3f::Zero());

    // Molecules leave through the +x face, spread over the middle of it.
    Eigen::Vector3f const r = random_box_point(boxmin, boxmax);
    Eigen::Vector3f const release_point(boxmax.x(), 0.8f * r.y(), 0.8f * r.z());
    _next_molecule._x = to_world_point(release_point);
    float const speed = 4.f + 4.f * rand_unit();
    _next_molecule._P = speed * to_world_axis(Eigen::Vector3f::UnitX());
    _next_molecule.update_atom_positions();

    _release_queue.push_back(_next_molecule);
    _particle_groups.push_back(particles_towards(_next_molecule, release_point));
}

Targeted_particle_system Molecule_releaser::particles_towards(Molecule const& molecule,
                                                              Eigen::Vector3f const& release_point) const
{
    std::vector<Targeted_particle> particles;
    for (Atom_surface_point const& point : atom_surface_points(molecule, 100))
    {
        Atom const& atom = molecule._atoms[std::size_t(point.atom_index)];
        Targeted_particle particle;
        particle.target = release_point + atom._r_0 + atom._radius * point.direction;
        particle.position = random_box_point(boxmin, boxmax);
        particle.speed = random_signed_vector() * 10.f;
        particle.color = atom_color(atom);
        particles.push_back(particle);
    }
    Targeted_particle_system group(_lead_time);
    group.add_particles(particles);
    return group;
}

Molecule Molecule_releaser::make_molecule(float time)
{
    ++_num_released_molecules;
    _last_release = time;
    _next_molecule_prepared = false;
    // A releaser read from a level keeps its prepared molecule but not the queue.
    if (_release_queue.empty()) return _next_molecule;
    Molecule molecule = std::move(_release_queue.front());
    _release_queue.pop_front();
    return molecule;
}

int Molecule_releaser::get_queued_atom_count() const
{
    int count = 0;
    for (Molecule const& molecule : _release_queue) count += int(molecule._atoms.size());
    return count;
}

void Molecule_releaser::set_extent(Eigen::Vector3f const& size)
{
    boxmin = -size / 2.f;
    boxmax = size / 2.f;
}

Eigen::Vector3f Molecule_releaser::to_world_point(Eigen::Vector3f const& local_point) const
{
    return _position + Eigen::Affine3f(transform) * local_point;
}

Eigen::Vector3f Molecule_releaser::to_world_axis(Eigen::Vector3f const& local_direction) const
{
    return transform.topLeftCorner<3, 3>() * local_direction;
}
