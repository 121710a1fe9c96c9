#version 120

// One direction of the depth-of-field blur. Each pixel is blurred by how far
// its depth lies from the focus distance, relative to its own distance, so the
// field stays sharp and the station behind it goes soft. Samples from nearer,
// sharper surfaces are left out, so sharp molecules keep their outline.
uniform sampler2D texture;
uniform sampler2D depth_texture;
uniform vec2 clip_distances;
uniform vec2 tex_size;
uniform float focus_distance;
uniform vec2 direction;

varying vec2 uv;

const float largest_radius = 7.0;

float eye_distance(float depth)
{
    float near = clip_distances.x;
    float far = clip_distances.y;
    float z = depth * 2.0 - 1.0;
    return 2.0 * near * far / (far + near - z * (far - near));
}

float blur_radius(float distance)
{
    return min(abs(distance - focus_distance) / distance * 9.0, largest_radius);
}

void main()
{
    float distance = eye_distance(texture2D(depth_texture, uv).r);
    float radius = blur_radius(distance);
    vec2 offset = direction / tex_size * (radius / 4.0);

    vec3 sum = texture2D(texture, uv).rgb;
    float weight_sum = 1.0;
    for (int i = 1; i <= 4; ++i)
    {
        float weight = 1.0 - float(i) / 5.0;
        for (int side = -1; side <= 1; side += 2)
        {
            vec2 at = uv + offset * float(i * side);
            float sample_distance = eye_distance(texture2D(depth_texture, at).r);
            // A nearer, sharper sample is in front of this blurred one: keep it out.
            float keep = sample_distance < distance - 1.0 ? step(radius * 0.5, blur_radius(sample_distance)) : 1.0;
            sum += texture2D(texture, at).rgb * weight * keep;
            weight_sum += weight * keep;
        }
    }
    gl_FragColor = vec4(sum / weight_sum, 1.0);
}
