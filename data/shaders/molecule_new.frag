#version 330 compatibility

// An atom drawn as a mesh sphere, shaded by atom_shading.frag. Atoms are small
// on screen and their spheres finely cut, so the software rasteriser runs this
// for many tiny triangles: it reads a single input.
in vec3 world_position;

uniform mat4 m_model;
uniform vec4 color;

vec4 shade_atom(vec3 surface, vec3 centre, vec4 color);

void main()
{
    gl_FragColor = shade_atom(world_position, m_model[3].xyz, color);
}
