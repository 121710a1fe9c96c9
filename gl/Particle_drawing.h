#ifndef GL_PARTICLE_DRAWING_H
#define GL_PARTICLE_DRAWING_H

#include "gl/Particle.h"

#include <QGLShaderProgram>
#include <QOpenGLShaderProgram>

#include <vector>

class Curve_particle_system;
class Targeted_particle_system;

// Drawing of the particle effects with the particle shader program, which takes
// the position and colour from the fixed-function arrays, the attribute
// "particle_size" and the uniform "height". Each call puts back the program,
// arrays, buffers, enables and matrices it changes.

// A targeted system in screen space: coordinates -1..1 fill the viewport; no
// depth test, no lighting; base colours.
void draw_targeted_particles(GLuint program, Targeted_particle_system const& system, int viewport_height);
// A curve system's trail and then its sparks, in the current matrices, with
// their display colours.
void draw_curve_particles(GLuint program, Curve_particle_system const& system, int viewport_height);

// Particles of level elements in the current matrices: "height" as given, each
// with its base colour, or all in the current colour without with_colors.
void draw_particles(GLuint program, std::vector<Particle> const& particles, float height, bool with_colors);
void draw_particles(GLuint program, std::vector<Targeted_particle> const& particles, float height, bool with_colors);

inline void draw_targeted_particles(QOpenGLShaderProgram& program, Targeted_particle_system const& system,
                                    int viewport_height)
{
    draw_targeted_particles(program.programId(), system, viewport_height);
}
inline void draw_targeted_particles(QGLShaderProgram& program, Targeted_particle_system const& system,
                                    int viewport_height)
{
    draw_targeted_particles(program.programId(), system, viewport_height);
}
inline void draw_curve_particles(QOpenGLShaderProgram& program, Curve_particle_system const& system,
                                 int viewport_height)
{
    draw_curve_particles(program.programId(), system, viewport_height);
}
inline void draw_curve_particles(QGLShaderProgram& program, Curve_particle_system const& system, int viewport_height)
{
    draw_curve_particles(program.programId(), system, viewport_height);
}

// Point state for particles: distance attenuation (0, 0.001, 0) or none, point
// sprites off, sizes 2 to 32, smooth (round) points. It sets state for the
// particle draws that follow and restores nothing.
void set_point_parameters(bool attenuate);

#endif
