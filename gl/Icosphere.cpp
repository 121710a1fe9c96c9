#include "gl/Icosphere.h"

#include "gl/Compatibility_functions.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cstdint>
#include <unordered_map>

Icosphere::Icosphere(int levels)
{
    float const a = 0.5257311f;
    float const b = 0.8506508f;
    _vertices = {{-a, 0.f, b}, {a, 0.f, b},   {-a, 0.f, -b}, {a, 0.f, -b}, {0.f, b, a},  {0.f, b, -a},
                 {0.f, -b, a}, {0.f, -b, -a}, {b, a, 0.f},   {-b, a, 0.f}, {b, -a, 0.f}, {-b, -a, 0.f}};
    _indices.push_back({0,  4, 1, 0, 9, 4, 9, 5,  4, 4, 5,  8,  4,  8, 1, 8,  10, 1,  8, 3,
                        10, 5, 3, 8, 5, 2, 3, 2,  7, 3, 7,  10, 3,  7, 6, 10, 7,  11, 6, 11,
                        0,  6, 0, 1, 6, 6, 1, 10, 9, 0, 11, 9,  11, 2, 9, 2,  5,  7,  2, 11});
    _level_flags.push_back(0);

    while (get_num_levels() <= levels) subdivide();

    _smooth_normals = _vertices;
    compute_normals();
}

void Icosphere::subdivide()
{
    _indices.emplace_back();
    std::vector<int> const& source = _indices[_indices.size() - 2];
    std::vector<int>& target = _indices.back();
    target.reserve(source.size() * 4);

    std::unordered_map<std::uint64_t, int> midpoints;
    auto midpoint = [&](int i, int j) {
        std::uint64_t const key = (std::uint64_t(std::min(i, j)) << 32) | std::uint64_t(std::uint32_t(std::max(i, j)));
        auto const found = midpoints.find(key);
        if (found != midpoints.end()) return found->second;
        int const index = int(_vertices.size());
        Eigen::Vector3f const point = (_vertices[i] + _vertices[j]).normalized();
        _vertices.push_back(point);
        midpoints.emplace(key, index);
        return index;
    };

    for (size_t t = 0; t + 2 < source.size(); t += 3)
    {
        int const a0 = source[t], a1 = source[t + 1], a2 = source[t + 2];
        int const m0 = midpoint(a0, a1);
        int const m1 = midpoint(a1, a2);
        int const m2 = midpoint(a2, a0);
        target.insert(target.end(), {a0, m0, m2, a1, m1, m0, a2, m2, m1, m0, m1, m2});
    }
    _level_flags.push_back(0);
}

void Icosphere::compute_normals()
{
    _flat_normals.assign(_vertices.size(), Eigen::Vector3f::Zero());
    for (std::vector<int> const& level : _indices)
    {
        for (size_t t = 0; t + 2 < level.size(); t += 3)
        {
            Eigen::Vector3f const& a = _vertices[level[t]];
            Eigen::Vector3f const& b = _vertices[level[t + 1]];
            Eigen::Vector3f const& c = _vertices[level[t + 2]];
            Eigen::Vector3f const n = (c - a).cross(b - a).normalized();
            for (int k = 0; k < 3; ++k) _flat_normals[level[t + k]] = n;
        }
    }
}

void Icosphere::draw(int level) const
{
    QOpenGLFunctions_3_3_Compatibility* f = current_compatibility_functions();
    if (!f) return;
    int const finest = get_num_levels() - 1;
    if (level < 0 || level > finest) level = finest;
    std::vector<int> const& indices = _indices[level];

    Client_array_scope const scope(*f);
    f->glEnableClientState(GL_VERTEX_ARRAY);
    f->glVertexPointer(3, GL_FLOAT, 0, _vertices.data());
    // A subdivide without compute_normals leaves the normals short.
    if (_flat_normals.size() == _vertices.size())
    {
        f->glEnableClientState(GL_NORMAL_ARRAY);
        f->glNormalPointer(GL_FLOAT, 0, _flat_normals.data());
    }
    if (_colors.size() == _vertices.size())
    {
        f->glEnableClientState(GL_COLOR_ARRAY);
        f->glColorPointer(3, GL_FLOAT, 0, _colors.data());
    }
    f->glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_INT, indices.data());
}
