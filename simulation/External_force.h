#ifndef SIMULATION_EXTERNAL_FORCE_H
#define SIMULATION_EXTERNAL_FORCE_H

#include "foundation/Class_version_check.h"
#include "gl/Eigen_serialization.h"

#include <Eigen/Core>
#include <boost/serialization/nvp.hpp>

// A constant force on every molecule, scaled by its mass; gravity is one.
struct External_force
{
    Eigen::Vector3f _origin = Eigen::Vector3f::Zero();
    Eigen::Vector3f _force = Eigen::Vector3f::Zero();

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<External_force>(version, "External_force");
        ar& boost::serialization::make_nvp("_origin", _origin);
        ar& boost::serialization::make_nvp("_force", _force);
    }
};

#endif
