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

// Sample i of 4 on each side: its weight, and whether it is blurred enough to
// count for a pixel of this radius.
void gather(vec4 sample, float sample_radius, float radius, float weight, inout vec3 sum, inout float weight_sum)
{
    float keep = step(radius * 0.5, sample_radius) * weight;
    sum += sample.rgb * keep;
    weight_sum += keep;
}

void main()
{
    vec4 centre = texture2D(texture, uv);
    vec3 sum = centre.rgb;
    float weight_sum = 1.0;
    if (direction.y > 0.5)
    {
        float radius = centre.a;
        vec2 offset = vec2(0.0, radius / 4.0 / tex_size.y);
        for (int i = 1; i <= 4; ++i)
        {
            float weight = 1.0 - float(i) / 5.0;
            vec4 above = texture2D(texture, uv + offset * float(i));
            vec4 below = texture2D(texture, uv - offset * float(i));
            gather(above, above.a, radius, weight, sum, weight_sum);
            gather(below, below.a, radius, weight, sum, weight_sum);
        }
        gl_FragColor = vec4(sum / weight_sum, 1.0);
    }
    else
    {
        float radius = blur_radius(texture2D(depth_texture, uv).r);
        vec2 offset = vec2(radius / 4.0 / tex_size.x, 0.0);
        for (int i = 1; i <= 4; ++i)
        {
            float weight = 1.0 - float(i) / 5.0;
            vec2 right = uv + offset * float(i);
            vec2 left = uv - offset * float(i);
            gather(texture2D(texture, right), blur_radius(texture2D(depth_texture, right).r), radius, weight, sum,
                   weight_sum);
            gather(texture2D(texture, left), blur_radius(texture2D(depth_texture, left).r), radius, weight, sum,
                   weight_sum);
        }
        gl_FragColor = vec4(sum / weight_sum, radius);
    }
}
