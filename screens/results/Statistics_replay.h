#ifndef SCREENS_RESULTS_STATISTICS_REPLAY_H
#define SCREENS_RESULTS_STATISTICS_REPLAY_H

#include "screens/menus/Menu_items.h"

#include <Eigen/Core>

#include <string>
#include <vector>

class Polyline;
class Score;
class Sensor_data;

// The statistics screen's replay of one run, without any GL: the screen plays
// the whole run in `plot_duration` seconds of its own time.

struct Plot_item
{
    std::string title;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
    int series;
};
// The four plots in the order they are created.
std::vector<Plot_item> statistics_plots();
// "Back" and "Repeat".
std::vector<Menu_item> statistics_buttons();

// Always the four series, whatever a stored run holds: missing ones are empty.
std::vector<std::vector<float>> plot_series(Sensor_data const& data);

// The run's time that the replay shows at the screen's time.
float replay_run_time(float screen_time, float plot_duration, float full_time);

// A capture's points flashing up where the drawn "Collected Molecules" curve
// reaches the capture, at the moment the drawing gets there.
struct Capture_popup
{
    float time;
    Eigen::Vector3f position;
    int points;
};
// `curve` is that plot's curve in its unit square, `plot_position` and
// `plot_size` the plot's place on the screen.
std::vector<Capture_popup> capture_popups(Score const& score, Polyline const& curve,
                                          Eigen::Vector3f const& plot_position, Eigen::Vector2f const& plot_size,
                                          float plot_duration);
// Where the plot draws a point of its unit square.
Eigen::Vector3f plot_area_point(Eigen::Vector3f const& plot_position, Eigen::Vector2f const& plot_size,
                                Eigen::Vector2f const& unit_point);

// The capture points whose pop-ups have come by the screen's time. Counting by
// the run's time instead would lag behind the pop-ups, which follow the drawn
// curve's length, and end short of the run's capture score.
int capture_score_shown(std::vector<Capture_popup> const& popups, float screen_time);
// The running score at the run time. A stored run keeps no running score, so
// past what there is the run's energy bonus stands.
int energy_bonus_at(Score const& score, float run_time);

#endif
