#ifndef SIMULATION_GPU_FORCE_H
#define SIMULATION_GPU_FORCE_H

#include "gl/Frame_buffer.h"
#include "simulation/Molecule.h"
#include "simulation/Pair_force_law.h"

#include <Eigen/Core>

#include <QOffscreenSurface>
#include <QOpenGLFunctions_3_3_Core>
#include <QPointer>

#include <memory>

class QOpenGLContext;
class QOpenGLFramebufferObject;
class QOpenGLShaderProgram;

// The forces on every atom, from one fragment-shader pass: each texel of a 64 x 64
// float target sums the Coulomb and Van der Waals forces on one atom from the
// atoms of all other molecules and adds its thermal agitation. It computes what
// Cpu_force computes, behind the same calls.
//
// It is made in a current OpenGL 3.3 context and keeps to that context: when
// another context (or none) is current, each call makes its own current for the
// call and then puts the caller's back, so it may be called from a timer. All
// GL state it touches is restored.
class GPU_force : public QOpenGLFunctions_3_3_Core
{
public:
    // Loads "shaders/force_calc.vert" and "shaders/force_calc.frag" through the
    // data paths; throws std::runtime_error("No such file.") before creating
    // anything when one is missing.
    explicit GPU_force(int temperature_grid_size);
    virtual ~GPU_force();

    GPU_force(GPU_force const&) = delete;
    GPU_force& operator=(GPU_force const&) = delete;

    // Room for 4096 atoms, less a margin.
    int get_max_atoms() const { return pair_force_max_atoms; }

    // The temperatures over the game field's x-z plane (see sample_temperature).
    void set_temperature(Frame_buffer<float> const& temperature);

    // Forces on every atom, in molecule order and then atom order; valid until the
    // next call, one entry per atom. Only the first 4096 atoms take part; any
    // beyond get zero (and one diagnostic line). All zero when the pass could not
    // be built.
    template <class Molecules>
    Eigen::Vector3f const* calc_forces(Molecules const& molecules, float coulomb_factor, float vdw_factor,
                                       float vdw_radius_factor, float time, Eigen::Vector2f const& game_field_size);

    // The float format the forces are rendered in: GL_RGB32F where the driver
    // renders to it, else GL_RGBA32F; 0 when neither works.
    GLint get_output_format() const { return _output_format; }

private:
    void clear_atoms() { _atom_count = 0; }
    void add_atom(Atom const& atom, int molecule_id);
    Eigen::Vector3f const* run_pass(float coulomb_factor, float vdw_factor, float vdw_radius_factor, float time,
                                    Eigen::Vector2f const& game_field_size);
    void draw_pass(int atoms, int rows, float coulomb_factor, float vdw_factor, float vdw_radius_factor, float time,
                   Eigen::Vector2f const& game_field_size);

    bool is_ready() const { return _context && _program && _output_format != 0; }
    // Zero forces for every atom passed, when there is no pass to run.
    Eigen::Vector3f const* no_forces();

    Frame_buffer<Eigen::Vector3f> _forces;
    std::unique_ptr<QOpenGLFramebufferObject> _framebuffer;
    std::unique_ptr<QOpenGLShaderProgram> _program;
    int _capacity = 4096;
    int _texture_size = 64;
    Frame_buffer<Eigen::Vector3f> _positions;
    Frame_buffer<float> _charges;
    Frame_buffer<float> _radii;
    Frame_buffer<float> _parent_ids;
    GLuint _position_texture = 0;
    GLuint _charge_texture = 0;
    GLuint _radius_texture = 0;
    GLuint _parent_id_texture = 0;
    GLuint _temperature_texture = 0;
    GLuint _force_texture = 0;
    GLuint _quad_buffer = 0;

    GLuint _quad_vertex_array = 0;
    GLint _output_format = 0;
    int _atom_count = 0; // every atom passed, those beyond the capacity included
    bool _overflow_reported = false;
    QPointer<QOpenGLContext> _context;
    std::unique_ptr<QOffscreenSurface> _spare_surface;
};

template <class Molecules>
Eigen::Vector3f const* GPU_force::calc_forces(Molecules const& molecules, float coulomb_factor, float vdw_factor,
                                              float vdw_radius_factor, float time,
                                              Eigen::Vector2f const& game_field_size)
{
    clear_atoms();
    for_each_atom(molecules, [this](Atom const& atom, int molecule_id) { add_atom(atom, molecule_id); });
    return run_pass(coulomb_factor, vdw_factor, vdw_radius_factor, time, game_field_size);
}

#endif
