#version 120

// Meshes from client-side arrays with the matrices handed over as uniforms.
uniform mat4 m_projection;
uniform mat4 m_view;
uniform mat4 m_model;

varying vec3 world_position;
varying vec3 world_normal;

void main()
{
    vec4 world = m_model * gl_Vertex;
    world_position = world.xyz;
    world_normal = mat3(m_model) * gl_Normal;
    gl_Position = m_projection * (m_view * world);
}
