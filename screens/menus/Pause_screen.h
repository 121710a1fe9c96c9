#ifndef SCREENS_MENUS_PAUSE_SCREEN_H
#define SCREENS_MENUS_PAUSE_SCREEN_H

#include "screens/menus/Pause_menu_screen.h"

// Laid over the play screen while the game is paused: restart the level, leave
// for the main menu or go on.
class Pause_screen : public Pause_menu_screen
{
public:
    Pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target);

private:
    void restart_level();
    void back_to_main_menu();
};

#endif
