#version 120

// The depth-of-field blur drawn at half size, laid over the sharp scene: each
// pixel takes the blurred picture by its own blur radius (as in
// depth_blur_1D.frag), so what is in focus keeps every pixel of the scene and
// what lies away from the focus gets the blur.
uniform sampler2D texture;
uniform sampler2D blurred_texture;
uniform sampler2D depth_texture;
uniform vec2 clip_distances;
uniform float focus_distance;

varying vec2 uv;

const float largest_radius = 7.0;

float blur_radius(float depth)
{
    float near = clip_distances.x;
    float far = clip_distances.y;
    float distance = 2.0 * near * far / (far + near - (depth * 2.0 - 1.0) * (far - near));
    return min(abs(distance - focus_distance) / distance * 9.0, largest_radius);
}

void main()
{
    float radius = blur_radius(texture2D(depth_texture, uv).r);
    vec3 sharp = texture2D(texture, uv).rgb;
    vec3 blurred = texture2D(blurred_texture, uv).rgb;
    // Below a pixel's radius the full-size taps hardly leave the pixel.
    gl_FragColor = vec4(mix(sharp, blurred, smoothstep(0.5, 2.0, radius)), 1.0);
}
