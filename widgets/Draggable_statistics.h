#ifndef WIDGETS_DRAGGABLE_STATISTICS_H
#define WIDGETS_DRAGGABLE_STATISTICS_H

#include "gl/Curve_particle_system.h"
#include "widgets/Draggable_label.h"

#include <boost/optional.hpp>

#include <functional>
#include <vector>

// A plot of one series that draws itself as a glowing curve over `_duration`
// seconds. Its texture holds the frame, title, axis numbers and grid.
class Draggable_statistics : public Draggable_label
{
public:
    enum Value_format
    {
        Plain_number = 0,
        Percentage = 2,
        No_numbers = 3
    };

    Draggable_statistics(Eigen::Vector3f const& position, Eigen::Vector2f const& size, std::string const& text);

    // Runs the finished callback on every frame once the curve is complete.
    void animate(float dt) override;

    // The curve through the values, scaled to the given range or, without one,
    // to the values' own. No values give no curve, one value a flat line.
    void init_particles(std::vector<float> const& values, boost::optional<float> const& min = boost::none,
                        boost::optional<float> const& max = boost::none);

    void set_duration(float duration) { _duration = duration; }
    float get_duration() const { return _duration; }
    // Draws the curve again from its start.
    void restart();

    bool has_data() const { return !_values.empty(); }
    std::vector<float> const& get_values() const { return _values; }
    // The range the curve was scaled to; 0 and 0 before any values.
    float get_min_value() const { return _min_value; }
    float get_max_value() const { return _max_value; }
    float get_time() const { return _time; }
    Curve_particle_system const& get_particles() const { return _particles; }

    int get_value_format() const { return _value_format; }
    void set_value_format(int format) { _value_format = format; }
    void set_finished_callback(std::function<void()> const& callback) { _finished_callback = callback; }

private:
    float _time = 0.f;
    float _duration = 10.f;
    std::vector<float> _values;
    float _max_value = 0.f;
    float _min_value = 0.f;
    Curve_particle_system _particles;
    int _value_format = Plain_number;
    std::function<void()> _finished_callback;
};

#endif
