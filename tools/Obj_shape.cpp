#include "tools/Obj_shape.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>

int Obj_shape::add_vertex(Eigen::Vector3f const& position, Eigen::Vector3f const& normal,
                          Eigen::Vector2f const& texture_coordinate)
{
    _positions.push_back(position);
    _normals.push_back(normal.normalized());
    _texture_coordinates.push_back(texture_coordinate);
    return int(_positions.size()) - 1;
}

void Obj_shape::add_face(std::vector<int> corners, Eigen::Vector3f const& outward)
{
    // Newell's normal: right for any planar polygon, convex or not.
    Eigen::Vector3f normal = Eigen::Vector3f::Zero();
    for (size_t i = 0; i < corners.size(); ++i)
        normal += _positions[corners[i]].cross(_positions[corners[(i + 1) % corners.size()]]);
    if (normal.dot(outward) < 0.f) std::reverse(corners.begin(), corners.end());
    _faces.push_back(std::move(corners));
}

void Obj_shape::add_convex_face(std::vector<int> const& corners)
{
    Eigen::Vector3f centre = Eigen::Vector3f::Zero();
    for (int corner : corners) centre += _positions[corner];
    add_face(corners, centre);
}

bool Obj_shape::write(std::string const& path, std::string const& comment) const
{
    std::ofstream out(path);
    if (!out)
    {
        std::cerr << "Cannot write " << path << std::endl;
        return false;
    }
    char line[128];
    out << "# " << comment << "\n";
    for (Eigen::Vector3f const& p : _positions)
    {
        std::snprintf(line, sizeof(line), "v %.6f %.6f %.6f\n", p.x(), p.y(), p.z());
        out << line;
    }
    for (Eigen::Vector2f const& t : _texture_coordinates)
    {
        std::snprintf(line, sizeof(line), "vt %.6f %.6f\n", t.x(), t.y());
        out << line;
    }
    for (Eigen::Vector3f const& n : _normals)
    {
        std::snprintf(line, sizeof(line), "vn %.6f %.6f %.6f\n", n.x(), n.y(), n.z());
        out << line;
    }
    for (std::vector<int> const& face : _faces)
    {
        out << "f";
        for (int corner : face) out << " " << corner + 1 << "/" << corner + 1 << "/" << corner + 1;
        out << "\n";
    }
    out.flush();
    if (!out)
    {
        std::cerr << "Cannot write " << path << std::endl;
        return false;
    }
    std::cout << path << ": " << _positions.size() << " vertices, " << _faces.size() << " faces" << std::endl;
    return true;
}
