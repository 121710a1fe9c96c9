#version 120

// The editor's atom: the glossy shading of the game without its backdrop; a
// soft studio gradient stands in for the reflected surroundings.
uniform mat4 m_view;
uniform vec3 light_pos;
uniform vec3 camera_pos;
uniform vec4 color;

varying vec3 world_position;
varying vec3 world_normal;

void main()
{
    vec3 n = normalize(world_normal);
    vec3 v = normalize(camera_pos - world_position);
    // "light_pos" is a direction in the eye frame; the view's rotation inverted
    // turns it into world terms.
    vec3 l = normalize(light_pos * mat3(m_view));
    vec3 h = normalize(l + v);
    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(n, h), 0.0), 60.0);

    vec3 r = reflect(-v, n);
    vec3 studio = mix(vec3(0.18, 0.2, 0.24), vec3(0.85, 0.9, 1.0), smoothstep(-0.3, 0.8, r.z));
    float fresnel = 0.1 + 0.6 * pow(1.0 - max(dot(n, v), 0.0), 3.0);

    vec3 lit = mix(color.rgb * (0.28 + 0.85 * diffuse), studio, fresnel) + vec3(1.1) * specular;
    gl_FragColor = vec4(lit, color.a);
}
