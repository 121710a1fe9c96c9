#include "screens/Main_game_screen.h"

#include "foundation/Dialogs.h"
#include "screens/Element_menu.h"
#include "simulation/Core.h"
#include "widgets/Draggable.h"

#include <QCursor>

#include <iostream>

bool Main_game_screen::opens_element_menu(Draggable const& picked, bool right_click)
{
    return right_click || dynamic_cast<Draggable_disc const*>(&picked) != nullptr;
}

void Main_game_screen::show_context_menu_for_element(Draggable* handle)
{
    std::cout << "Main_game_screen::show_context_menu_for_element: " << handle << std::endl;
    Level_element* element = get_handle_element(handle);
    if (!element) return;

    Element_menu menu(*element);
    QAction const* chosen = Dialogs::instance().run_menu(menu.menu(), QCursor::pos());
    menu.write_back(chosen);
}
