#version 330 compatibility

// A glossy atom: diffuse and a sharp highlight from a light above left of the
// viewer ("light_pos" is a direction in the eye frame), and the blurred
// station around the field mirrored in it, stronger towards the rim.
in vec3 world_position;
in vec3 world_normal;

uniform mat4 m_view;
uniform vec3 light_pos;
uniform vec3 camera_pos;
uniform sampler2D bg_texture;
uniform vec4 color;

const float pi = 3.14159265;

// The background as a panorama around the field, z up.
vec3 environment(vec3 direction)
{
    vec2 panorama = vec2(atan(direction.y, direction.x) / (2.0 * pi) + 0.5,
                         asin(clamp(direction.z, -1.0, 1.0)) / pi + 0.5);
    return texture(bg_texture, panorama).rgb;
}

void main()
{
    vec3 n = normalize(world_normal);
    vec3 v = normalize(camera_pos - world_position);
    // The eye frame's direction in world terms: the view's rotation inverted.
    vec3 l = normalize(light_pos * mat3(m_view));
    vec3 h = normalize(l + v);

    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(n, h), 0.0), 60.0);
    float sheen = pow(max(dot(n, h), 0.0), 8.0);

    vec3 mirrored = environment(reflect(-v, n)) * 1.8;
    float facing = max(dot(n, v), 0.0);
    float fresnel = 0.22 + 0.7 * pow(1.0 - facing, 2.5);

    vec3 body = color.rgb * (0.14 + 0.86 * diffuse);
    vec3 lit = mix(body, mirrored, fresnel) + mirrored * color.rgb * 0.25;
    lit += vec3(1.0) * (1.2 * specular + 0.12 * sheen);
    gl_FragColor = vec4(lit, color.a);
}
