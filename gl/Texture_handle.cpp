#include "gl/Texture_handle.h"

#include <QGLContext>
#include <QOpenGLContext>

Texture_handle::~Texture_handle()
{
    delete_texture();
}

void Texture_handle::reset(GLuint texture)
{
    if (texture == _texture) return;
    delete_texture();
    _texture = texture;
}

void Texture_handle::delete_texture()
{
    // QGLContext::deleteTexture issues the call through the current context,
    // whichever context it is asked on.
    if (_texture == 0 || !QOpenGLContext::currentContext()) return;
    QGLContext* context = _context ? _context : const_cast<QGLContext*>(QGLContext::currentContext());
    context->deleteTexture(_texture);
}
