// Writes the game's OBJ models into the directory given as the only argument
// (default "data/meshes"). All are wound counter-clockwise seen from outside.

#include "gl/Icosphere.h"
#include "tools/Obj_shape.h"

#include <Eigen/Geometry>

#include <cmath>
#include <iostream>
#include <string>

namespace
{

float const pi = float(M_PI);
Eigen::Vector3f const up = Eigen::Vector3f::UnitY();

Obj_shape unit_sphere(int subdivisions)
{
    Icosphere const sphere(subdivisions);
    Obj_shape shape;
    for (Eigen::Vector3f const& v : sphere.get_vertices())
    {
        Eigen::Vector2f const uv(std::atan2(v.z(), v.x()) / (2.f * pi) + 0.5f, std::asin(v.y()) / pi + 0.5f);
        shape.add_vertex(v, v, uv);
    }
    std::vector<int> const& triangles = sphere.get_indices(sphere.get_num_levels() - 1);
    for (size_t t = 0; t + 2 < triangles.size(); t += 3)
        shape.add_convex_face({triangles[t], triangles[t + 1], triangles[t + 2]});
    return shape;
}

// A grid of cells x cells quads on one side of a square: corner + s u + t v for
// s, t in [0, 1]; texture coordinates (s, t).
void add_grid(Obj_shape& shape, Eigen::Vector3f const& corner, Eigen::Vector3f const& u, Eigen::Vector3f const& v,
              int cells, Eigen::Vector3f const& outward)
{
    int const first = shape.vertex_count();
    for (int j = 0; j <= cells; ++j)
    {
        for (int i = 0; i <= cells; ++i)
        {
            float const s = float(i) / cells;
            float const t = float(j) / cells;
            shape.add_vertex(corner + s * u + t * v, outward, Eigen::Vector2f(s, t));
        }
    }
    auto index = [&](int i, int j) { return first + j * (cells + 1) + i; };
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i)
            shape.add_face({index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)}, outward);
}

// The x-z square [-1, 1]^2 facing up; texture coordinates x / 2 + 0.5, z / 2 + 0.5.
Obj_shape flat_grid()
{
    Obj_shape shape;
    add_grid(shape, Eigen::Vector3f(-1.f, 0.f, -1.f), Eigen::Vector3f(2.f, 0.f, 0.f), Eigen::Vector3f(0.f, 0.f, 2.f),
             10, up);
    return shape;
}

// The surface of [-1, 1]^3; each side its own grid so that edges stay sharp.
Obj_shape grid_cube()
{
    Obj_shape shape;
    for (int axis = 0; axis < 3; ++axis)
    {
        Eigen::Vector3f const u = 2.f * Eigen::Vector3f::Unit((axis + 1) % 3);
        Eigen::Vector3f const v = 2.f * Eigen::Vector3f::Unit((axis + 2) % 3);
        for (float sign : {-1.f, 1.f})
        {
            Eigen::Vector3f const outward = sign * Eigen::Vector3f::Unit(axis);
            add_grid(shape, outward - 0.5f * (u + v), u, v, 10, outward);
        }
    }
    return shape;
}

// The upper half (z >= 0) of a sphere of radius 100 around the game field,
// open at the bottom; u runs around, v from the rim to the top.
Obj_shape background_dome()
{
    float const radius = 100.f;
    int const around = 32;
    int const rings = 16;
    Obj_shape shape;
    auto direction = [&](int i, int j) {
        float const azimuth = 2.f * pi * i / around;
        float const elevation = 0.5f * pi * j / rings;
        return Eigen::Vector3f(std::cos(elevation) * std::cos(azimuth), std::cos(elevation) * std::sin(azimuth),
                               std::sin(elevation));
    };
    int const first = shape.vertex_count();
    for (int j = 0; j < rings; ++j)
    {
        for (int i = 0; i <= around; ++i)
        {
            Eigen::Vector3f const d = direction(i, j);
            shape.add_vertex(radius * d, d, Eigen::Vector2f(float(i) / around, float(j) / rings));
        }
    }
    int const top =
        shape.add_vertex(Eigen::Vector3f(0.f, 0.f, radius), Eigen::Vector3f::UnitZ(), Eigen::Vector2f(0.5f, 1.f));
    auto index = [&](int i, int j) { return first + j * (around + 1) + i; };
    for (int j = 0; j + 1 < rings; ++j)
        for (int i = 0; i < around; ++i)
            shape.add_convex_face({index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)});
    for (int i = 0; i < around; ++i) shape.add_convex_face({index(i, rings - 1), index(i + 1, rings - 1), top});
    return shape;
}

