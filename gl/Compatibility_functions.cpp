#include "gl/Compatibility_functions.h"

#include <QOpenGLContext>

QOpenGLFunctions_3_3_Compatibility* current_compatibility_functions()
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context) return nullptr;
    auto* functions = context->versionFunctions<QOpenGLFunctions_3_3_Compatibility>();
    if (!functions || !functions->initializeOpenGLFunctions()) return nullptr;
    return functions;
}

Client_array_scope::Client_array_scope(QOpenGLFunctions_3_3_Compatibility& functions) : _f(functions)
{
    _f.glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &_vertex_array);
    _f.glBindVertexArray(0);
    // The element binding belongs to vertex array 0, so read it after binding that.
    _f.glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &_element_buffer);
    _f.glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &_array_buffer);
    _f.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    _f.glBindBuffer(GL_ARRAY_BUFFER, 0);
    _f.glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
}

Client_array_scope::~Client_array_scope()
{
    _f.glPopClientAttrib();
    _f.glBindBuffer(GL_ARRAY_BUFFER, GLuint(_array_buffer));
    _f.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, GLuint(_element_buffer));
    _f.glBindVertexArray(GLuint(_vertex_array));
}
