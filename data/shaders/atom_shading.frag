#version 330 compatibility

// The look of a glossy atom, linked into both sphere programs (the mesh
// spheres of molecule_new.frag and the ray-cast ones of atom_impostor.frag) so
// that they cannot drift apart: diffuse and a sharp highlight from a light
// above left of the viewer ("light_pos" is a direction in the eye frame), and
// the blurred station around the field mirrored in it, stronger towards the
// rim.
//
// The software rasteriser runs this for every pixel of every atom, so it keeps
// to cheap arithmetic (powers by squaring, the mirror image looked up without
// trigonometry).
uniform mat4 m_view;
uniform vec3 light_pos;
uniform vec3 camera_pos;
uniform sampler2D bg_texture;

// `surface` is the point seen on the sphere around `centre`, both in world
// terms: the normal of a sphere is its point seen from the centre.
vec4 shade_atom(vec3 surface, vec3 centre, vec4 color)
{
    vec3 n = normalize(surface - centre);
    vec3 v = normalize(camera_pos - surface);
    // The eye frame's direction in world terms: the view's rotation inverted.
    vec3 l = normalize(light_pos * mat3(m_view));
    vec3 h = normalize(l + v);

    float diffuse = max(dot(n, l), 0.0);
    float nh2 = max(dot(n, h), 0.0);
    nh2 *= nh2;
    float nh8 = nh2 * nh2;
    nh8 *= nh8;
    float nh64 = nh8 * nh8;
    nh64 *= nh64 * nh64 * nh64;

    // The reflected direction's sideways and upward parts pick the place in
    // the background, as a mirror ball would show it.
    vec3 r = reflect(-v, n);
    vec3 mirrored = texture(bg_texture, vec2(0.5 + 0.45 * r.x, 0.5 + 0.45 * r.z)).rgb * 1.8;
    float rim = 1.0 - max(dot(n, v), 0.0);
    float fresnel = 0.22 + 0.7 * rim * rim * rim;

    vec3 body = color.rgb * (0.14 + 0.86 * diffuse);
    vec3 lit = mix(body, mirrored, fresnel) + mirrored * color.rgb * 0.25;
    lit += vec3(1.2 * nh64 + 0.12 * nh8);
    return vec4(lit, color.a);
}
