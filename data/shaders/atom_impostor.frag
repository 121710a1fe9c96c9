#version 330 compatibility

// The sphere inside an atom's square (atom_impostor.vert): the eye ray through
// the pixel meets its front surface or misses it. The hit point is projected
// with the matrices the mesh spheres use, so the depth-of-field blur, later
// overlays and picking see the depth a finely cut sphere would leave, and it
// is shaded by atom_shading.frag as a mesh sphere is.
in vec3 world_position;
flat in vec4 sphere;
flat in vec4 sphere_color;

uniform mat4 m_projection;
uniform mat4 m_view;
uniform vec3 camera_pos;

vec4 shade_atom(vec3 surface, vec3 centre, vec4 color);

void main()
{
    vec3 ray = normalize(world_position - camera_pos);
    vec3 to_centre = sphere.xyz - camera_pos;
    float along = dot(ray, to_centre);
    // The ray's squared distance from the centre, from the perpendicular
    // itself: the difference of two squares near the distance squared would
    // lose the rim to rounding.
    vec3 across = to_centre - along * ray;
    float miss = dot(across, across);
    float radius2 = sphere.w * sphere.w;
    if (miss > radius2) discard;
    // The nearer of the two crossings: the half a closed sphere shows.
    vec3 surface = camera_pos + (along - sqrt(radius2 - miss)) * ray;

    vec4 clip = m_projection * (m_view * vec4(surface, 1.0));
    float ndc_depth = clip.z / clip.w;
    // Cut by the near plane, as a mesh would be.
    if (ndc_depth < -1.0) discard;
    gl_FragDepth = 0.5 * (gl_DepthRange.diff * ndc_depth + gl_DepthRange.near + gl_DepthRange.far);
    gl_FragColor = shade_atom(surface, sphere.xyz, sphere_color);
}
