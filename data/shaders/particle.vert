#version 120

// Screen-space particles: the point grows with the viewport ("height" is the
// viewport height relative to 768 pixels, times the caller's factor) and with
// each particle's own size.
uniform float height;
attribute float particle_size;

void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_FrontColor = gl_Color;
    gl_PointSize = max(height * particle_size, 1.0);
}
