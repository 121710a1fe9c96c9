#include "app/Camera_flight.h"

#include "simulation/Level_data.h"
#include "simulation/Plane_barrier.h"

#include <algorithm>
#include <cmath>

qglviewer::Frame camera_flight_target(Level_data const& level, int screen_width, int screen_height)
{
    auto const border = [&level](Level_data::Plane plane) {
        return level._game_field_borders.at(plane)->get_position();
    };

    float const extent_x = border(Level_data::X_max).x() - border(Level_data::X_min).x();
    float const extent_y = border(Level_data::Y_max).y() - border(Level_data::Y_min).y();
    float const extent_z = border(Level_data::Z_max).z() - border(Level_data::Z_min).z();

    float const quarter_pi = float(M_PI) / 4.f;
    float const aspect = screen_width > 0 ? float(screen_height) / float(screen_width) : 1.f;
    float const distance_for_height = (extent_z + 50.f) * 0.5f / std::tan(quarter_pi * aspect);
    float const distance_for_width = (extent_x + 50.f) * 0.5f / std::tan(quarter_pi);
    float const distance = std::max(distance_for_height, distance_for_width);

    qglviewer::Vec const position(0.f, -distance - extent_y * 0.5f,
                                  (border(Level_data::Z_max).z() + border(Level_data::Z_min).z()) * 0.5f);
    qglviewer::Quaternion const looking_along_y(qglviewer::Vec(1.0, 0.0, 0.0), M_PI / 2.0);
    return qglviewer::Frame(position, looking_along_y);
}
