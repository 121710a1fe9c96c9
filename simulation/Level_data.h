#ifndef SIMULATION_LEVEL_DATA_H
#define SIMULATION_LEVEL_DATA_H

#include "foundation/Class_version_check.h"
#include "foundation/Parameter_list.h"
#include "gl/Frame_buffer.h"
#include "simulation/Brownian_box.h"
#include "simulation/External_force.h"
#include "simulation/Level_load_guard.h"
#include "simulation/Molecule.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Particle_system_element.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"

#include <Eigen/Core>
// The reader of the old shared-pointer layout is only compiled in when its
// header comes before the current one.
#include <boost/serialization/shared_ptr_132.hpp>
#include <boost/serialization/shared_ptr.hpp>
#include <boost/serialization/list.hpp>
#include <boost/serialization/map.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/vector.hpp>
#include <boost/serialization/version.hpp>
#include <boost/shared_ptr.hpp>

#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Everything that defines one level. `_level_elements` alone owns the elements;
// the lists by kind and the border map point into it.
class Level_data
{
public:
    // The border planes: axis index on the negative side, axis index + 3 on the
    // positive. Files store them as ints, and any int must be a value of the type.
    enum Plane : int
    {
        X_min = 0,
        Y_min = 1,
        Z_min = 2,
        X_max = 3,
        Y_max = 4,
        Z_max = 5
    };

    Level_data();
    ~Level_data();
    Level_data(Level_data const&) = delete;
    Level_data& operator=(Level_data const&) = delete;

    // The list "Level Data", for the options window and the editor's sliders.
    Parameter_list& get_parameters() { return _parameters; }

    // Each takes ownership and lists the element by its kind; an element already
    // owned, or none, changes nothing.
    void add_element(Barrier* barrier);
    void add_element(Portal* portal);
    void add_element(Brownian_element* element);
    void add_element(Molecule_releaser* releaser);

    // Removes the element from every list and destroys it; one the level does not
    // hold changes nothing.
    void delete_element(Level_element* element);

    // Empties the molecules, the borders, every element list, the bursts and the
    // external forces; the settings stay.
    void clear_elements();

    // The default game field and physics: 80 x 40 x 40, no heat, damping 0.3, no gravity.
    void reset();
    void reset_elements();

    // Parameters to fields, then fields back to parameters.
    void apply_parameters();
    // Fields to parameters, without running their callbacks.
    void update_parameters_from_data();
    // Rebuilds the borders from "Game Field Width", "Game Field Height" and "Game Field Depth".
    void update_game_field();
    void rebuild_game_field_borders(Eigen::Vector3f const& min_corner, Eigen::Vector3f const& max_corner);
    // Lets the dampings go down to 0.
    void enable_unstable_options();

    // The temperature grid interpolated at the point's x and z; points outside the
    // field take the nearest edge.
    float get_temperature(Eigen::Vector3f const& point) const;

    // All six border planes are there.
    bool has_game_field_borders() const;

    // The element kinds a level can offer the player, each with a parameter
    // under "Available elements".
    static std::vector<std::string> const& available_element_kinds();
    // One element of the kind fewer, the parameter following; false, and nothing
    // changes, when none is left.
    bool take_available_element(std::string const& kind);
    // Replaces every count, the parameters following.
    void set_available_elements(std::map<std::string, int> const& counts);

    std::list<Molecule> _molecules;
    std::map<Plane, Plane_barrier*> _game_field_borders;
    std::vector<Barrier*> _barriers;
    std::vector<Portal*> _portals;
    std::vector<Brownian_element*> _brownian_elements;
    std::vector<Molecule_releaser*> _molecule_releasers;
    // The bursts left by swallowing portals: owned here, never stored in files.
    std::vector<std::unique_ptr<Particle_system_element>> _temporary_elements;
    std::vector<boost::shared_ptr<Level_element>> _level_elements;
    std::map<std::string, int> _available_elements;
    float _score_time_factor = 60.f;
    std::string _background_name = "iss_interior_1.png";
    float _translation_damping = 0.3f;
    float _rotation_damping = 0.3f;
    float _rotation_fluctuation = 0.f;
    float _translation_fluctuation = 0.f;
    // The field's x and z spans, for the temperature lookup.
    float _game_field_width = 80.f;
    float _game_field_height = 40.f;
    // Over the x-z plane of the field, row 0 at the bottom.
    Frame_buffer<float> _temperature_grid{64, 64};
    std::map<std::string, External_force> _external_forces;

private:
    void add_parameter(Parameter_list& list, Parameter* parameter);
    Parameter& parameter(std::string const& path);
    bool owns(Level_element const* element) const;
    void take_ownership(Level_element* element);
    template <class Kind> void list_and_own(std::vector<Kind*>& list, Kind* element);
    void refresh_game_field_size();
    void update_available_element_parameters();
    External_force& gravity();

