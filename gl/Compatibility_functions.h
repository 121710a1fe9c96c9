#ifndef GL_COMPATIBILITY_FUNCTIONS_H
#define GL_COMPATIBILITY_FUNCTIONS_H

#include <QOpenGLFunctions_3_3_Compatibility>

// The current context's function table including the fixed-function calls
// (client arrays, matrix stacks, immediate mode), initialised. Null when no
// context is current or it is not a 3.3 compatibility context.
QOpenGLFunctions_3_3_Compatibility* current_compatibility_functions();

// Client-side vertex arrays are read only while no buffer object is bound. This
// binds vertex array 0 and no array or element buffer, and on destruction puts
// back the caller's bindings and client array state.
class Client_array_scope
{
public:
    explicit Client_array_scope(QOpenGLFunctions_3_3_Compatibility& functions);
    ~Client_array_scope();

    Client_array_scope(Client_array_scope const&) = delete;
    Client_array_scope& operator=(Client_array_scope const&) = delete;

private:
    QOpenGLFunctions_3_3_Compatibility& _f;
    GLint _vertex_array = 0;
    GLint _array_buffer = 0;
    GLint _element_buffer = 0;
};

#endif
