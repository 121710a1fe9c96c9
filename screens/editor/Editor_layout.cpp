#include "screens/editor/Editor_layout.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <map>

namespace
{

int const fewest_decimals = 2;
int const most_decimals = 6;

std::string const right_click_hint = "\n(Right click for numerical input)";

// The fewest decimals that write the value to within a millionth of itself.
int decimals_of(float value)
{
    for (int decimals = 0; decimals < most_decimals; ++decimals)
    {
        double const scale = std::pow(10.0, decimals);
        double const rounded = std::round(double(value) * scale) / scale;
        if (std::abs(rounded - double(value)) <= 1e-6 * std::max(1.0, std::abs(double(value)))) return decimals;
    }
    return most_decimals;
}

} // namespace

std::string get_element_tooltip(std::string const& name)
{
    static std::map<std::string, std::string> const tooltips{
        {"H2O", "Water molecule"},
        {"Na", "Positively charged sodium atom (Na+)"},
        {"Cl", "Negatively charged chlorine atom (Cl-)"},
        {"Box_barrier", "Blocking box which repels molecules"},
        {"Brownian_box", "Heating/cooling element allowing to add or remove heat locally"},
        {"Box_portal", "Box portal to capture molecules"},
        {"Sphere_portal", "Sphere portal to capture molecules"},
        {"Molecule_releaser", "Element that releases molecules"},
        {"Charged_barrier", "Charged box to attract/repel charged molecules (like Na+ and Cl-)"},
        {"Tractor_barrier", "Pushing/pulling element to move molecules along a direction"},
    };
    auto const found = tooltips.find(name);
    return found == tooltips.end() ? std::string() : found->second;
}

std::vector<std::string> const& editor_molecule_names()
{
    static std::vector<std::string> const names{"H2O", "Na", "Cl"};
    return names;
}

std::vector<Palette_entry> editor_palette(std::vector<std::string> const& element_kinds, float aspect)
{
    Eigen::Vector2f const size(0.04f, 0.04f * aspect);
    std::vector<Palette_entry> palette;
    auto const add = [&](std::string const& name, bool molecule) {
        float const x = 0.05f + 0.06f * float(palette.size());
        std::string tooltip = get_element_tooltip(name);
        if (molecule) tooltip += "\n(Right click for number to be added)";
        palette.push_back({name, molecule, "textures/button_" + name + ".png", tooltip, Eigen::Vector3f(x, 0.95f, 0.f),
                           size, Eigen::Vector3f(x, 0.85f, 0.f), Eigen::Vector2f(0.04f, 0.1f)});
    };
    for (std::string const& kind : element_kinds) add(kind, false);
    for (std::string const& molecule : editor_molecule_names()) add(molecule, true);
    return palette;
}

std::vector<Editor_icon_button> editor_icon_buttons(float aspect)
{
    Eigen::Vector2f const size(0.04f, 0.04f * aspect);
    return {
        {Editor_icon_button::Toggle_simulation, "textures/button_play.png", "Pause/continue the simulation",
         Eigen::Vector3f(0.95f, 0.95f, 0.f), size},
        {Editor_icon_button::Reset_camera, "textures/button_reset_camera.png", "Reset the camera",
         Eigen::Vector3f(0.89f, 0.95f, 0.f), size},
        {Editor_icon_button::Change_speed, "textures/button_change_speed.png", "Change game speed",
         Eigen::Vector3f(0.83f, 0.95f, 0.f), size},
    };
}

