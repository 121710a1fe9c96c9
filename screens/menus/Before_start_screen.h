#ifndef SCREENS_MENUS_BEFORE_START_SCREEN_H
#define SCREENS_MENUS_BEFORE_START_SCREEN_H

#include "screens/menus/Titled_menu_screen.h"

// Names the level about to be played and starts it, or goes back to the main menu.
class Before_start_screen : public Titled_menu_screen
{
public:
    Before_start_screen(My_viewer* viewer, Core* core);

private:
    void start_level();
    void back_to_main_menu();
};

#endif
