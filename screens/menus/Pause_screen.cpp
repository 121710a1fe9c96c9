#include "screens/menus/Pause_screen.h"

#include "app/My_viewer.h"
#include "screens/Screen_flow.h"
#include "screens/menus/Pause_escape.h"
#include "screens/play/Main_game_screen.h"
#include "simulation/Core.h"

#include <QKeyEvent>

#include <iostream>

Pause_screen::Pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target)
    : Menu_screen(viewer, core), _target(target)
{
    flags = Blocks_input;
    add_items(pause_items(), {{Menu_item::Restart_level, [this] { restart_level(); }},
                              {Menu_item::Back_to_main_menu, [this] { back_to_main_menu(); }},
                              {Menu_item::Continue, [this] { continue_level(); }}});
    generate_textures();
}

bool Pause_screen::keyPressEvent(QKeyEvent* event)
{
    std::cout << "Pause_screen::keyPressEvent " << event->key() << " state: " << state << std::endl;
    return event->key() == Qt::Key_Escape && _target && answer_escape_on_pause(*this, *_target, *_core);
}

void Pause_screen::restart_level()
{
    _core->reset_level(false);
    close_back_to(*this, _target);
}

void Pause_screen::back_to_main_menu()
{
    leave_for_main_menu(viewer, _core, *this);
}

void Pause_screen::continue_level()
{
    close_back_to(*this, _target);
}