std::vector<Editor_text_button> editor_text_buttons(float aspect)
{
    Eigen::Vector2f const size(0.15f, 0.05f * aspect);
    auto const at = [](float x) { return Eigen::Vector3f(x, 0.05f, 0.f); };
    typedef Editor_text_button B;
    return {
        {B::Hide_controls, "Hide Controls", "", at(0.1f), size, Editor_group::Controls},
        {B::Show_controls, "Show Controls", "", at(0.1f), size, Editor_group::Show_controls},
        {B::Reset, "Reset", "Reset and delete all non-persistent elements", at(0.27f), size, Editor_group::Controls},
        {B::Clear, "Clear", "Delete all elements", at(0.44f), size, Editor_group::Controls},
        {B::Show_advanced, "Show Adv. Options",
         "Show advanced options, useful for playable level design and more fun in general", at(0.61f), size,
         Editor_group::Show_advanced},
        {B::Hide_advanced, "Hide Adv. Options", "", at(0.61f), size, Editor_group::Hide_advanced},
        {B::Load_defaults, "Load Defaults", "Load default settings", at(0.78f), size, Editor_group::Controls},
    };
}

std::vector<Editor_slider> editor_sliders()
{
    struct Row
    {
        char const* name;
        char const* parameter;
        bool in_core_list;
        float y;
        char const* image;
        char const* tooltip;
        bool advanced;
    };
    Row const rows[] = {
        {"Temperature", "Temperature", false, 0.88f, "temperature",
         "Overall temperature control, things start moving fast and randomly when it is hot", false},
        {"Damping", "Damping", false, 0.83f, "damping", "Damping, controls how quickly moving objects lose their speed",
         false},
        {"Gravity", "gravity", false, 0.78f, "gravity", "Gravity, controls how fast the apple falls", false},
        {"Mass Factor", "Mass Factor", true, 0.67f, "mass", "Mass, controls the relative mass of the atoms", true},
        {"Coulomb Force", "Atomic Force Type/Coulomb Force/Strength", true, 0.62f, "coulomb",
         "Coulomb Force, controls the strength of electric attraction and repulsion between molecules", true},
        {"Van der Waals Force", "Atomic Force Type/Van der Waals Force/Strength", true, 0.57f, "waals",
         "Van der Waals Potential, controls the strength of attraction between chargeless molecules", true},
        {"Game Field Width", "Game Field Width", false, 0.52f, "width", "Width of the containing box", true},
        {"Game Field Height", "Game Field Height", false, 0.47f, "height", "Height of the containing box", true},
    };
    std::vector<Editor_slider> sliders;
    for (Row const& row : rows)
        sliders.push_back({row.name, row.parameter, row.in_core_list,
                           std::string("textures/slider_") + row.image + ".png", row.tooltip + right_click_hint,
                           Eigen::Vector3f(0.93f, row.y, 0.f), Eigen::Vector2f(0.1f, 0.05f), row.advanced});
    return sliders;
}

Editor_label advanced_controls_label()
{
    return {"Adv. Controls:", Eigen::Vector3f(0.9f, 0.71f, 0.f), Eigen::Vector2f(0.15f, 0.07f)};
}

bool Editor_view::shows(Editor_group group) const
{
    switch (group)
    {
    case Editor_group::Controls:
        return _controls;
    case Editor_group::Advanced:
        return _controls && _advanced;
    case Editor_group::Show_controls:
        return !_controls;
    case Editor_group::Show_advanced:
        return _controls && !_advanced;
    case Editor_group::Hide_advanced:
        return _controls && _advanced;
    }
    return false;
}

void Editor_view::hide_controls()
{
    _controls = false;
    _advanced = false;
}

void Editor_view::show_controls()
{
    _controls = true;
    _advanced = false;
}

void Editor_view::show_advanced()
{
    _advanced = true;
}

void Editor_view::hide_advanced()
{
    _advanced = false;
}

std::string slider_menu_text(std::string const& name, float min, float max)
{
    return name + " " + QString("(Min: %1, Max: %2)").arg(double(min)).arg(double(max)).toStdString();
}

int decimals_for_range(float min, float max)
{
    double const step = std::abs(double(max) - double(min)) / 1000.0;
    int decimals = fewest_decimals;
    if (step > 0.0) decimals = std::max(decimals, int(std::ceil(-std::log10(step) - 1e-9)));
    decimals = std::max({decimals, decimals_of(min), decimals_of(max)});
    return std::min(decimals, most_decimals);
}
