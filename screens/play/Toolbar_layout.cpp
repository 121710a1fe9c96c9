#include "screens/play/Toolbar_layout.h"

#include "simulation/Level_data.h"

#include <algorithm>
#include <cmath>

namespace
{

bool is_element_kind(std::string const& kind)
{
    std::vector<std::string> const& kinds = Level_data::available_element_kinds();
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

} // namespace

std::string element_button_image(std::string const& kind)
{
    return "textures/button_" + kind + ".png";
}

std::vector<Toolbar_button> toolbar_layout(std::map<std::string, int> const& available, float aspect)
{
    Eigen::Vector2f const size(0.04f, 0.04f * aspect);
    std::vector<Toolbar_button> buttons;
    int k = 0;
    for (auto const& [kind, count] : available)
    {
        if (count < 1 || !is_element_kind(kind)) continue;
        buttons.push_back({Toolbar_button::Place_element, kind, count, element_button_image(kind), "",
                           Eigen::Vector3f(0.05f + 0.06f * float(k++), 0.95f, 0.f), size});
    }
    buttons.push_back({Toolbar_button::Reset_camera, "", 0, "textures/button_reset_camera.png", "Reset the camera",
                       Eigen::Vector3f(0.95f, 0.95f, 0.f), size});
    buttons.push_back({Toolbar_button::Change_speed, "", 0, "textures/button_change_speed.png", "Change game speed",
                       Eigen::Vector3f(0.89f, 0.95f, 0.f), size});
    return buttons;
}

std::vector<std::string> unknown_element_kinds(std::map<std::string, int> const& available)
{
    std::vector<std::string> unknown;
    for (auto const& entry : available)
        if (!is_element_kind(entry.first)) unknown.push_back(entry.first);
    return unknown;
}

float next_game_speed(float speed)
{
    float const doubled = std::round(speed * 2.f);
    return doubled > 2.1f ? 1.f : doubled;
}
