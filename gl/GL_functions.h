#ifndef GL_GL_FUNCTIONS_H
#define GL_GL_FUNCTIONS_H

#include <QOpenGLFunctions_3_3_Core>

// The OpenGL 3.3 core function table that free GL routines take. Its owner
// initialises it once a context is current.
class GL_functions : public QOpenGLFunctions_3_3_Core
{
};

void initialize_gl_functions(QOpenGLFunctions_3_3_Core& functions);

#endif
