#include "widgets/Draggable_statistics.h"

#include "foundation/Random.h"

#include <algorithm>

Draggable_statistics::Draggable_statistics(Eigen::Vector3f const& position, Eigen::Vector2f const& size,
                                           std::string const& text)
    : Draggable_label(position, size, text)
{
}

void Draggable_statistics::animate(float dt)
{
    _time = std::min(_time + dt, _duration + 0.001f);
    _particles.update(dt);
    if (_time > _duration && _finished_callback) _finished_callback();
}

void Draggable_statistics::init_particles(std::vector<float> const& values, boost::optional<float> const& min,
                                          boost::optional<float> const& max)
{
    _values = values;
    _particles = Curve_particle_system();
    if (values.empty())
    {
        _min_value = _max_value = 0.f;
        return;
    }

    auto const [smallest, largest] = std::minmax_element(values.begin(), values.end());
    _min_value = min && max ? *min : *smallest;
    _max_value = min && max ? *max : *largest;
    float const span = std::max(_max_value - _min_value, 1e-5f);

    std::vector<Eigen::Vector3f> points;
    if (values.size() == 1)
    {
        float const height = (values.front() - _min_value) / span;
        points = {Eigen::Vector3f(0.f, height, 0.f), Eigen::Vector3f(1.f, height, 0.f)};
    }
    else
    {
        float const last = float(values.size() - 1);
        for (size_t i = 0; i < values.size(); ++i)
            points.emplace_back(float(i) / last, (values[i] - _min_value) / span, 0.f);
    }

    _particles = Curve_particle_system(points, _duration);
    _particles.set_rate(0.2f);
    _particles.set_size_factor(0.5f);
    Color4 const glow(1.f, 0.2f + 0.26f * rand_unit(), 0.05f, 1.f);
    _particles.set_start_color(glow);
    _particles.set_end_color(glow);
}

void Draggable_statistics::restart()
{
    _time = 0.f;
    _particles.reset();
}
