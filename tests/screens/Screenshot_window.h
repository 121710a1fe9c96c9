#ifndef TESTS_SCREENS_SCREENSHOT_WINDOW_H
#define TESTS_SCREENS_SCREENSHOT_WINDOW_H

#include "app/My_viewer.h"
#include "simulation/Core.h"

#include "support/Scratch_data_tree.h"

#include <QString>

class Draggable_label;

// The game's window over a scratch copy of what the screens need, for the
// harnesses that render screens to PNG files under Xvfb.
class Screenshot_window
{
public:
    Screenshot_window();

    // Shows the window and readies the widget painter; false when no window came up.
    bool open();
    // The station picture, blurred and dimmed, as the hidden play screen shows it.
    void push_backdrop();
    // Frames as the animation timer runs them.
    void step(float seconds);
    void hover(Draggable_label const& button);
    void click(Draggable_label const& button);
    bool save(QString const& path);

    Scratch_data_tree data;

private:
    bool _prepared;

public:
    Core core;
    My_viewer viewer;
};

#endif
