#version 330 compatibility

// The temperature of the field as a haze over the scene behind it. The red
// channel carries it: 0.5 is neutral and leaves the scene clear; towards 0 a
// pale frost spreads over it, towards 1 it glows red and the air shimmers.
in vec2 texture_coordinate;
in vec3 vertex_color;

uniform sampler2D ice_texture;
uniform sampler2D scene_texture;
uniform vec2 screen_size;
uniform float time;

void main()
{
    float t = clamp(vertex_color.r * 2.0 - 1.0, -1.0, 1.0);
    float heat = smoothstep(0.0, 1.0, max(t, 0.0));
    float cold = smoothstep(0.0, 1.0, max(-t, 0.0));
    vec2 screen = gl_FragCoord.xy / screen_size;

    vec2 shimmer = vec2(sin(screen.y * 90.0 + time * 5.0), cos(screen.x * 70.0 + time * 3.7)) * 0.0005 * heat;
    vec3 scene = texture(scene_texture, screen + shimmer).rgb;

    // Slow drifting veils, so the haze looks like air rather than a pane.
    float veil = 0.75 + 0.25 * sin(texture_coordinate.x * 7.0 + time * 0.7) * sin(texture_coordinate.y * 5.0 - time * 0.5);

    vec3 frost = texture(ice_texture, texture_coordinate * 2.0).rgb;
    vec3 icy = mix(scene * vec3(0.85, 0.95, 1.1), frost * vec3(0.85, 0.95, 1.05), 0.45) + vec3(0.05, 0.1, 0.16);
    vec3 result = mix(scene, icy, cold * 0.9 * veil);

    vec3 glow = mix(vec3(1.0, 0.5, 0.15), vec3(1.0, 0.16, 0.06), heat);
    result = mix(result, result * vec3(1.0, 0.8, 0.75) + glow * 0.32, heat * veil);

    gl_FragColor = vec4(result, 1.0);
}
