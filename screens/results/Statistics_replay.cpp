#include "screens/results/Statistics_replay.h"

#include "gl/Polyline.h"
#include "simulation/Score.h"

std::vector<Plot_item> statistics_plots()
{
    Eigen::Vector2f const size(0.45f, 0.35f);
    return {{"Released Molecules", {0.25f, 0.775f, 0.f}, size, Sensor_data::Released_molecules},
            {"Collected Molecules", {0.75f, 0.775f, 0.f}, size, Sensor_data::Collected_molecules},
            {"Avg. Temperature", {0.25f, 0.375f, 0.f}, size, Sensor_data::Average_temperature},
            {"Energy Consumption", {0.75f, 0.375f, 0.f}, size, Sensor_data::Energy_consumption}};
}

std::vector<Menu_item> statistics_buttons()
{
    return {button("Back", 0.5f, 0.1f, 0.25f, 0.1f, Menu_item::Back),
            button("Repeat", 0.25f, 0.1f, 0.25f, 0.1f, Menu_item::Repeat)};
}

std::vector<std::vector<float>> plot_series(Sensor_data const& data)
{
    std::vector<std::vector<float>> series(4);
    for (size_t i = 0; i < series.size() && i < data._data.size(); ++i) series[i] = data._data[i];
    return series;
}

float replay_run_time(float screen_time, float plot_duration, float full_time)
{
    return plot_duration > 0.f ? screen_time / plot_duration * full_time : full_time;
}

Eigen::Vector3f plot_area_point(Eigen::Vector3f const& plot_position, Eigen::Vector2f const& plot_size,
                                Eigen::Vector2f const& unit_point)
{
    float const w = plot_size.x();
    float const h = plot_size.y();
    Eigen::Vector3f const corner(plot_position.x() - 0.5f * w + 0.1f * w, plot_position.y() - 0.5f * h + 0.15f * h,
                                 plot_position.z());
    return corner + Eigen::Vector3f(unit_point.x() * 0.8f * w, unit_point.y() * 0.6f * h, 0.f);
}

std::vector<Capture_popup> capture_popups(Score const& score, Polyline const& curve,
                                          Eigen::Vector3f const& plot_position, Eigen::Vector2f const& plot_size,
                                          float plot_duration)
{
    std::vector<Capture_popup> popups;
    for (auto const& [time, points] : score.score_at_time)
    {
        float const x = score.full_time > 0.f ? time / score.full_time : 0.f;
        // A curve without length is drawn at once: its pop-ups come at the start.
        float const popup_time =
            curve.get_length() > 0.f ? curve.length_at(x) * plot_duration / curve.get_length() : 0.f;
        Eigen::Vector3f const on_curve = curve.point_at_x(x);
        popups.push_back({popup_time, plot_area_point(plot_position, plot_size, on_curve.head<2>()), points});
    }
    return popups;
}

int capture_score_shown(std::vector<Capture_popup> const& popups, float screen_time)
{
    int sum = 0;
    for (Capture_popup const& popup : popups)
    {
        if (popup.time <= screen_time) sum += popup.points;
    }
    return sum;
}

int energy_bonus_at(Score const& score, float run_time)
{
    std::vector<int> const& running = score.sensor_data.score;
    float const interval = score.sensor_data.interval;
    long const index = interval > 0.f && run_time > 0.f ? long(run_time / interval) : 0;
    if (index < long(running.size())) return running[size_t(index)];
    return score._energy_bonus;
}
