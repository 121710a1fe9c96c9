#version 120

// The button under the mouse glows as if heated from below: warm light wells up
// through its face in slow flames, its rim burns brighter, and a soft halo
// spills into the margin around it. The text stays white on top.
varying vec2 texture_coordinate;

uniform sampler2D scene_texture; // the button's own texture
uniform float repetition_ratio;  // width / height of the button, so flames stay round
uniform float alpha;
uniform vec2 screen_size;
uniform float time;

float hash(vec2 p)
{
    return fract(sin(dot(p, vec2(127.1, 311.7))) * 43758.5453);
}

float noise(vec2 p)
{
    vec2 i = floor(p);
    vec2 f = fract(p);
    vec2 u = f * f * (3.0 - 2.0 * f);
    return mix(mix(hash(i), hash(i + vec2(1.0, 0.0)), u.x), mix(hash(i + vec2(0.0, 1.0)), hash(i + vec2(1.0, 1.0)), u.x),
               u.y);
}

float flames(vec2 p)
{
    float sum = 0.0;
    float weight = 0.5;
    for (int octave = 0; octave < 4; ++octave)
    {
        sum += weight * noise(p);
        p = p * 2.03 + vec2(1.7, 9.2);
        weight *= 0.5;
    }
    return sum;
}

void main()
{
    vec2 uv = texture_coordinate;
    vec4 button = texture2D(scene_texture, uv);

    // One pixel of the button in texture units, to reach into the margin.
    vec2 texel = vec2(abs(dFdx(uv.x)), abs(dFdy(uv.y)));
    float halo = 0.0;
    for (int i = 0; i < 12; ++i)
    {
        float angle = float(i) * 0.5236;
        vec2 direction = vec2(cos(angle), sin(angle));
        halo = max(halo, texture2D(scene_texture, uv + direction * texel * 4.0).a);
        halo = max(halo, 0.6 * texture2D(scene_texture, uv + direction * texel * 8.0).a);
    }

    vec2 p = vec2(uv.x * repetition_ratio, uv.y) * 2.5;
    float rising = flames(p + vec2(0.0, -time * 0.9)) * 0.75 + flames(p * 1.7 + vec2(time * 0.2, -time * 1.6)) * 0.35;
    float heat = clamp(rising * (1.25 - 0.55 * uv.y), 0.0, 1.0);
    // A faint shimmer fixed to the screen, so neighbouring buttons never pulse alike.
    heat *= 0.9 + 0.1 * noise(gl_FragCoord.xy / screen_size * 40.0 + time);

    vec3 ember = vec3(0.75, 0.12, 0.02);
    vec3 flame = vec3(1.0, 0.55, 0.08);
    vec3 glow = mix(ember, flame, smoothstep(0.35, 0.85, heat));
    glow = mix(glow, vec3(1.0, 0.9, 0.55), smoothstep(0.75, 1.0, heat));

    // The face is the button's translucent fill, the rim and text are opaque;
    // the text is the only part without colour.
    float face = smoothstep(0.0, 0.4, button.a);
    float whiteness = smoothstep(0.75, 0.95, min(button.r, min(button.g, button.b))) * step(0.9, button.a);
    float rim = step(0.9, button.a) * (1.0 - whiteness);

    vec3 color = glow * (0.7 + 0.5 * heat);
    color = mix(color, vec3(1.0, 0.8, 0.35), rim);
    color = mix(color, vec3(1.0), whiteness);
    float outside = (1.0 - face) * halo * 0.55;
    vec3 halo_color = mix(ember, flame, 0.6);

    vec3 rgb = face > 0.0 ? color : halo_color;
    float a = max(face * mix(0.85, 1.0, max(rim, whiteness)), outside);
    gl_FragColor = vec4(rgb, a * alpha);
}
