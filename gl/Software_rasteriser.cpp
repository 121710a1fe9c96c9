#include "gl/Software_rasteriser.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <string>

bool is_software_rasteriser(QOpenGLContext* context)
{
    if (!context) return false;
    char const* renderer = reinterpret_cast<char const*>(context->functions()->glGetString(GL_RENDERER));
    if (!renderer) return false;
    std::string const name(renderer);
    return name.find("llvmpipe") != std::string::npos || name.find("softpipe") != std::string::npos ||
           name.find("Software Rasterizer") != std::string::npos;
}

bool is_software_rasteriser()
{
    return is_software_rasteriser(QOpenGLContext::currentContext());
}
