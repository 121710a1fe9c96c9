#include "screens/menus/Before_start_screen.h"

#include "app/My_viewer.h"
#include "screens/menus/Main_menu_screen.h"
#include "simulation/Core.h"

Before_start_screen::Before_start_screen(My_viewer* viewer, Core* core)
    : Titled_menu_screen(viewer, core, core->get_level_name(core->get_current_level()), QRectF(0.0, 0.1, 1.0, 0.3), 3.f)
{
    add_items(before_start_items(), [this](Menu_item::Action action) -> std::function<void()> {
        if (action == Menu_item::Start_level) return [this] { start_level(); };
        if (action == Menu_item::Back_to_main_menu) return [this] { back_to_main_menu(); };
        return {};
    });
    generate_textures();
}

void Before_start_screen::start_level()
{
    _core->start_level();
    burst();
    kill();
}

void Before_start_screen::back_to_main_menu()
{
    burst();
    viewer->add_screen(new Main_menu_screen(viewer, _core));
    kill();
}
