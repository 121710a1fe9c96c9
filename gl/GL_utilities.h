#ifndef GL_GL_UTILITIES_H
#define GL_GL_UTILITIES_H

#include "gl/Color.h"
#include "gl/Color_conversion.h"
#include "gl/Frame_buffer.h"
#include "gl/GL_functions.h"
#include "gl/Random_vector.h"

#include <Eigen/Core>

#include <QString>
#include <QStringList>

#include <vector>

class QGLContext;
class QImage;
class QGLShaderProgram;
class QOpenGLShaderProgram;

// Textures: each routine leaves GL_TEXTURE_2D unbound on the active unit. The
// caller owns the returned name (delete_texture or a Texture_handle).

// Level 0 from the given data, or storage only when pixels is null (render targets).
GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, int width, int height, void const* pixels, GLint internal_format,
                      GLenum format, GLenum type, GLint filter, GLint wrap);

// Any tightly packed pixel type; an empty vector allocates storage only.
template <class Pixel>
GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, int width, int height, std::vector<Pixel> const& pixels,
                      GLint internal_format, GLenum format, GLenum type, GLint filter, GLint wrap)
{
    return create_texture(gl, width, height, pixels.empty() ? nullptr : static_cast<void const*>(pixels.data()),
                          internal_format, format, type, filter, wrap);
}

// Float RGBA / RGB uploads; row 0 of the buffer becomes texture row t = 0. With
// mipmaps: trilinear filtering over levels 0 to 4, otherwise linear.
GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, Frame_buffer<Color4> const& buffer, bool mipmaps,
                      GLint internal_format, GLint wrap);
GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, Frame_buffer<Color> const& buffer, bool mipmaps,
                      GLint internal_format, GLint wrap);

// A mipmapped, repeating texture of the image (RGBA with alpha, else RGB); a
// null image gives a texture with an empty level 0.
GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, QImage const& image, bool alpha);
GLuint create_texture_from_file(QOpenGLFunctions_3_3_Core& gl, QString const& path, bool alpha);

void delete_texture(QOpenGLFunctions_3_3_Core& gl, GLuint texture);

// Shader programs from resolved file paths. Problems are printed (and, for the
// second form, logged as critical messages); a program is returned whatever
// happened, owned by the caller.
QGLShaderProgram* init_program(QGLContext const* context, QString const& vertex_file, QString const& fragment_file);
// The fragment stage linked from several files: one holds main, the others
// functions it declares (the shading both sphere programs share).
QGLShaderProgram* init_program(QGLContext const* context, QString const& vertex_file,
                               QStringList const& fragment_files);
QOpenGLShaderProgram* init_program(QString const& vertex_file, QString const& fragment_file);

// Immediate-mode drawing in the current fixed-function matrices.

// Clip space -1..1 with texture coordinates 0..1, counter-clockwise.
void draw_fullscreen_quad();

// The same square from -half_size to half_size, with texture coordinates from 0
// to texture_extent.
void draw_quad(float half_size, float texture_extent);

// The polygon mode it sets (line for wireframe, else fill) stays set.
void draw_box(Eigen::Vector3f const& center, Eigen::Vector3f const& size, float scale, bool wireframe);

// A flat arrow outline in the z = 0 plane from `from` to `to` (their x-y
// direction; z counts only in the length L). The shaft is 0.6 L wide, the head
// L wide and the last `head` fraction of L long.
void draw_arrow(Eigen::Vector3f const& from, Eigen::Vector3f const& to, float head);

#endif
