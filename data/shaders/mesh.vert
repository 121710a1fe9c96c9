#version 330 compatibility

// Meshes from vertex arrays: attributes 0 position, 1 normal, 2 texture
// coordinate, 3 colour. The matrices are the fixed-function ones handed over as
// uniforms, and the model matrix of the object drawn.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texcoord;
layout(location = 3) in vec3 color;

uniform mat4 m_projection;
uniform mat4 m_view;
uniform mat4 m_model;

out vec3 world_position;
out vec3 world_normal;
out vec3 eye_position;
out vec3 eye_normal;
out vec2 texture_coordinate;
out vec3 vertex_color;

void main()
{
    vec4 world = m_model * vec4(position, 1.0);
    vec4 eye = m_view * world;
    world_position = world.xyz;
    world_normal = mat3(m_model) * normal;
    eye_position = eye.xyz;
    eye_normal = mat3(m_view) * world_normal;
    texture_coordinate = texcoord;
    vertex_color = color;
    gl_Position = m_projection * eye;
}
