#include "simulation/GPU_force.h"

#include "foundation/Data_config.h"
#include "gl/Float_color_target.h"
#include "gl/GL_utilities.h"
#include "gl/Pass_state_scope.h"
#include "simulation/Thermal_agitation.h"

#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLShaderProgram>

#include <algorithm>
#include <iostream>
#include <vector>

namespace
{

int const texture_units = 5;

// Makes the pass's own context current for the scope when another one (or none)
// is, rendering to a spare off-screen surface: the pass draws into its own
// framebuffer only. The caller's context and surface come back at the end.
class Own_context_scope
{
public:
    Own_context_scope(QOpenGLContext* own, std::unique_ptr<QOffscreenSurface>& spare_surface) : _own(own)
    {
        _previous = QOpenGLContext::currentContext();
        if (!own || _previous == own)
        {
            _ready = own != nullptr;
            return;
        }
        if (_previous) _previous_surface = _previous->surface();
        if (!spare_surface)
        {
            spare_surface = std::make_unique<QOffscreenSurface>(own->screen());
            spare_surface->setFormat(own->format());
            spare_surface->create();
        }
        _switched = true;
        _ready = own->makeCurrent(spare_surface.get());
        if (!_ready) std::cout << "GPU_force: could not make its OpenGL context current" << std::endl;
    }

    ~Own_context_scope()
    {
        if (!_switched) return;
        if (_previous && _previous_surface)
            _previous->makeCurrent(_previous_surface);
        else
            _own->doneCurrent();
    }

    Own_context_scope(Own_context_scope const&) = delete;
    Own_context_scope& operator=(Own_context_scope const&) = delete;

    bool ready() const { return _ready; }

private:
    QOpenGLContext* _own;
    QOpenGLContext* _previous = nullptr;
    QSurface* _previous_surface = nullptr;
    bool _switched = false;
    bool _ready = false;
};

void upload_rows(QOpenGLFunctions_3_3_Core& gl, GLuint texture, int width, int rows, GLenum format, void const* pixels)
{
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, rows, format, GL_FLOAT, pixels);
}

} // namespace

GPU_force::GPU_force(int temperature_grid_size)
{
    Data_config const& data = *Data_config::instance();
    QString const vertex_file = data.find_in_data_paths_qstring("shaders/force_calc.vert");
    QString const fragment_file = data.find_in_data_paths_qstring("shaders/force_calc.frag");

    int const size = _texture_size;
    _forces.resize(size, size);
    _positions.resize(size, size);
    _charges.resize(size, size);
    _radii.resize(size, size);
    _parent_ids.resize(size, size);

    _context = QOpenGLContext::currentContext();
    if (!_context)
    {
        std::cout << "GPU_force::GPU_force: no current OpenGL context, forces will be zero" << std::endl;
        return;
    }
    initializeOpenGLFunctions();
    Pass_state_scope const state(*this, texture_units);

    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::NoAttachment);
    format.setTextureTarget(GL_TEXTURE_2D);
    format.setInternalTextureFormat(GL_RGBA);
    _framebuffer = std::make_unique<QOpenGLFramebufferObject>(size, size, format);
    glBindTexture(GL_TEXTURE_2D, _framebuffer->texture());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);

    auto const input = [&](GLint internal_format, GLenum pixel_format) {
        return create_texture(*this, size, size, nullptr, internal_format, pixel_format, GL_FLOAT, GL_NEAREST,
                              GL_CLAMP_TO_EDGE);
    };
    _position_texture = input(GL_RGB32F, GL_RGB);
    _charge_texture = input(GL_R32F, GL_RED);
    _radius_texture = input(GL_R32F, GL_RED);
    _parent_id_texture = input(GL_R32F, GL_RED);
    int const grid_size = std::max(1, temperature_grid_size);
    _temperature_texture = create_texture(*this, grid_size, grid_size, std::vector<float>(grid_size * grid_size, 0.f),
                                          GL_R32F, GL_RED, GL_FLOAT, GL_LINEAR, GL_CLAMP_TO_EDGE);

    glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer->handle());
    Float_color_target const target = attach_float_color_target(*this, size, {GL_RGB32F, GL_RGBA32F});
    _force_texture = target.texture;
    _output_format = target.internal_format;
    if (_output_format == 0)
        std::cout << "GPU_force::GPU_force: no float format can be rendered to, forces will be zero" << std::endl;

    _program.reset(init_program(vertex_file, fragment_file));
    if (!_program->isLinked()) std::cout << "GPU_force::GPU_force: the force program did not link" << std::endl;

    GLfloat const quad[] = {-1.f, -1.f, 0.f, 1.f, -1.f, 0.f, 1.f, 1.f, 0.f, -1.f, 1.f, 0.f};
    glGenVertexArrays(1, &_quad_vertex_array);
    glBindVertexArray(_quad_vertex_array);
    glGenBuffers(1, &_quad_buffer);
    glBindBuffer(GL_ARRAY_BUFFER, _quad_buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
}

