#ifndef SCREENS_PLAY_TOOLBAR_LAYOUT_H
#define SCREENS_PLAY_TOOLBAR_LAYOUT_H

#include <Eigen/Core>

#include <map>
#include <string>
#include <vector>

// One button of the play screen's toolbar, in normalised screen coordinates:
// position is the centre, size the full width and height.
struct Toolbar_button
{
    enum Action
    {
        Place_element,
        Reset_camera,
        Change_speed
    };

    Action action;
    std::string element; // the kind a Place_element button places
    int count;           // painted on a Place_element button
    std::string image;   // relative to a data directory
    std::string tooltip;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
};

// "textures/button_" + the kind + ".png".
std::string element_button_image(std::string const& kind);

// A button for each kind the level offers at least once, left to right in the
// map's order, then the reset-camera and speed buttons on the right. Kinds that
// no button stands for are left out. `aspect` is the window's width / height,
// which keeps the buttons square.
std::vector<Toolbar_button> toolbar_layout(std::map<std::string, int> const& available, float aspect);

// The kinds of the map that are none of the level's element kinds.
std::vector<std::string> unknown_element_kinds(std::map<std::string, int> const& available);

// What the speed button makes of the physics speed: double it, rounded to a
// whole number, and back to 1 past 2. So it toggles between 1 and 2.
float next_game_speed(float speed);

#endif
