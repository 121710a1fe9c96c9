#ifndef RENDERING_WORLD_RENDERER_H
#define RENDERING_WORLD_RENDERER_H

#include "gl/GL_functions.h"

#include <QOpenGLFunctions_3_3_Core>
#include <QSize>

class Level_data;
class Parameter_list;
class QGLContext;
class QGLFramebufferObject;
class QGLShaderProgram;

namespace qglviewer
{
class Camera;
}

// The plug-in base of everything that draws with its own GL resources: the scene
// renderers, chosen by display name, and the widget painter. Created without GL
// resources; init needs a current context and comes before resize and render.
class World_renderer : public QOpenGLFunctions_3_3_Core
{
public:
    World_renderer() = default;
    World_renderer(World_renderer const&) = delete;
    World_renderer& operator=(World_renderer const&) = delete;
    virtual ~World_renderer();

    virtual void init(QGLContext const* context, QSize const& size);
    virtual void resize(QSize const& size);
    virtual void render(QGLFramebufferObject* /*target*/, Level_data& /*level*/, float /*time*/,
                        qglviewer::Camera* /*camera*/)
    {
    }
    virtual void load_texture(Level_data const& /*level*/) {}
    virtual void set_parameters(Parameter_list const& /*parameters*/) {}

    QGLContext const* get_context() const { return _context; }
    int get_width() const { return _width; }
    int get_height() const { return _height; }
    float get_aspect_ratio() const { return _aspect_ratio; }
    float get_scale() const { return _scale; }
    QGLShaderProgram* get_particle_program() const { return _particle_program; }
    GL_functions& get_gl_functions() { return _gl_functions; }

protected:
    // `scale` from a "scale" parameter of the list; a list without one leaves it
    // and prints nothing.
    void read_scale(Parameter_list const& parameters);

    QGLContext const* _context = nullptr;
    GL_functions _gl_functions;
    float _aspect_ratio = 1.f;
    int _width = -1;
    int _height = -1;
    QGLShaderProgram* _particle_program = nullptr;
    // Radius factor of the atom spheres; set_parameters sets it, but a renderer
    // used before that still draws atoms at their own size.
    float _scale = 1.f;
};

#endif
