#ifndef GL_PARTICLE_H
#define GL_PARTICLE_H

#include "gl/Color.h"
#include "gl/Eigen_serialization.h"

#include <Eigen/Core>
#include <boost/serialization/nvp.hpp>

// One point of a particle effect. Records sit contiguously in vectors that are
// handed to the GL as strided arrays, so the fields stay plain.
class Particle
{
public:
    virtual ~Particle() = default;

    Eigen::Vector3f position = Eigen::Vector3f::Zero();
    Eigen::Vector3f speed = Eigen::Vector3f::Zero();
    Color4 color;
    Color4 display_color;
    // Seconds, or the flight progress 0..1 of a targeted particle.
    float age = 0.f;
    // Point-size factor, the shader attribute "particle_size".
    float size = 1.f;

    // Levels keep only where a particle is, where it goes and how it looks.
    template <class Archive> void serialize(Archive& ar, unsigned int const /*version*/)
    {
        ar& boost::serialization::make_nvp("position", position);
        ar& boost::serialization::make_nvp("speed", speed);
        ar& boost::serialization::make_nvp("color", color);
    }
};

class Targeted_particle : public Particle
{
public:
    Eigen::Vector3f target = Eigen::Vector3f::Zero();
    Eigen::Vector3f initial_speed = Eigen::Vector3f::Zero();
};

#endif
