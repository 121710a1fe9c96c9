#ifndef SIMULATION_ANIMATION_H
#define SIMULATION_ANIMATION_H

#include "foundation/Class_version_check.h"
#include "gl/Eigen_serialization.h"

#include <Eigen/Core>
#include <boost/serialization/nvp.hpp>

#include <algorithm>

// A key-frame movement that sweeps between two points and back.
struct Animation
{
    Eigen::Vector3f _start = Eigen::Vector3f::Zero();
    Eigen::Vector3f _end = Eigen::Vector3f::Zero();
    float _time = 0.f;
    float _duration = 1.f;
    int _direction = 1;
    // 0 moves linearly; any other value steps the time but leaves the element in place.
    int _type = 0;

    // Where the element stands at the current time. A sweep without length has no
    // direction to move in, so it stays at the start.
    Eigen::Vector3f position() const
    {
        if (!(_duration > 0.f)) return _start;
        return _start + (_end - _start) * (_time / _duration);
    }

    // Steps the time and turns around at either end.
    void step(float dt)
    {
        _time += float(_direction) * dt;
        if (_time < 0.f || _time > _duration)
        {
            _direction = -_direction;
            _time = std::max(0.f, std::min(_time, _duration));
        }
    }

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Animation>(version, "Animation");
        ar& boost::serialization::make_nvp("_start", _start);
        ar& boost::serialization::make_nvp("_end", _end);
        ar& boost::serialization::make_nvp("_time", _time);
        ar& boost::serialization::make_nvp("_duration", _duration);
        ar& boost::serialization::make_nvp("_direction", _direction);
        ar& boost::serialization::make_nvp("_type", _type);
    }
};

#endif
