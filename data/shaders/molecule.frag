#version 120

// The editor's atom: the glossy shading of the game without its backdrop; a
// soft studio gradient stands in for the reflected surroundings.
uniform vec3 light_pos;
uniform vec3 camera_pos;
uniform vec4 color;

varying vec3 world_position;
varying vec3 world_normal;
varying vec3 eye_position;
varying vec3 eye_normal;

void main()
{
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(light_pos);
    vec3 h = normalize(l + v);
    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(n, h), 0.0), 90.0);

    vec3 world_n = normalize(world_normal);
    vec3 to_eye = normalize(camera_pos - world_position);
    vec3 r = reflect(-to_eye, world_n);
    vec3 studio = mix(vec3(0.18, 0.2, 0.24), vec3(0.85, 0.9, 1.0), smoothstep(-0.3, 0.8, r.z));
    float fresnel = 0.1 + 0.6 * pow(1.0 - max(dot(world_n, to_eye), 0.0), 3.0);

    vec3 lit = mix(color.rgb * (0.28 + 0.85 * diffuse), studio, fresnel) + vec3(0.9) * specular;
    gl_FragColor = vec4(lit, color.a);
}
