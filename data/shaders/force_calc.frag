#version 330 core

// The force on one atom (texel (i mod 64, i div 64) for atom i): Coulomb and
// Van der Waals from the atoms of every other molecule, plus thermal agitation.
// simulation/Cpu_force.cpp and simulation/Thermal_agitation.cpp compute the same
// on the CPU; keep the three in step.

uniform sampler2D pos_tex;         // world position
uniform sampler2D charge_tex;      // charge
uniform sampler2D radius_tex;      // Van der Waals radius, negative without Van der Waals
uniform sampler2D parent_id_tex;   // id of the atom's molecule
uniform sampler2D temperature_tex; // temperatures over the game field's x-z plane

uniform vec2 tex_size;
uniform int num_atoms;
uniform float time;
uniform vec2 bounding_box_size; // half the game field's width and height
uniform float coulomb_factor;
uniform float vdw_factor;
uniform float vdw_radius_factor;
uniform float min_distance;
uniform float agitation_scale;
uniform float agitation_rate;

out vec4 force;

const float max_float = 3.402823466e38;

float cell(ivec2 texel)
{
    return texelFetch(temperature_tex, texel, 0).r;
}

// False for NaN, so a lost atom reads the corner cell.
float clamp_unit(float value)
{
    return value > 0.0 ? (value < 1.0 ? value : 1.0) : 0.0;
}

// Bilinear between cell centres, the first and last cells on the field's edges.
// Mixed here rather than by the sampler, whose weights may be coarser than float.
float temperature_at(vec3 position)
{
    ivec2 size = textureSize(temperature_tex, 0);
    float u = clamp_unit(position.x / bounding_box_size.x * 0.5 + 0.5);
    float v = clamp_unit(position.z / bounding_box_size.y * 0.5 + 0.5);
    float fx = float(size.x - 1) * u;
    float fy = float(size.y - 1) * v;
    int ix = int(floor(fx));
    int iy = int(floor(fy));
    int ix1 = min(ix + 1, size.x - 1);
    int iy1 = min(iy + 1, size.y - 1);
    float tx = fx - float(ix);
    float ty = fy - float(iy);
    float bottom = cell(ivec2(ix, iy)) * (1.0 - tx) + cell(ivec2(ix1, iy)) * tx;
    float top = cell(ivec2(ix, iy1)) * (1.0 - tx) + cell(ivec2(ix1, iy1)) * tx;
    return bottom * (1.0 - ty) + top * ty;
}

uint mix_bits(uint x)
{
    x ^= x >> 16u;
    x *= 0x7feb352du;
    x ^= x >> 15u;
    x *= 0x846ca68bu;
    x ^= x >> 16u;
    return x;
}

float to_signed_unit(uint hash)
{
    return float(hash >> 8u) * 1.1920928955078125e-7 - 1.0;
}

vec3 thermal_agitation(uint atom, float temperature)
{
    if (!(temperature > 0.0)) return vec3(0.0);

    float phase = time * agitation_rate;
    float step = floor(phase);
    float f = phase - step;
    float weight = f * f * (3.0 - 2.0 * f);
    uint before = mix_bits(floatBitsToUint(step));
    uint after = mix_bits(floatBitsToUint(step + 1.0));

    vec3 noise;
    for (int axis = 0; axis < 3; ++axis)
    {
        uint key = atom * 3u + uint(axis);
        float a = to_signed_unit(mix_bits(before + key));
        float b = to_signed_unit(mix_bits(after + key));
        noise[axis] = a + (b - a) * weight;
    }
    return (agitation_scale * temperature) * noise;
}

void main()
{
    ivec2 texel = ivec2(gl_FragCoord.xy);
    int i = texel.y * int(tex_size.x) + texel.x;
    if (i >= num_atoms)
    {
        force = vec4(0.0);
        return;
    }

    vec3 position = texelFetch(pos_tex, texel, 0).xyz;
    float scaled_charge = texelFetch(charge_tex, texel, 0).r * coulomb_factor;
    float own_radius = texelFetch(radius_tex, texel, 0).r;
    float vdw = own_radius >= 0.0 ? 4.0 * vdw_factor : 0.0;
    float radius = own_radius * vdw_radius_factor;
    float parent_id = texelFetch(parent_id_tex, texel, 0).r;
    float min_r2 = min_distance * min_distance;

    vec3 total = vec3(0.0);
    int width = int(tex_size.x);
    // Row by row, so that no texel address needs a division.
    for (int row = 0; row * width < num_atoms; ++row)
    {
        int columns = min(width, num_atoms - row * width);
        for (int column = 0; column < columns; ++column)
        {
            ivec2 other = ivec2(column, row);
            vec3 d = position - texelFetch(pos_tex, other, 0).xyz;
            float d2 = d.x * d.x + d.y * d.y + d.z * d.z;
            float r2 = max(d2, min_r2);
            float inv_r = 1.0 / sqrt(r2);
            float inv_r2 = inv_r * inv_r;
            float other_radius = texelFetch(radius_tex, other, 0).r;
            float has_vdw = other_radius >= 0.0 ? 1.0 : 0.0;
            float radius_sum = radius + other_radius * vdw_radius_factor;
            float s2 = radius_sum * radius_sum * inv_r2;
            float s6 = s2 * s2 * s2;
            float magnitude =
                scaled_charge * texelFetch(charge_tex, other, 0).r * inv_r2 + vdw * has_vdw * (s6 * s6 - s6);
            float scale = magnitude * inv_r;
            // Other molecules only; a pair that is not finite is dropped.
            bool counts = texelFetch(parent_id_tex, other, 0).r != parent_id && d2 <= max_float &&
                          abs(scale) <= max_float;
            total += counts ? scale * d : vec3(0.0);
        }
    }

    total += thermal_agitation(uint(i), temperature_at(position));
    bool finite = all(lessThanEqual(abs(total), vec3(max_float)));
    force = vec4(finite ? total : vec3(0.0), 0.0);
}
