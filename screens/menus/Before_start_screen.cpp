#include "screens/menus/Before_start_screen.h"

#include "app/My_viewer.h"
#include "foundation/Dialogs.h"
#include "screens/Screen_flow.h"
#include "simulation/Core.h"

Before_start_screen::Before_start_screen(My_viewer* viewer, Core* core)
    : Titled_menu_screen(viewer, core, core->get_level_name(core->get_current_level()), QRectF(0.0, 0.1, 1.0, 0.3), 3.f)
{
    add_items(before_start_items(), {{Menu_item::Start_level, [this] { start_level(); }},
                                     {Menu_item::Back_to_main_menu, [this] { back_to_main_menu(); }}});
    generate_textures();

    // The default level, an empty field, took the place of one that could not be read.
    QString const refusal = QString::fromStdString(core->get_level_refusal());
    if (!refusal.isEmpty())
        Dialogs::instance().warning_once(refusal, "Level File", refusal + "\nAn empty field is shown in its place.",
                                         viewer);
}

void Before_start_screen::start_level()
{
    burst();
    start_level_from_title(_core, *this);
}

void Before_start_screen::back_to_main_menu()
{
    burst();
    leave_for_main_menu(viewer, _core, *this);
}
