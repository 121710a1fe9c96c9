#version 120

// A label over a soft shadow: its text's alpha, blurred and pushed down to the
// right, darkens whatever lies behind, so white text reads on any background.
// The text takes the label's colour, and the label's alpha fades text and shadow.
varying vec2 texture_coordinate;
varying vec3 vertex_color;
varying float vertex_alpha;

uniform sampler2D texture;
uniform float blur_size;     // blur radius in pixels
uniform float offset;        // shadow displacement as a fraction of the label's width
uniform float overall_alpha; // the screen's opacity
uniform vec2 tex_size;       // the label's size in pixels

void main()
{
    vec2 uv = texture_coordinate;
    vec4 text = texture2D(texture, uv) * vec4(vertex_color, vertex_alpha);

    vec2 texel = 1.0 / max(tex_size, vec2(1.0));
    vec2 shift = vec2(offset * tex_size.x, -offset * tex_size.x) * texel;
    float shadow = 0.0;
    float total = 0.0;
    for (int y = -3; y <= 3; ++y)
    {
        for (int x = -3; x <= 3; ++x)
        {
            vec2 step_in_pixels = vec2(float(x), float(y)) * blur_size / 3.0;
            float weight = exp(-dot(vec2(x, y), vec2(x, y)) / 4.5);
            shadow += weight * texture2D(texture, uv - shift + step_in_pixels * texel).a * vertex_alpha;
            total += weight;
        }
    }
    shadow = shadow / total * 0.85;

    // The text over its shadow, the shadow black.
    float a = text.a + shadow * (1.0 - text.a);
    vec3 rgb = a > 0.0 ? text.rgb * text.a / a : vec3(0.0);
    gl_FragColor = vec4(rgb, a * overall_alpha);
}
