#ifndef SCREENS_MENUS_MAIN_MENU_SCREEN_H
#define SCREENS_MENUS_MAIN_MENU_SCREEN_H

#include "screens/menus/Titled_menu_screen.h"

// The first screen the player sees: the game's name in particles, a new game or
// the next unfinished level, the level picker, the sandbox and the way out.
class Main_menu_screen : public Titled_menu_screen
{
public:
    Main_menu_screen(My_viewer* viewer, Core* core);

private:
    void start_new_game();
    void continue_game();
    void pick_level();
    void quit();
    void open_sandbox();
    int level_count() const;
    int last_level() const;
};

#endif
