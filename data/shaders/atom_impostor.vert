#version 330 compatibility

// An atom as a single square facing the eye, in which atom_impostor.frag finds
// the sphere: two triangles where a finely cut sphere takes over a thousand,
// which on a software rasteriser decides the frame time. Corners 0 to 3 (the
// vertex number modulo 4) are the square's lower left, lower right, upper left
// and upper right. Per atom: its world centre and radius, and its colour.
layout(location = 0) in vec4 centre_and_radius;
layout(location = 1) in vec4 atom_color;

uniform mat4 m_projection;
uniform mat4 m_view;
uniform vec3 camera_pos;

out vec3 world_position;
flat out vec4 sphere;
flat out vec4 sphere_color;

void main()
{
    sphere = centre_and_radius;
    sphere_color = atom_color;
    vec3 centre = centre_and_radius.xyz;
    float radius = centre_and_radius.w;
    vec3 axis = centre - camera_pos;
    float distance2 = dot(axis, axis);
    float outside = distance2 - radius * radius;
    // From inside a sphere nothing of it is seen, as of a closed mesh whose
    // back faces are culled: the square goes beyond the clip volume.
    if (outside <= 0.0)
    {
        world_position = centre;
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        return;
    }

    // Square to the line of sight through the centre, at the centre's
    // distance, and wide enough to hold the cone of sight lines that touch the
    // sphere: radius x distance / tangent length. Under perspective that is
    // more than the radius, so no rim is cut off.
    vec3 forward = axis * inversesqrt(distance2);
    // The view's right direction in world terms (the first row of its
    // rotation) turned square to the line of sight; its up direction for a
    // sphere straight to the right of the eye, which is square to it already.
    vec3 right = vec3(m_view[0][0], m_view[1][0], m_view[2][0]);
    right -= dot(right, forward) * forward;
    if (dot(right, right) < 1e-12) right = vec3(m_view[0][1], m_view[1][1], m_view[2][1]);
    right = normalize(right);
    vec3 up = cross(right, forward);
    float half_size = radius * sqrt(distance2 / outside);

    int corner = gl_VertexID & 3;
    vec2 offset = vec2(float(corner & 1), float(corner >> 1)) * 2.0 - 1.0;
    world_position = centre + half_size * (offset.x * right + offset.y * up);
    gl_Position = m_projection * (m_view * vec4(world_position, 1.0));
}
