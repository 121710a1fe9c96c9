#ifndef RENDERING_DATA_FILES_H
#define RENDERING_DATA_FILES_H

#include "gl/Mesh.h"

#include <QOpenGLFunctions_3_3_Core>
#include <QString>
#include <QStringList>

#include <memory>

class QGLContext;
class QGLShaderProgram;
class QImage;

// The renderers' data files, each looked up in the data directories first: a
// missing one throws "No such file." before anything is built.

std::unique_ptr<QGLShaderProgram> load_data_program(QGLContext const* context, QString const& vertex_file,
                                                    QString const& fragment_file);
// The fragment stage linked from several files (see init_program).
std::unique_ptr<QGLShaderProgram> load_data_program(QGLContext const* context, QString const& vertex_file,
                                                    QStringList const& fragment_files);

// A mipmapped, repeating texture (RGBA with alpha, else RGB).
GLuint load_data_texture(QOpenGLFunctions_3_3_Core& gl, QString const& image_file, bool alpha);

// Throws when the file is missing or is no image the game can read.
QImage load_data_image(QString const& image_file);

Poly_mesh load_data_mesh(QString const& mesh_file);

#endif
