#version 330 compatibility

// Meshes from vertex arrays: attributes 0 position, 1 normal, 2 texture
// coordinate, 3 colour. The matrices are the fixed-function ones handed over as
// uniforms, and the model matrix of the object drawn. Few outputs: the
// software rasteriser sets up every one of them for every triangle.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texcoord;
layout(location = 3) in vec3 color;

uniform mat4 m_projection;
uniform mat4 m_view;
uniform mat4 m_model;

out vec3 world_position;
out vec3 world_normal;
out vec2 texture_coordinate;
out vec3 vertex_color;

void main()
{
    vec4 world = m_model * vec4(position, 1.0);
    world_position = world.xyz;
    world_normal = mat3(m_model) * normal;
    texture_coordinate = texcoord;
    vertex_color = color;
    gl_Position = m_projection * (m_view * world);
}
