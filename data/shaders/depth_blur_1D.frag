#version 120

// One direction of the depth-of-field blur. Each pixel is blurred by how far
// its depth lies from the focus distance, relative to its own distance, so the
// field stays sharp and the station behind it goes soft. A sample sharper than
// half the pixel's own blur is left out, so sharp molecules keep their outline
// instead of bleeding into the blurred background.
//
// The horizontal pass leaves each pixel's blur radius in alpha; the vertical
// pass reads the radii from there instead of from the depth.
uniform sampler2D texture;
uniform sampler2D depth_texture;
uniform vec2 clip_distances;
uniform vec2 tex_size;
uniform float focus_distance;
uniform vec2 direction;

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
    bool vertical = direction.y > 0.5;
    vec4 centre = texture2D(texture, uv);
    float radius = vertical ? centre.a : blur_radius(texture2D(depth_texture, uv).r);
    vec2 offset = direction / tex_size * (radius / 4.0);

    vec3 sum = centre.rgb;
    float weight_sum = 1.0;
    for (int i = 1; i <= 4; ++i)
    {
        float weight = 1.0 - float(i) / 5.0;
        for (int side = -1; side <= 1; side += 2)
        {
            vec2 at = uv + offset * float(i * side);
            vec4 sample = texture2D(texture, at);
            float sample_radius = vertical ? sample.a : blur_radius(texture2D(depth_texture, at).r);
            float keep = step(radius * 0.5, sample_radius);
            sum += sample.rgb * weight * keep;
            weight_sum += weight * keep;
        }
    }
    gl_FragColor = vec4(sum / weight_sum, vertical ? 1.0 : radius);
}
