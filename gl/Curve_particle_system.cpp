#include "gl/Curve_particle_system.h"

#include "foundation/Random.h"
#include "gl/Random_vector.h"

#include <algorithm>

namespace
{

Color4 brightened(Color4 const& color, float amount)
{
    return Color4(color.r + amount, color.g + amount, color.b + amount, color.a);
}

} // namespace

Curve_particle_system::Curve_particle_system(std::vector<Eigen::Vector3f> const& points, float duration)
    : _duration(duration), _start_color(1.f, 0.f, 0.f, 1.f), _end_color(0.f, 1.f, 0.f, 1.f)
{
    _generator.seed(std::random_device()());
    for (Eigen::Vector3f const& point : points) _curve.add_point(point);
    _curve.update_lengths();
}

void Curve_particle_system::reset()
{
    _time = 0.f;
    _trail_particles.clear();
    _spark_particles.clear();
}

float Curve_particle_system::uniform()
{
    return float(double(_generator()) / 4294967296.0);
}

Eigen::Vector3f Curve_particle_system::curve_point(float t) const
{
    return _use_x ? _curve.point_at_x(t) : _curve.point_at(t);
}

void Curve_particle_system::update(float dt)
{
    move_trail(dt);
    move_sparks(dt);
    emit_along_curve(dt);
}

void Curve_particle_system::move_trail(float dt)
{
    for (Particle& p : _trail_particles)
    {
        p.age = std::min(p.age + dt, 1.f);
        Eigen::Vector3f const r = random_unit_vector();
        p.speed.x() += r.x() * 0.0001f;
        p.speed.y() += r.y() * 0.0001f;
        p.speed.z() = 0.f;
        p.display_color = brightened(p.color, 1.f - p.age);
        p.position += dt * p.speed;
    }
}

void Curve_particle_system::move_sparks(float dt)
{
    for (Particle& p : _spark_particles)
    {
        p.age += dt;
        p.position += dt * p.speed;
        p.color.a = 1.f - p.age * _fade_rate;
        p.display_color = brightened(p.color, 1.f - p.age);
        p.speed.y() -= 0.001f * dt;
    }
}

void Curve_particle_system::emit_along_curve(float dt)
{
    if (_time > _duration)
    {
        if (_loop) _time = 0.f;
        return;
    }

    float t0 = _time / _duration;
    _time += dt;
    float const t1 = std::min(_time / _duration, 1.f);
    if (!(t1 > t0)) return;

    // A curve without length (or without x extent, when emitting by x) has
    // nowhere to emit along.
    float const distance = (curve_point(t1) - curve_point(t0)).norm();
    if (!(distance > 0.f)) return;
    float const step = (t1 - t0) * 0.03f / distance;

    while (t0 < t1)
    {
        Eigen::Vector3f const d = _curve.direction_at(t0);
        Eigen::Vector3f const normal(d.y(), -d.x(), 0.f);

        Eigen::Vector3f p;
        if (_use_x)
        {
            p = _curve.point_at_x(t0);
        }
        else
        {
            float const u = uniform();
            p = u * _curve.point_at(t0) + (1.f - u) * _curve.point_at(std::min(t0 + step, 1.f));
        }

        Particle trail;
        trail.position = p + normal * (uniform() - 0.5f) * 0.01f;
        trail.color = Color4(_start_color.r, _start_color.g, _start_color.b, uniform() * 0.6f + 0.4f);
        trail.display_color = brightened(trail.color, 1.f);
        trail.size = (uniform() * 2.f + 0.3f) * _size_factor;
        _trail_particles.push_back(trail);

        t0 += step;

        for (int i = 0; i < 2; ++i)
        {
            Particle spark;
            spark.position = p;
            spark.color = Color4(_end_color.r, _end_color.g, _end_color.b, uniform() * 0.6f + 0.4f);
            spark.display_color = brightened(spark.color, 1.f);
            spark.size = (uniform() * 2.f + 0.1f) * _size_factor;
            float const sx = rand_signed();
            float const sy = rand_signed();
            float const sz = rand_signed();
            spark.speed = d * 0.1f * _rate + Eigen::Vector3f(sx, sy, sz) * 0.05f * _spread_factor;
            _spark_particles.push_back(spark);
        }
    }
}
