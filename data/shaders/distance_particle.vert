#version 120

// Particles in the scene: the point shrinks with its distance from the eye.
// "height" is the viewport height relative to 768 pixels times the caller's
// factor; "particle_size" each particle's own size.
uniform float height;
attribute float particle_size;

void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eye;
    gl_FrontColor = gl_Color;
    gl_PointSize = clamp(height * particle_size * 18.0 / max(-eye.z, 1.0), 1.0, 64.0);
}
