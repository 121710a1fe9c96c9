#include "gl/Polyline.h"

#include <algorithm>

namespace
{

float const start_threshold = 0.0001f;

} // namespace

int Polyline::add_point(Eigen::Vector3f const& point)
{
    // The argument may refer into _points itself, which push_back can move.
    Eigen::Vector3f const copy = point;
    _points.push_back(copy);
    return int(_points.size()) - 1;
}

void Polyline::update_lengths()
{
    _cumulative_lengths.assign(1, 0.f);
    _cumulative_x.assign(1, 0.f);
    _length = 0.f;
    _total_x = 0.f;
    for (size_t i = 1; i < _points.size(); ++i)
    {
        _length += (_points[i] - _points[i - 1]).norm();
        _cumulative_lengths.push_back(_length);
        _total_x += _points[i].x() - _points[i - 1].x();
        _cumulative_x.push_back(_total_x);
    }
}

std::pair<int, float> Polyline::locate(std::vector<float> const& table, float total, float t) const
{
    int const count = int(_points.size());
    if (t < start_threshold || count < 2 || !(total > 0.f) || int(table.size()) != count) return {-1, 0.f};

    float const target = t * total;
    int const i = int(std::lower_bound(table.begin(), table.end(), target) - table.begin());
    if (i >= count) return {count, 0.f};

    // lower_bound guarantees table[i - 1] < target <= table[i], so no division by 0.
    float const f_i = table[i] / total;
    float const f_previous = table[i - 1] / total;
    return {i, (f_i - t) / (f_i - f_previous)};
}

Eigen::Vector3f Polyline::point_on(std::vector<float> const& table, float total, float t) const
{
    if (_points.empty()) return Eigen::Vector3f::Zero();
    auto const [i, w] = locate(table, total, t);
    if (i < 0) return _points.front();
    if (i >= int(_points.size())) return _points.back();
    return w * _points[i - 1] + (1.f - w) * _points[i];
}

Eigen::Vector3f Polyline::point_at(float t) const
{
    return point_on(_cumulative_lengths, _length, t);
}

Eigen::Vector3f Polyline::point_at_x(float t) const
{
    return point_on(_cumulative_x, _total_x, t);
}

std::pair<int, float> Polyline::find_segment(float t) const
{
    if (t < start_threshold || !has_length() || _cumulative_lengths.size() != _points.size()) return {0, 0.f};

    int const last = int(_points.size()) - 1;
    int index = 0;
    while (index < last && t >= _cumulative_lengths[index] / _length) ++index;
    if (index == last) return {index, 0.f};

    float const f_index = _cumulative_lengths[index] / _length;
    float const f_previous = _cumulative_lengths[index - 1] / _length;
    return {index, 1.f - (f_index - t) / (f_index - f_previous)};
}

Eigen::Vector3f Polyline::direction_at(float t) const
{
    if (_points.size() < 2) return Eigen::Vector3f::UnitX();
    int i = find_segment(t).first;
    if (i == 0) i = 1;
    return (_points[i] - _points[i - 1]).normalized();
}

float Polyline::length_at(float t) const
{
    auto const [i, w] = locate(_cumulative_x, _total_x, t);
    if (i < 0) return 0.f;
    if (i >= int(_points.size())) return _length;
    return w * _cumulative_lengths[i - 1] + (1.f - w) * _cumulative_lengths[i];
}
