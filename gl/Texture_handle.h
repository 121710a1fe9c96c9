#ifndef GL_TEXTURE_HANDLE_H
#define GL_TEXTURE_HANDLE_H

#include <qopengl.h>

class QGLContext;

// Owns one GL texture name and deletes it when replaced or destroyed. Deletion
// goes through the stored context, or the current one when none is stored; with
// no context current nothing can be deleted, and the name is let go.
class Texture_handle
{
public:
    Texture_handle() = default;
    ~Texture_handle();

    Texture_handle(Texture_handle const&) = delete;
    Texture_handle& operator=(Texture_handle const&) = delete;

    void set_context(QGLContext* context) { _context = context; }
    GLuint get() const { return _texture; }

    // Holding the same name again keeps that texture alive.
    void reset(GLuint texture);

private:
    void delete_texture();

    QGLContext* _context = nullptr;
    GLuint _texture = 0;
};

#endif
