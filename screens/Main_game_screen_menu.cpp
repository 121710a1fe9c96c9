#include "screens/Main_game_screen.h"

#include "foundation/Dialogs.h"
#include "screens/Element_menu.h"

#include <QCursor>

#include <iostream>

void Main_game_screen::show_context_menu_for_element(Draggable* handle)
{
    std::cout << "Main_game_screen::show_context_menu_for_element: " << handle << std::endl;
    Level_element* element = get_handle_element(handle);
    if (!element) return;

    Element_menu menu(*element);
    QAction const* chosen = Dialogs::instance().run_menu(menu.menu(), QCursor::pos());
    menu.write_back(chosen);
}
