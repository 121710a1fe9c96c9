#include "rendering/World_renderer.h"

#include "foundation/Parameter_list.h"
#include "gl/GL_utilities.h"
#include "rendering/Data_files.h"

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

    QGLShaderProgram* program = load_data_program(context, "shaders/particle.vert", "shaders/particle.frag").release();
    delete _particle_program;
    _particle_program = program;
}

void World_renderer::resize(QSize const& size)
{
    _width = size.width();
    _height = size.height();
    _aspect_ratio = _height > 0 ? float(_width) / float(_height) : 1.f;
}

void World_renderer::read_scale(Parameter_list const& parameters)
{
    auto const found = parameters._list.find("scale");
    // A settings file may hold the entry with another type.
    if (found == parameters._list.end() || !found->second || found->second->get_type() != typeid(float)) return;
    _scale = found->second->get_value<float>();
}
