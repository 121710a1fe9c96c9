#ifndef RENDERING_DEPTH_TEXTURE_H
#define RENDERING_DEPTH_TEXTURE_H

#include <QOpenGLFunctions_3_3_Core>

#include <optional>

// The storage of a depth (or depth and stencil) image. Depth blits need the
// same layout on both sides, so the scene's depth follows the target's.
struct Depth_format
{
    GLint internal_format;
    GLenum format;
    GLenum type;

    bool has_stencil() const { return format == GL_DEPTH_STENCIL; }
    bool operator==(Depth_format const& other) const { return internal_format == other.internal_format; }
    bool operator!=(Depth_format const& other) const { return !(*this == other); }
};

// What window systems and Qt's combined attachments use.
Depth_format const depth24_stencil8 = {GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8};

// The layout of the framebuffer's depth image (0 is the window's own), or none
// when it has no depth. The framebuffer bindings are left as they were.
std::optional<Depth_format> depth_format_of(QOpenGLFunctions_3_3_Core& gl, GLuint framebuffer);

// A depth texture the scene passes sample: nearest filtering, clamped to the
// edge, no compare mode, so it reads plain depth values. The texture name is
// made once and reused by every later size or layout.
class Depth_texture
{
public:
    Depth_texture() = default;
    Depth_texture(Depth_texture const&) = delete;
    Depth_texture& operator=(Depth_texture const&) = delete;

    // (Re)allocates level 0 without data. Leaves GL_TEXTURE_2D unbound.
    void specify(QOpenGLFunctions_3_3_Core& gl, Depth_format const& format, int width, int height);
    // Attaches it to the bound draw framebuffer, replacing a depth or
    // depth-stencil attachment of the other kind.
    void attach(QOpenGLFunctions_3_3_Core& gl) const;
    // Deletes the name; only with a current context.
    void release(QOpenGLFunctions_3_3_Core& gl);

    GLuint get() const { return _texture; }
    Depth_format const& get_format() const { return _format; }

private:
    GLuint _texture = 0;
    Depth_format _format = depth24_stencil8;
};

#endif
