#include "screens/play/Main_game_screen.h"

#include "foundation/Dialogs.h"
#include "screens/play/Element_menu.h"
#include "simulation/Core.h"
#include "simulation/Element_watch.h"
#include "widgets/Draggable.h"

#include <QCursor>

#include <iostream>

bool Main_game_screen::opens_element_menu(Draggable const& picked, bool right_click)
{
    return right_click || dynamic_cast<Draggable_disc const*>(&picked) != nullptr;
}

Main_game_screen::Handle_click Main_game_screen::click_handle(Draggable& picked, bool right_click)
{
    Draggable* root = picked.get_root();
    // Looked up first: a click may rebuild the widgets, or delete the element.
    Element_watch const element(get_handle_element(root));
    bool const opens_menu = opens_element_menu(picked, right_click);
    if (right_click)
        root->right_clicked();
    else
        root->clicked();
    if (!element) return Handle_click::Element_gone;
    select(element.get());
    if (!opens_menu) return Handle_click::Clicked;
    show_context_menu_for_element(root);
    return Handle_click::Menu_opened;
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
