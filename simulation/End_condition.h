#ifndef SIMULATION_END_CONDITION_H
#define SIMULATION_END_CONDITION_H

#include "foundation/Class_version_check.h"

#include <boost/serialization/access.hpp>
#include <boost/serialization/base_object.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/nvp.hpp>

class Level_data;

// A portal's goal. Type 0: the level cannot finish while this is unmet; type 1:
// meeting it finishes the level.
class End_condition
{
public:
    End_condition() = default;
    virtual ~End_condition() = default;

    virtual bool is_met(Level_data const& level_data) const = 0;

    int get_type() const { return _type; }
    void set_type(int type) { _type = type; }

protected:
    int _type = 0;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<End_condition>(version, "End_condition");
        ar& boost::serialization::make_nvp("_type", _type);
    }
};

// Met once the portal has captured enough molecules.
class Molecule_capture_condition : public End_condition
{
public:
    Molecule_capture_condition() = default;

    bool is_met(Level_data const& level_data) const override;

    int get_min_captured_molecules() const { return _min_captured_molecules; }
    void set_min_captured_molecules(int count) { _min_captured_molecules = count; }

    int get_num_captured_molecules() const { return _num_captured_molecules; }
    void set_num_captured_molecules(int count) { _num_captured_molecules = count; }

private:
    int _min_captured_molecules = 10;
    // Runtime only: counted at every capture pass.
    int _num_captured_molecules = 0;

    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Molecule_capture_condition>(version, "Molecule_capture_condition");
        ar& boost::serialization::make_nvp("End_condition", boost::serialization::base_object<End_condition>(*this));
        ar& boost::serialization::make_nvp("_min_captured_molecules", _min_captured_molecules);
    }
};

// Never stored through a pointer, but registered all the same: that makes the
// library track the portals' conditions, and level files number their objects so.
BOOST_CLASS_EXPORT_KEY(Molecule_capture_condition)

#endif
