#version 120
// One direction of a separable Gaussian blur over a full-screen texture. The
// texture covers the viewport, so the fragment's own pixel is where it reads.
uniform sampler2D texture;
uniform vec2 tex_size;
uniform float blur_strength; // the blur's reach in pixels
uniform vec2 direction;      // (1, 0) across, (0, 1) up

// Steps of at most 1.6 pixels at full strength: the targets are read
// without filtering, and wider steps leave stripes.
const int taps = 16;

// The targets repeat: without the clamp the far edge would bleed in.
vec4 read(vec2 at)
{
    vec2 half_pixel = 0.5 / tex_size;
    return texture2D(texture, clamp(at, half_pixel, 1.0 - half_pixel));
}

void main()
{
    vec2 here = gl_FragCoord.xy / tex_size;
    vec2 step = direction / tex_size * max(blur_strength, 0.0) / float(taps);
    vec4 sum = read(here);
    float weights = 1.0;
    for (int i = 1; i <= taps; ++i)
    {
        float x = float(i) / float(taps);
        float weight = exp(-3.0 * x * x);
        sum += weight * (read(here + float(i) * step) + read(here - float(i) * step));
        weights += 2.0 * weight;
    }
    gl_FragColor = sum / weights;
}
