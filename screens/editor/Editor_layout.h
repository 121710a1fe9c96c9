#ifndef SCREENS_EDITOR_EDITOR_LAYOUT_H
#define SCREENS_EDITOR_EDITOR_LAYOUT_H

#include <Eigen/Core>

#include <string>
#include <vector>

// What the sandbox editor shows and where, decided without any GL. Positions
// are widget centres and sizes full widths and heights in normalised window
// coordinates (origin bottom-left); `aspect` is the window's width / height,
// which keeps the square buttons square.

// The palette's tooltip for an element kind or molecule; empty for any other name.
std::string get_element_tooltip(std::string const& name);

// "H2O", "Na", "Cl": the molecules the palette offers, in its order.
std::vector<std::string> const& editor_molecule_names();

struct Palette_entry
{
    std::string name;
    bool molecule;
    std::string image;
    std::string tooltip;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
    // Where the spin box for the count a player gets sits (elements only).
    Eigen::Vector3f count_position;
    Eigen::Vector2f count_size;
};

// One button for each element kind, in the given order, then one for each
// molecule; left to right along the top.
std::vector<Palette_entry> editor_palette(std::vector<std::string> const& element_kinds, float aspect);

struct Editor_icon_button
{
    enum Action
    {
        Toggle_simulation,
        Reset_camera,
        Change_speed
    };

    Action action;
    std::string image;
    std::string tooltip;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
};

// The play, reset-camera and speed buttons, right to left from the top-right corner.
std::vector<Editor_icon_button> editor_icon_buttons(float aspect);

// Which of the editor's widgets a visibility rule applies to.
enum class Editor_group
{
    Controls,
    Advanced,
    Show_controls,
    Show_advanced,
    Hide_advanced
};

struct Editor_text_button
{
    enum Action
    {
        Hide_controls,
        Show_controls,
        Reset,
        Clear,
        Show_advanced,
        Hide_advanced,
        Load_defaults
    };

    Action action;
    std::string text;
    std::string tooltip;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
    Editor_group group;
};

// The row of text buttons along the bottom; a button and the one that undoes it
// share a place, and only one of them is ever shown.
std::vector<Editor_text_button> editor_text_buttons(float aspect);

struct Editor_slider
{
    std::string name;
    // The parameter's path in the level's "Level Data" list, or in Core's list.
    std::string parameter;
    bool in_core_list;
    std::string image;
    std::string tooltip;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
    bool advanced;
};

// The parameter sliders down the right edge: the level's first, then the
// advanced ones below the "Adv. Controls:" label.
std::vector<Editor_slider> editor_sliders();

struct Editor_label
{
    std::string text;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
};

Editor_label advanced_controls_label();

// Whether the controls, and within them the advanced options, are shown; every
// widget's visibility follows from its group.
class Editor_view
{
public:
    bool shows(Editor_group group) const;

    // The advanced options collapse whenever the controls are hidden, so
    // showing the controls again opens them collapsed.
    void hide_controls();
    void show_controls();
    void show_advanced();
    void hide_advanced();

    bool controls_shown() const { return _controls; }
    bool advanced_shown() const { return _advanced; }

private:
    bool _controls = true;
    bool _advanced = false;
};

// The text of the exact-value menu of a slider: the name, then its range.
std::string slider_menu_text(std::string const& name, float min, float max);

// Decimals for typing a value of the range: a thousandth of the range, and the
// bounds themselves, must be representable; never fewer than 2.
int decimals_for_range(float min, float max);

#endif
