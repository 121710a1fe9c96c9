#include "rendering/Level_view.h"

#include "simulation/Level_data.h"

#include <algorithm>
#include <cmath>

void frame_game_field(qglviewer::Camera& camera, Level_data const& level)
{
    Eigen::Vector3f low(-level._game_field_width / 2.f, -20.f, -level._game_field_height / 2.f);
    Eigen::Vector3f high = -low;
    if (level.has_game_field_borders())
    {
        auto const at = [&level](Level_data::Plane plane) {
            return level._game_field_borders.at(plane)->get_position();
        };
        low = Eigen::Vector3f(at(Level_data::X_min).x(), at(Level_data::Y_min).y(), at(Level_data::Z_min).z());
        high = Eigen::Vector3f(at(Level_data::X_max).x(), at(Level_data::Y_max).y(), at(Level_data::Z_max).z());
    }
    Eigen::Vector3f const extent = high - low;

    double const quarter_turn = M_PI / 4.0;
    double const aspect = double(camera.screenHeight()) / double(std::max(1, camera.screenWidth()));
    double const for_height = (extent.z() + 50.0) * 0.5 / std::tan(quarter_turn * aspect);
    double const for_width = (extent.x() + 50.0) * 0.5 / std::tan(quarter_turn);
    double const distance = std::max(for_height, for_width);

    camera.setPosition(qglviewer::Vec(0.0, -distance - extent.y() * 0.5, (high.z() + low.z()) * 0.5));
    camera.setOrientation(qglviewer::Quaternion(qglviewer::Vec(1.0, 0.0, 0.0), M_PI / 2.0));
}