// A closed funnel along x: radius 0.5 at x = -0.5 narrowing to 0.2 at x = 0.5,
// the side the molecules leave from.
Obj_shape releaser_funnel()
{
    int const around = 24;
    float const x[2] = {-0.5f, 0.5f};
    float const r[2] = {0.5f, 0.2f};
    // The side's normal leans towards the narrow end by the slope of the wall.
    float const lean = (r[0] - r[1]) / (x[1] - x[0]);
    Obj_shape shape;
    int side[2][around];
    int cap[2][around];
    for (int i = 0; i < around; ++i)
    {
        float const angle = 2.f * pi * i / around;
        Eigen::Vector3f const radial(0.f, std::cos(angle), std::sin(angle));
        for (int end = 0; end < 2; ++end)
        {
            Eigen::Vector3f const p(x[end], r[end] * radial.y(), r[end] * radial.z());
            Eigen::Vector2f const uv(float(i) / around, float(end));
            side[end][i] = shape.add_vertex(p, radial + Eigen::Vector3f(lean, 0.f, 0.f), uv);
            cap[end][i] = shape.add_vertex(p, Eigen::Vector3f((end == 0) ? -1.f : 1.f, 0.f, 0.f),
                                           Eigen::Vector2f(0.5f + 0.5f * radial.y(), 0.5f + 0.5f * radial.z()));
        }
    }
    for (int i = 0; i < around; ++i)
    {
        int const next = (i + 1) % around;
        shape.add_convex_face({side[0][i], side[0][next], side[1][next], side[1][i]});
    }
    for (int end = 0; end < 2; ++end) shape.add_convex_face(std::vector<int>(cap[end], cap[end] + around));
    return shape;
}

// A flat ring of diameter 1 in the x-z plane with six spokes to a hub, facing up.
Obj_shape tractor_circle()
{
    Obj_shape shape;
    auto on_circle = [](float radius, float angle) {
        return Eigen::Vector3f(radius * std::cos(angle), 0.f, radius * std::sin(angle));
    };
    auto planar = [](Eigen::Vector3f const& p) { return Eigen::Vector2f(p.x() + 0.5f, p.z() + 0.5f); };

    int const segments = 48;
    float const outer = 0.5f;
    float const inner = 0.45f;
    for (int i = 0; i < segments; ++i)
    {
        float const a0 = 2.f * pi * i / segments;
        float const a1 = 2.f * pi * (i + 1) / segments;
        std::vector<int> quad;
        for (Eigen::Vector3f const& p :
             {on_circle(inner, a0), on_circle(outer, a0), on_circle(outer, a1), on_circle(inner, a1)})
            quad.push_back(shape.add_vertex(p, up, planar(p)));
        shape.add_face(quad, up);
    }

    int const hub_corners = 12;
    float const hub = 0.05f;
    std::vector<int> hub_face;
    for (int i = 0; i < hub_corners; ++i)
    {
        Eigen::Vector3f const p = on_circle(hub, 2.f * pi * i / hub_corners);
        hub_face.push_back(shape.add_vertex(p, up, planar(p)));
    }
    shape.add_face(hub_face, up);

    float const half_width = 0.01f;
    for (int i = 0; i < 6; ++i)
    {
        float const angle = 2.f * pi * i / 6;
        Eigen::Vector3f const along = on_circle(1.f, angle);
        Eigen::Vector3f const across = half_width * up.cross(along);
        std::vector<int> spoke;
        Eigen::Vector3f const near = 0.9f * hub * along;
        Eigen::Vector3f const far = 1.02f * inner * along;
        for (Eigen::Vector3f const& p : {Eigen::Vector3f(near - across), Eigen::Vector3f(far - across),
                                         Eigen::Vector3f(far + across), Eigen::Vector3f(near + across)})
            spoke.push_back(shape.add_vertex(p, up, planar(p)));
        shape.add_face(spoke, up);
    }
    return shape;
}

} // namespace

int main(int argc, char** argv)
{
    std::string const directory = (argc > 1) ? argv[1] : "data/meshes";
    bool ok = true;
    ok &= unit_sphere(3).write(directory + "/icosphere_3.obj", "Unit sphere, icosahedron subdivided three times");
    ok &= flat_grid().write(directory + "/grid_10x10.obj", "10 x 10 grid over [-1, 1] in the x-z plane, facing +y");
    ok &= grid_cube().write(directory + "/grid_cube.obj", "Surface of [-1, 1]^3, each side a 10 x 10 grid");
    ok &= background_dome().write(directory + "/bg_hemisphere.obj", "Background dome of radius 100 over z = 0");
    ok &= releaser_funnel().write(directory + "/molecule_releaser.obj", "Molecule releaser funnel along +x");
    ok &= tractor_circle().write(directory + "/tractor_circle.obj", "Tractor ring of diameter 1 in the x-z plane");
    return ok ? 0 : 1;
}
