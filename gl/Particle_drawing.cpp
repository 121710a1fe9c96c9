#include "gl/Particle_drawing.h"

#include "gl/Compatibility_functions.h"
#include "gl/Curve_particle_system.h"
#include "gl/Targeted_particle_system.h"

#include <cstddef>
#include <vector>

namespace
{

// Uses the program for one draw and puts the caller's program back.
class Program_scope
{
public:
    Program_scope(QOpenGLFunctions_3_3_Compatibility& f, GLuint program) : _f(f)
    {
        _f.glGetIntegerv(GL_CURRENT_PROGRAM, &_previous);
        _f.glUseProgram(program);
    }
    ~Program_scope() { _f.glUseProgram(GLuint(_previous)); }

    Program_scope(Program_scope const&) = delete;
    Program_scope& operator=(Program_scope const&) = delete;

private:
    QOpenGLFunctions_3_3_Compatibility& _f;
    GLint _previous = 0;
};

template <class Particle_type>
void draw_points(QOpenGLFunctions_3_3_Compatibility& f, GLuint program, std::vector<Particle_type> const& particles,
                 Color4 Particle::*color)
{
    if (particles.empty()) return;
    GLsizei const stride = sizeof(Particle_type);
    Particle const& first = particles.front();

    Client_array_scope const arrays(f);
    f.glEnableClientState(GL_VERTEX_ARRAY);
    f.glVertexPointer(3, GL_FLOAT, stride, first.position.data());
    if (color)
    {
        f.glEnableClientState(GL_COLOR_ARRAY);
        f.glColorPointer(4, GL_FLOAT, stride, &(first.*color));
    }

    GLint const size_location = f.glGetAttribLocation(program, "particle_size");
    if (size_location >= 0)
    {
        f.glEnableVertexAttribArray(GLuint(size_location));
        f.glVertexAttribPointer(GLuint(size_location), 1, GL_FLOAT, GL_FALSE, stride, &first.size);
    }
    f.glDrawArrays(GL_POINTS, 0, GLsizei(particles.size()));
    if (size_location >= 0) f.glDisableVertexAttribArray(GLuint(size_location));
}

void set_height(QOpenGLFunctions_3_3_Compatibility& f, GLuint program, float height)
{
    f.glUniform1f(f.glGetUniformLocation(program, "height"), height);
}

template <class Particle_type>
void draw_level_particles(GLuint program, std::vector<Particle_type> const& particles, float height, bool with_colors)
{
    if (particles.empty()) return;
    QOpenGLFunctions_3_3_Compatibility* f = current_compatibility_functions();
    if (!f) return;

    f->glPushAttrib(GL_ENABLE_BIT);
    f->glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    // Round points: the particle shaders draw no shape of their own.
    f->glEnable(GL_POINT_SMOOTH);
    {
        Program_scope const use(*f, program);
        set_height(*f, program, height);
        draw_points(*f, program, particles, with_colors ? &Particle::color : nullptr);
    }
    f->glPopAttrib();
}

} // namespace

void draw_particles(GLuint program, std::vector<Particle> const& particles, float height, bool with_colors)
{
    draw_level_particles(program, particles, height, with_colors);
}

void draw_particles(GLuint program, std::vector<Targeted_particle> const& particles, float height, bool with_colors)
{
    draw_level_particles(program, particles, height, with_colors);
}

void draw_curve_particles(GLuint program, Curve_particle_system const& system, int viewport_height)
{
    if (system.get_trail_particles().empty()) return;
    QOpenGLFunctions_3_3_Compatibility* f = current_compatibility_functions();
    if (!f) return;

    f->glPushAttrib(GL_ENABLE_BIT);
    f->glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    {
        Program_scope const use(*f, program);
        set_height(*f, program, viewport_height * 4.f / 768.f);
        draw_points(*f, program, system.get_trail_particles(), &Particle::display_color);
        draw_points(*f, program, system.get_spark_particles(), &Particle::display_color);
    }
    f->glPopAttrib();
}

void draw_targeted_particles(GLuint program, Targeted_particle_system const& system, int viewport_height)
{
    if (system.get_particles().empty()) return;
    QOpenGLFunctions_3_3_Compatibility* f = current_compatibility_functions();
    if (!f) return;

    f->glPushAttrib(GL_ENABLE_BIT);
    f->glDisable(GL_DEPTH_TEST);
    f->glDisable(GL_LIGHTING);
    f->glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);

    GLint matrix_mode = GL_MODELVIEW;
    f->glGetIntegerv(GL_MATRIX_MODE, &matrix_mode);
    f->glMatrixMode(GL_PROJECTION);
    f->glPushMatrix();
    f->glLoadIdentity();
    f->glOrtho(0, 1, 0, 1, 1, -1);
    f->glMatrixMode(GL_MODELVIEW);
    f->glPushMatrix();
    f->glLoadIdentity();
    f->glTranslatef(0.5f, 0.5f, 0.f);
    f->glScalef(0.5f, 0.5f, 1.f);
    {
        Program_scope const use(*f, program);
        set_height(*f, program, viewport_height * 2.f / 768.f);
        draw_points(*f, program, system.get_particles(), &Particle::color);
    }
    f->glMatrixMode(GL_PROJECTION);
    f->glPopMatrix();
    f->glMatrixMode(GL_MODELVIEW);
    f->glPopMatrix();
    f->glMatrixMode(GLenum(matrix_mode));
    f->glPopAttrib();
}

void set_point_parameters(bool attenuate)
{
    QOpenGLFunctions_3_3_Compatibility* f = current_compatibility_functions();
    if (!f) return;
    GLfloat const attenuation[3] = {attenuate ? 0.f : 1.f, attenuate ? 0.001f : 0.f, 0.f};
    f->glPointParameterfv(GL_POINT_DISTANCE_ATTENUATION, attenuation);
    f->glDisable(GL_POINT_SPRITE);
    f->glPointParameterf(GL_POINT_FADE_THRESHOLD_SIZE, 1.f);
    f->glPointParameterf(GL_POINT_SIZE_MIN, 2.f);
    f->glPointParameterf(GL_POINT_SIZE_MAX, 32.f);
    f->glEnable(GL_POINT_SMOOTH);
}
