#ifndef SCREENS_MENUS_TITLED_MENU_SCREEN_H
#define SCREENS_MENUS_TITLED_MENU_SCREEN_H

#include "gl/Targeted_particle_system.h"
#include "screens/menus/Menu_screen.h"

#include <QRectF>

#include <string>

// A menu under a title written in particles: they fly in from a ring, settle on
// the outlines of the letters in the title font, and scatter when the menu leaves.
class Titled_menu_screen : public Menu_screen
{
public:
    // The title fills `rectangle`, given in fractions of the window with y downward.
    Titled_menu_screen(My_viewer* viewer, Core* core, std::string const& title, QRectF const& rectangle,
                       float flight_seconds);

    void draw() override;
    void update(float dt) override;

    // Every particle flies off in a random direction.
    void burst();

    Targeted_particle_system const& get_title() const { return _title; }

private:
    Targeted_particle_system _title;
};

#endif
