#ifndef WIDGETS_CONSTRAINT_H
#define WIDGETS_CONSTRAINT_H

#include <Eigen/Core>

// Limits where a dragged widget may go. Widgets share their constraints: a copy
// of a widget points to the same objects.
class Constraint
{
public:
    virtual ~Constraint() = default;
    virtual Eigen::Vector3f apply(Eigen::Vector3f const& position) const = 0;
};

// Clamps each coordinate on its own; equal bounds on an axis pin it.
class Range_constraint : public Constraint
{
public:
    Range_constraint(Eigen::Vector3f const& min, Eigen::Vector3f const& max) : _min(min), _max(max) {}

    Eigen::Vector3f apply(Eigen::Vector3f const& position) const override
    {
        return position.cwiseMax(_min).cwiseMin(_max);
    }

    Eigen::Vector3f const& get_min() const { return _min; }
    Eigen::Vector3f const& get_max() const { return _max; }

private:
    Eigen::Vector3f _min;
    Eigen::Vector3f _max;
};

#endif