    // Reading a level replaces every element.
    void release_elements();
    // After a read, complete or not: no empty entries, the level owns every
    // element it points to, and nothing the archive built is left without an owner.
    void settle_ownership(Level_load_guard& guard, bool read_completed);
    // Brings what a file holds within what a level may hold, and refuses what
    // no level can hold (std::runtime_error).
    void settle_loaded_values();

    Parameter_list _parameters;
    Parameter_list _available_element_parameters;
    std::vector<std::unique_ptr<Parameter>> _owned_parameters;

    friend class boost::serialization::access;

    template <class Archive> void save(Archive& ar, unsigned int const /*version*/) const
    {
        using boost::serialization::make_nvp;
        ar << make_nvp("_game_field_borders", _game_field_borders);
        ar << make_nvp("_barriers", _barriers);
        ar << make_nvp("_portals", _portals);
        ar << make_nvp("_molecule_releasers", _molecule_releasers);
        ar << make_nvp("_brownian_elements", _brownian_elements);
        ar << make_nvp("_level_elements", _level_elements);
        ar << make_nvp("_available_elements", _available_elements);
        ar << make_nvp("_score_time_factor", _score_time_factor);
        ar << make_nvp("_background_name", _background_name);
        ar << make_nvp("_translation_damping", _translation_damping);
        ar << make_nvp("_rotation_damping", _rotation_damping);
        ar << make_nvp("_rotation_fluctuation", _rotation_fluctuation);
        ar << make_nvp("_translation_fluctuation", _translation_fluctuation);
        ar << make_nvp("_external_forces", _external_forces);
        ar << make_nvp("_molecules", _molecules);
    }

    template <class Archive> void load(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Level_data>(version, "Level_data");
        release_elements();
        Level_load_guard guard;
        try
        {
            load_members(ar, version);
        }
        catch (...)
        {
            settle_ownership(guard, false);
            throw;
        }
        settle_ownership(guard, true);
        settle_loaded_values();
        refresh_game_field_size();
    }

    // Members an older version lacks keep their values.
    template <class Archive> void load_members(Archive& ar, unsigned int const version)
    {
        using boost::serialization::make_nvp;
        ar >> make_nvp("_game_field_borders", _game_field_borders);
        ar >> make_nvp("_barriers", _barriers);
        ar >> make_nvp("_portals", _portals);
        ar >> make_nvp("_molecule_releasers", _molecule_releasers);
        ar >> make_nvp("_brownian_elements", _brownian_elements);
        ar >> make_nvp("_level_elements", _level_elements);
        ar >> make_nvp("_available_elements", _available_elements);
        ar >> make_nvp("_score_time_factor", _score_time_factor);
        if (version >= 1) ar >> make_nvp("_background_name", _background_name);
        if (version >= 2)
        {
            // Both dampings were set as one from version 2 on.
            float translation_damping = 0.f;
            float rotation_damping = 0.f;
            ar >> make_nvp("_translation_damping", translation_damping);
            ar >> make_nvp("_rotation_damping", rotation_damping);
            _translation_damping = _rotation_damping = (translation_damping + rotation_damping) / 2.f;
            ar >> make_nvp("_rotation_fluctuation", _rotation_fluctuation);
            ar >> make_nvp("_translation_fluctuation", _translation_fluctuation);
        }
        if (version == 3)
        {
            float gravity_strength = 0.f;
            ar >> make_nvp("_gravity", gravity_strength);
            gravity()._force.z() = -gravity_strength;
            return;
        }
        if (version >= 4) ar >> make_nvp("_external_forces", _external_forces);
        if (version >= 5) ar >> make_nvp("_molecules", _molecules);
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()
};

BOOST_CLASS_VERSION(Level_data, 5)

#endif
