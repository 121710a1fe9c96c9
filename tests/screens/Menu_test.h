#ifndef TESTS_SCREENS_MENU_TEST_H
#define TESTS_SCREENS_MENU_TEST_H

#include "app/Viewer_test.h"

#include <QImage>
#include <QPoint>

#include <string>

class Draggable_label;
class Menu_screen;

// The game window with what the menus need: their shaders, the widget painter
// initialised for the window, and the campaign's levels.
class Menu_test : public Viewer_test
{
protected:
    void SetUp() override;

    // Pushes the screen and steps it until it is fully shown.
    template <class Menu> Menu* show(Menu* menu)
    {
        viewer->add_screen(menu);
        step_frames(63);
        return menu;
    }
    void step_frames(int count);

    // The window pixel of a widget's centre.
    QPoint pixel_of(Draggable_label const& widget) const;
    QPoint pixel_at(float x, float y) const;
    // A left press and release, as the window system sends them.
    void click(QPoint position, Qt::MouseButton button = Qt::LeftButton);
    void click(Menu_screen const& menu, std::string const& button_text);

    QImage frame();
    // The menu on top of the stack, if it is of that kind.
    template <class Menu> Menu* top() const
    {
        return viewer->get_screens().empty() ? nullptr : dynamic_cast<Menu*>(viewer->get_screens().screens().front());
    }
};

#endif
