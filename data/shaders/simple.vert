#version 120

// Meshes from client-side arrays with the matrices handed over as uniforms.
uniform mat4 m_projection;
uniform mat4 m_view;
uniform mat4 m_model;

varying vec3 world_position;
varying vec3 world_normal;
varying vec3 eye_position;
varying vec3 eye_normal;

void main()
{
    vec4 world = m_model * gl_Vertex;
    vec4 eye = m_view * world;
    world_position = world.xyz;
    world_normal = mat3(m_model) * gl_Normal;
    eye_position = eye.xyz;
    eye_normal = mat3(m_view) * world_normal;
    gl_Position = m_projection * eye;
}
