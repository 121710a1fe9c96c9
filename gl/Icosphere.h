#ifndef GL_ICOSPHERE_H
#define GL_ICOSPHERE_H

#include <Eigen/Core>

#include <vector>

// A unit sphere subdivided from the icosahedron. All levels share one vertex
// list (level n uses the first vertices up to its own midpoints), so any level
// draws without rebuilding. Triangles wind so that (c - a) x (b - a) points
// outward.
class Icosphere
{
public:
    // Levels 0 (the icosahedron) to `levels`, the finest with 20 x 4^levels triangles.
    explicit Icosphere(int levels);

    // Appends the next finer level.
    void subdivide();
    // Each vertex gets the outward normal of the last triangle of the finest level using it.
    void compute_normals();

    // Client-side arrays with the current fixed-function state. A negative level,
    // or one finer than built, draws the finest.
    void draw(int level = -1) const;

    int get_num_levels() const { return int(_indices.size()); }
    std::vector<Eigen::Vector3f> const& get_vertices() const { return _vertices; }
    std::vector<Eigen::Vector3f> const& get_smooth_normals() const { return _smooth_normals; }
    std::vector<Eigen::Vector3f> const& get_flat_normals() const { return _flat_normals; }
    // One colour per vertex makes draw use them; empty as built.
    std::vector<Eigen::Vector3f>& get_colors() { return _colors; }
    std::vector<int> const& get_indices(int level) const { return _indices[level]; }

private:
    std::vector<Eigen::Vector3f> _vertices;
    std::vector<Eigen::Vector3f> _smooth_normals;
    std::vector<Eigen::Vector3f> _colors;
    std::vector<Eigen::Vector3f> _flat_normals;
    std::vector<std::vector<int>> _indices;
    std::vector<int> _level_flags;
};

#endif
