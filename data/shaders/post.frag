#version 120

// A finishing pass: a soft vignette and a touch of contrast.
uniform sampler2D texture;
varying vec2 uv;

void main()
{
    vec3 color = texture2D(texture, uv).rgb;
    color = mix(color, smoothstep(0.0, 1.0, color), 0.25);
    float vignette = 1.0 - 0.35 * dot(uv - 0.5, uv - 0.5) * 2.0;
    gl_FragColor = vec4(color * vignette, 1.0);
}
