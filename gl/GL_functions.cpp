#include "gl/GL_functions.h"

void initialize_gl_functions(QOpenGLFunctions_3_3_Core& functions)
{
    functions.initializeOpenGLFunctions();
}
