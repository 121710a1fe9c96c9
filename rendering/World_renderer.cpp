#include "rendering/World_renderer.h"

#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"

#include <QGLShaderProgram>

World_renderer::~World_renderer()
{
    delete _particle_program;
}

void World_renderer::init(QGLContext const* context, QSize const& size)
{
    _context = context;
    initializeOpenGLFunctions();
    initialize_gl_functions(_gl_functions);
    _width = size.width();
    _height = size.height();
    _aspect_ratio = _height > 0 ? float(_width) / float(_height) : 1.f;

    Data_config const* data = Data_config::instance();
    QGLShaderProgram* program = init_program(context, data->find_in_data_paths_qstring("shaders/particle.vert"),
                                             data->find_in_data_paths_qstring("shaders/particle.frag"));
    delete _particle_program;
    _particle_program = program;
}

void World_renderer::resize(QSize const& size)
{
    _width = size.width();
    _height = size.height();
    _aspect_ratio = _height > 0 ? float(_width) / float(_height) : 1.f;
}
