#ifndef GL_CURVE_PARTICLE_SYSTEM_H
#define GL_CURVE_PARTICLE_SYSTEM_H

#include "gl/Color.h"
#include "gl/Particle.h"
#include "gl/Polyline.h"

#include <Eigen/Core>

#include <random>
#include <vector>

// An emitter that runs along a curve in `duration` seconds, leaving a glowing
// trail and throwing sparks forward. It stops at the curve's end unless looping.
class Curve_particle_system
{
public:
    // An empty system, to be replaced by one built from points.
    Curve_particle_system() = default;
    Curve_particle_system(std::vector<Eigen::Vector3f> const& points, float duration);

    void set_start_color(Color4 const& color) { _start_color = color; }
    void set_end_color(Color4 const& color) { _end_color = color; }
    void set_rate(float rate) { _rate = rate; }
    void set_size_factor(float factor) { _size_factor = factor; }
    // Emit by the fraction of the curve's x extent instead of its arc length.
    void set_use_x(bool use_x) { _use_x = use_x; }
    void set_loop(bool loop) { _loop = loop; }

    void reset();
    void update(float dt);

    std::vector<Particle> const& get_trail_particles() const { return _trail_particles; }
    std::vector<Particle> const& get_spark_particles() const { return _spark_particles; }
    Polyline const& get_curve() const { return _curve; }
    float get_duration() const { return _duration; }
    float get_time() const { return _time; }

private:
    void move_trail(float dt);
    void move_sparks(float dt);
    void emit_along_curve(float dt);
    Eigen::Vector3f curve_point(float t) const;
    // The next generator output scaled to [0, 1).
    float uniform();

    float _duration = 1.f;
    float _time = 0.f;
    Polyline _curve;
    std::vector<Particle> _trail_particles;
    std::vector<Particle> _spark_particles;
    std::mt19937 _generator{5489u};
    float _spread_factor = 1.f;
    float _size_factor = 1.f;
    float _fade_rate = 0.5f;
    float _rate = 0.f;
    Color4 _start_color;
    Color4 _end_color;
    bool _use_x = false;
    bool _loop = false;
};

#endif
