#ifndef GL_TARGETED_PARTICLE_SYSTEM_H
#define GL_TARGETED_PARTICLE_SYSTEM_H

#include "gl/Particle.h"

#include <Eigen/Core>

#include <string>
#include <vector>

class QFont;
class QImage;
class QRectF;

// Particles that fly from where they start to their targets in `duration`
// seconds, slowing to rest on arrival, and then hover around the targets.
class Targeted_particle_system
{
public:
    explicit Targeted_particle_system(float duration = 1.f) : _duration(duration) {}

    // One particle per pixel whose red exceeds 10, walking column by column.
    // Each starts on a ring of radius 1.5 and targets its pixel mapped to
    // [-extent.x, extent.x] x [-extent.y, extent.y] (image y downward, target y up).
    void generate(QImage const& image, Eigen::Vector2f const& extent);

    // Writes the text into a 500 x 500 image inside rectangle (fractions of the
    // image, y downward) and generates particles on the letters' outlines; x
    // targets are divided by aspect.
    void generate_from_text(std::string const& text, QFont const& font, QRectF const& rectangle, float aspect);

    // Appends the particles, each heading for its target.
    void add_particles(std::vector<Targeted_particle> const& particles);

    void update(float dt);

    std::vector<Targeted_particle>& get_particles() { return _particles; }
    std::vector<Targeted_particle> const& get_particles() const { return _particles; }
    float get_duration() const { return _duration; }
    void set_duration(float duration) { _duration = duration; }
    float get_time() const { return _time; }

private:
    Eigen::Vector3f initial_speed_towards(Eigen::Vector3f const& target, Eigen::Vector3f const& position) const;

    std::vector<Targeted_particle> _particles;
    float _duration;
    float _time = 0.f;
};

#endif
