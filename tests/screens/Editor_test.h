#ifndef TESTS_SCREENS_EDITOR_TEST_H
#define TESTS_SCREENS_EDITOR_TEST_H

#include "Play_test.h"

#include "screens/editor/Editor_screen.h"
#include "screens/menus/Editor_pause_screen.h"

#include <string>
#include <vector>

class Draggable_slider;
class Draggable_spinbox;

// The sandbox, opened from the main menu as a level designer opens it, played
// through the window.
class Editor_test : public Play_test
{
protected:
    void SetUp() override;

    // Presses "Sandbox" on a new main menu and lets the editor fade in.
    Editor_screen* open_sandbox();

    void click(Draggable const& widget, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // An element's handle, where the camera shows it.
    void click_handle(Draggable const& handle, Qt::MouseButton button = Qt::LeftButton);
    void click_palette(std::string const& name, Qt::MouseButton button = Qt::LeftButton);
    // Sets how many molecules of the kind a click places, through the menu a
    // right click on its palette button opens.
    void set_molecules_per_click(std::string const& name, int count);
    // A button of the bottom row, by its text.
    void click_text(std::string const& text);
    // A button of the screen on top of the stack, which must be a menu.
    void click_menu_button(std::string const& text, Qt::KeyboardModifiers held = Qt::NoModifier);

    // Where a click on the floor places an element at x and z.
    QPoint floor_pixel(float x, float z) const { return driver->pixel_of(Eigen::Vector3f(x, -20.f, z)); }
    // Where a click places molecules around (x, 0, z).
    QPoint middle_pixel(float x, float z) const { return driver->pixel_of(Eigen::Vector3f(x, 0.f, z)); }

    Draggable_slider& slider(std::string const& name) const;
    Draggable_spinbox& count_spinbox(std::string const& kind) const;
    // The window point of a handle drawn in its widget's frame.
    Eigen::Vector2f screen_point(Draggable const& handle) const;

    // Pickables whose widget is hidden: none may be left.
    std::vector<std::string> hidden_pickables() const;

    template <class Kind> std::vector<Kind*> elements()
    {
        std::vector<Kind*> found;
        for (auto const& element : level()._level_elements)
            if (auto* kind = dynamic_cast<Kind*>(element.get())) found.push_back(kind);
        return found;
    }

    template <class Kind> Kind* top() const
    {
        return viewer->get_screens().empty() ? nullptr : dynamic_cast<Kind*>(viewer->get_screens().screens().front());
    }

    Editor_screen* editor = nullptr;
};

#endif
