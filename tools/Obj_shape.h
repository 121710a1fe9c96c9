#ifndef TOOLS_OBJ_SHAPE_H
#define TOOLS_OBJ_SHAPE_H

#include <Eigen/Core>

#include <string>
#include <vector>

// A polygon model built in code and written as an OBJ file. Every vertex has a
// position, a normal and a texture coordinate under the same index.
class Obj_shape
{
public:
    int add_vertex(Eigen::Vector3f const& position, Eigen::Vector3f const& normal,
                   Eigen::Vector2f const& texture_coordinate = Eigen::Vector2f::Zero());

    // Appends the polygon wound counter-clockwise as seen from the side `outward`
    // points to, whatever order the corners come in.
    void add_face(std::vector<int> corners, Eigen::Vector3f const& outward);

    // A face whose outward side faces away from the origin: for convex solids
    // around the origin.
    void add_convex_face(std::vector<int> const& corners);

    int vertex_count() const { return int(_positions.size()); }
    bool write(std::string const& path, std::string const& comment) const;

private:
    std::vector<Eigen::Vector3f> _positions;
    std::vector<Eigen::Vector3f> _normals;
    std::vector<Eigen::Vector2f> _texture_coordinates;
    std::vector<std::vector<int>> _faces;
};

#endif
