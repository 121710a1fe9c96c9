#version 120

// The full-screen quad of the off-screen passes: its vertices are already in
// clip space, whatever the matrices.
varying vec2 uv;

void main()
{
    uv = gl_MultiTexCoord0.xy;
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
}
