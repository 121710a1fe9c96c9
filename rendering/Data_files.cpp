#include "rendering/Data_files.h"

#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"

#include <QGLShaderProgram>
#include <QImage>

#include <stdexcept>

namespace
{

QString resolve(QString const& file)
{
    return Data_config::instance()->find_in_data_paths_qstring(file);
}

} // namespace

std::unique_ptr<QGLShaderProgram> load_data_program(QGLContext const* context, QString const& vertex_file,
                                                    QString const& fragment_file)
{
    return load_data_program(context, vertex_file, QStringList{fragment_file});
}

std::unique_ptr<QGLShaderProgram> load_data_program(QGLContext const* context, QString const& vertex_file,
                                                    QStringList const& fragment_files)
{
    QString const vertex = resolve(vertex_file);
    QStringList fragments;
    for (QString const& file : fragment_files) fragments << resolve(file);
    return std::unique_ptr<QGLShaderProgram>(init_program(context, vertex, fragments));
}

GLuint load_data_texture(QOpenGLFunctions_3_3_Core& gl, QString const& image_file, bool alpha)
{
    return create_texture_from_file(gl, resolve(image_file), alpha);
}

QImage load_data_image(QString const& image_file)
{
    QImage image(resolve(image_file));
    if (image.isNull()) throw std::runtime_error("Not a readable image: " + image_file.toStdString());
    return image;
}

Poly_mesh load_data_mesh(QString const& mesh_file)
{
    return load_mesh(resolve(mesh_file).toStdString(), false);
}
