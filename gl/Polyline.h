#ifndef GL_POLYLINE_H
#define GL_POLYLINE_H

#include <Eigen/Core>

#include <utility>
#include <vector>

// A 3D curve through a list of points, parametrised either by the fraction of
// its arc length or by the fraction of its (signed) extent along x. Call
// update_lengths after adding points.
class Polyline
{
public:
    // Returns the index of the new point.
    int add_point(Eigen::Vector3f const& point);
    void update_lengths();

    std::vector<Eigen::Vector3f> const& get_points() const { return _points; }
    float get_length() const { return _length; }
    float get_total_x() const { return _total_x; }

    // t is a fraction of the total length; below 0.0001 the first point, past 1
    // the last. A curve without length answers with its first point.
    Eigen::Vector3f point_at(float t) const;
    // The same with t a fraction of the total x.
    Eigen::Vector3f point_at_x(float t) const;

    // (index i, fraction f) of the segment from point i - 1 to point i that holds
    // the length fraction t; the last segment reports (last index, 0).
    std::pair<int, float> find_segment(float t) const;

    // Unit direction of the segment that holds the length fraction t; (1, 0, 0)
    // for a curve without segments.
    Eigen::Vector3f direction_at(float t) const;

    // Arc length travelled when the curve reaches the x fraction t: 0 below
    // 0.0001, the total length past the end.
    float length_at(float t) const;

private:
    // Where the fraction t of a cumulative table lies: the index i of the
    // segment's end point and the weight of point i - 1. Index -1 means "before
    // the start", the point count "past the end".
    std::pair<int, float> locate(std::vector<float> const& table, float total, float t) const;
    Eigen::Vector3f point_on(std::vector<float> const& table, float total, float t) const;
    bool has_length() const { return _points.size() >= 2 && _length > 0.f; }

    std::vector<Eigen::Vector3f> _points;
    std::vector<float> _cumulative_lengths;
    float _length = 0.f;
    std::vector<float> _cumulative_x;
    float _total_x = 0.f;
};

#endif
