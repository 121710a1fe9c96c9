#ifndef SIMULATION_BOX_SWARM_H
#define SIMULATION_BOX_SWARM_H

#include "gl/Particle.h"
#include "gl/Random_vector.h"
#include "simulation/Local_box.h"

// One step of a particle that roams inside a box and is kept near it: far out it
// turns straight back, just outside it bounces off, and inside it wanders. The
// speed inside is `inside_speed(|speed before the step|)`.
template <typename Inside_speed>
void move_swarm_particle(Particle& particle, float dt, Eigen::Vector3f const& boxmin, Eigen::Vector3f const& boxmax,
                         Inside_speed inside_speed)
{
    particle.position += dt * particle.speed;
    Eigen::Vector3f const to_box = nearest_box_point(particle.position, boxmin, boxmax) - particle.position;
    float const distance = to_box.norm();
    if (distance > 4.f)
    {
        particle.speed = to_box.normalized() * particle.speed.norm();
    }
    else if (distance > 0.0001f)
    {
        if (to_box.dot(particle.speed) < 0.f)
        {
            Eigen::Vector3f const n = to_box.normalized();
            particle.speed -= 2.f * particle.speed.dot(n) * n;
        }
    }
    else
    {
        float const old_speed = particle.speed.norm();
        particle.speed += random_signed_vector();
        particle.speed = particle.speed.normalized() * inside_speed(old_speed);
    }
}

#endif