GPU_force::~GPU_force()
{
    // Without its context the GL objects went with it.
    Own_context_scope const context(_context, _spare_surface);
    if (!context.ready()) return;

    GLuint const textures[] = {_position_texture,  _charge_texture,      _radius_texture,
                               _parent_id_texture, _temperature_texture, _force_texture};
    glDeleteTextures(6, textures);
    glDeleteBuffers(1, &_quad_buffer);
    glDeleteVertexArrays(1, &_quad_vertex_array);
    _program.reset();
    _framebuffer.reset();
}

void GPU_force::set_temperature(Frame_buffer<float> const& temperature)
{
    Own_context_scope const context(_context, _spare_surface);
    if (!context.ready()) return;
    Pass_state_scope const state(*this, texture_units);

    // An empty grid reads as 0 everywhere, as on the CPU.
    float const zero = 0.f;
    bool const empty = temperature.get_count() == 0;
    glBindTexture(GL_TEXTURE_2D, _temperature_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, empty ? 1 : temperature.get_width(), empty ? 1 : temperature.get_height(),
                 0, GL_RED, GL_FLOAT, empty ? &zero : temperature.data());
}

void GPU_force::add_atom(Atom const& atom, int molecule_id)
{
    int const i = _atom_count++;
    if (i >= _capacity) return;
    _positions.set_pixel(i, atom.get_position());
    _charges.set_pixel(i, atom._charge);
    // Atoms of type 0 take no part in the Van der Waals force; the shader knows
    // them by a radius no atom has.
    _radii.set_pixel(i, atom._type != 0 ? atom._radius : -1.f);
    _parent_ids.set_pixel(i, float(molecule_id));
}

Eigen::Vector3f const* GPU_force::no_forces()
{
    std::fill(_forces.data(), _forces.data() + _atom_count, Eigen::Vector3f::Zero());
    return _forces.data();
}

Eigen::Vector3f const* GPU_force::run_pass(float coulomb_factor, float vdw_factor, float vdw_radius_factor, float time,
                                           Eigen::Vector2f const& game_field_size)
{
    // Callers read one force per atom passed, however many that was.
    if (_forces.get_count() < _atom_count)
        _forces.resize(_texture_size, (_atom_count + _texture_size - 1) / _texture_size);
    if (_atom_count > _capacity && !_overflow_reported)
    {
        std::cout << "GPU_force::calc_forces: " << _atom_count << " atoms, only the first " << _capacity
                  << " get forces" << std::endl;
        _overflow_reported = true;
    }
    if (!is_ready()) return no_forces();

    Own_context_scope const context(_context, _spare_surface);
    if (!context.ready()) return no_forces();
    Pass_state_scope const state(*this, texture_units);

    int const atoms = std::min(_atom_count, _capacity);
    int const rows = std::min(atoms / _texture_size + 1, _texture_size);
    draw_pass(atoms, rows, coulomb_factor, vdw_factor, vdw_radius_factor, time, game_field_size);
    glReadPixels(0, 0, _texture_size, rows, GL_RGB, GL_FLOAT, _forces.data());
    return _forces.data();
}

void GPU_force::draw_pass(int atoms, int rows, float coulomb_factor, float vdw_factor, float vdw_radius_factor,
                          float time, Eigen::Vector2f const& game_field_size)
{
    int const size = _texture_size;
    upload_rows(*this, _position_texture, size, rows, GL_RGB, _positions.data());
    upload_rows(*this, _charge_texture, size, rows, GL_RED, _charges.data());
    upload_rows(*this, _radius_texture, size, rows, GL_RED, _radii.data());
    upload_rows(*this, _parent_id_texture, size, rows, GL_RED, _parent_ids.data());

    glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer->handle());
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, _force_texture, 0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glViewport(0, 0, size, size);
    glClearColor(0.f, 0.f, 0.f, 0.f);
    glClear(GL_COLOR_BUFFER_BIT);

    QOpenGLShaderProgram& program = *_program;
    program.bind();
    program.setUniformValue("tex_size", QVector2D(float(size), float(size)));
    program.setUniformValue("num_atoms", atoms);
    program.setUniformValue("time", time);
    program.setUniformValue("bounding_box_size", QVector2D(game_field_size.x() * 0.5f, game_field_size.y() * 0.5f));
    program.setUniformValue("coulomb_factor", coulomb_factor);
    program.setUniformValue("vdw_factor", vdw_factor);
    program.setUniformValue("vdw_radius_factor", vdw_radius_factor);
    program.setUniformValue("min_distance", pair_force_min_distance);
    program.setUniformValue("agitation_scale", thermal_agitation_scale);
    program.setUniformValue("agitation_rate", thermal_agitation_rate);

    GLuint const inputs[texture_units] = {_position_texture, _charge_texture, _radius_texture, _parent_id_texture,
                                          _temperature_texture};
    char const* const samplers[texture_units] = {"pos_tex", "charge_tex", "radius_tex", "parent_id_tex",
                                                 "temperature_tex"};
    for (int unit = 0; unit < texture_units; ++unit)
    {
        glActiveTexture(GLenum(GL_TEXTURE0 + unit));
        glBindTexture(GL_TEXTURE_2D, inputs[unit]);
        program.setUniformValue(samplers[unit], unit);
    }

    glBindVertexArray(_quad_vertex_array);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}
