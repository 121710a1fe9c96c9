#include "screens/menus/Pause_screen.h"

#include "screens/Screen_flow.h"
#include "simulation/Core.h"

Pause_screen::Pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target)
    : Pause_menu_screen(viewer, core, target, "Pause_screen")
{
    add_items(pause_items(), {{Menu_item::Restart_level, [this] { restart_level(); }},
                              {Menu_item::Back_to_main_menu, [this] { back_to_main_menu(); }},
                              {Menu_item::Continue, [this] { resume(); }}});
    generate_textures();
}

void Pause_screen::restart_level()
{
    restart_from_pause(_core, *this, _target);
}

void Pause_screen::back_to_main_menu()
{
    leave_for_main_menu(viewer, _core, *this);
}
