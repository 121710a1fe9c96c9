#ifndef GL_SOFTWARE_RASTERISER_H
#define GL_SOFTWARE_RASTERISER_H

class QOpenGLContext;

// Whether the context draws on the processor (Mesa's llvmpipe and softpipe, the
// generic software renderers) rather than on a graphics card. The game takes
// cheaper paths there: the pair forces on the CPU, a cheaper blur and ray-cast
// spheres.
bool is_software_rasteriser(QOpenGLContext* context);
// Of the current context; false when none is current.
bool is_software_rasteriser();

#endif
