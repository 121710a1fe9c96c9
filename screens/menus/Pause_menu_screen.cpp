#include "screens/menus/Pause_menu_screen.h"

#include "screens/Screen_flow.h"
#include "simulation/Core.h"

#include <QKeyEvent>

#include <iostream>

Pause_menu_screen::Pause_menu_screen(My_viewer* viewer, Core* core, Main_game_screen* target, char const* log_name)
    : Menu_screen(viewer, core), _target(target), _log_name(log_name)
{
    flags = Blocks_input;
}

bool Pause_menu_screen::keyPressEvent(QKeyEvent* event)
{
    std::cout << _log_name << "::keyPressEvent " << event->key() << " state: " << state << std::endl;
    return event->key() == Qt::Key_Escape && _target && answer_escape();
}

void Pause_menu_screen::resume()
{
    close_back_to(*this, _target);
}

bool Pause_menu_screen::answer_escape()
{
    if (state == Fading_in || state == Shown)
    {
        resume();
        return true;
    }
    if (state != Closing) return false;
    int const target_state = _target->get_state();
    if (target_state == Closing || target_state == Closed) return false;
    pause_again(_core, *this, *_target);
    return true;
}
