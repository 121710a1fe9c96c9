#ifndef SIMULATION_MOLECULE_RELEASER_H
#define SIMULATION_MOLECULE_RELEASER_H

#include "simulation/Level_element.h"
#include "simulation/Molecule.h"

#include "gl/Targeted_particle_system.h"

#include <boost/serialization/export.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/version.hpp>

#include <deque>
#include <string>
#include <vector>

// A box that releases a molecule of its type every interval, up to a maximum.
// Half a second before each release it prepares the molecule and shows particles
// flying to where its atoms will appear.
class Molecule_releaser : public Level_element
{
public:
    // Only for reading levels: the empty box and no type; the level brings the rest.
    Molecule_releaser();
    // No type yet; 100 molecules at most.
    Molecule_releaser(Eigen::Vector3f const& corner_a, Eigen::Vector3f const& corner_b, float first_release,
                      float interval);

    void accept(Level_element_visitor& visitor) override;
    // Advances the particle groups and the phase of the release cycle.
    void animate(float dt) override;
    // Starts the releases over from the first one.
    void reset() override;
    Eigen::AlignedBox3f get_bounding_box() const override;

    // The prepared molecule leaves; call it when check_release says so.
    virtual Molecule make_molecule(float time);

    // Prepares the next molecule once its release is less than the lead time away
    // (only when `allowed`), and says whether a prepared molecule is due.
    bool check_release(float time, bool allowed);

    // Atoms of the prepared molecules that have not left yet.
    int get_queued_atom_count() const;

    float get_interval() const { return _interval; }
    void set_interval(float interval) { _interval = interval; }
    float get_first_release() const { return _first_release; }
    void set_first_release(float first_release) { _first_release = first_release; }
    std::string const& get_molecule_type() const { return _molecule_type; }
    void set_molecule_type(std::string const& type) { _molecule_type = type; }
    int get_num_max_molecules() const { return _num_max_molecules; }
    void set_num_max_molecules(int count) { _num_max_molecules = count; }
    int get_num_released_molecules() const { return _num_released_molecules; }
    // The molecule due at the next release, or null before it is prepared.
    Molecule const* get_prepared_molecule() const { return _next_molecule_prepared ? &_next_molecule : nullptr; }
    // Phase of the release cycle in [0, 1], for drawing.
    float get_release_progress() const { return _release_progress; }
    // In the releaser's frame.
    std::vector<Targeted_particle_system> const& get_particle_groups() const { return _particle_groups; }

    Eigen::AlignedBox3f get_box() const { return Eigen::AlignedBox3f(boxmin, boxmax); }
    // The box becomes [-size/2, size/2] about the position.
    void set_extent(Eigen::Vector3f const& size);

protected:
    // Local to world for points: the frame applied to p, then moved to the position.
    Eigen::Vector3f to_world_point(Eigen::Vector3f const& local_point) const;
    // Local to world for directions, without the frame's translation column.
    Eigen::Vector3f to_world_axis(Eigen::Vector3f const& local_direction) const;

    Eigen::Vector3f boxmin;
    Eigen::Vector3f boxmax;
    float _first_release = 0.f;
    float _last_release = 0.f;
    float _interval = 0.f;
    int _num_max_molecules = 100;
    int _num_released_molecules = 0;
    std::string _molecule_type;
    Molecule _next_molecule;
    bool _next_molecule_prepared = false;
    std::deque<Molecule> _release_queue;
    std::vector<Targeted_particle_system> _particle_groups;
    float _lead_time = 0.5f;
    float _release_progress = 0.f;

private:
    void prepare_molecule();
    // No file makes a releaser release more than a level holds, or a molecule
    // that cannot move.
    void settle_after_load();
    Targeted_particle_system particles_towards(Molecule const& molecule, Eigen::Vector3f const& release_point) const;

    friend class boost::serialization::access;

    // Version 0 releasers kept no prepared molecule.
    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Molecule_releaser>(version, "Molecule_releaser");
        ar& boost::serialization::make_nvp("Level_element", boost::serialization::base_object<Level_element>(*this));
        ar& boost::serialization::make_nvp("boxmin", boxmin);
        ar& boost::serialization::make_nvp("boxmax", boxmax);
        ar& boost::serialization::make_nvp("_first_release", _first_release);
        ar& boost::serialization::make_nvp("_last_release", _last_release);
        ar& boost::serialization::make_nvp("_interval", _interval);
        ar& boost::serialization::make_nvp("_num_max_molecules", _num_max_molecules);
        ar& boost::serialization::make_nvp("_num_released_molecules", _num_released_molecules);
        ar& boost::serialization::make_nvp("_molecule_type", _molecule_type);
        if (version >= 1)
        {
            ar& boost::serialization::make_nvp("_next_molecule", _next_molecule);
            ar& boost::serialization::make_nvp("_next_molecule_prepared", _next_molecule_prepared);
        }
        if (Archive::is_loading::value) settle_after_load();
    }
};

BOOST_CLASS_VERSION(Molecule_releaser, 1)
BOOST_CLASS_EXPORT_KEY(Molecule_releaser)

#endif
