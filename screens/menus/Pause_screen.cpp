#include "screens/menus/Pause_screen.h"

#include "app/My_viewer.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/menus/Pause_escape.h"
#include "screens/play/Main_game_screen.h"
#include "simulation/Core.h"

#include <QKeyEvent>

#include <iostream>

Pause_screen::Pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target)
    : Menu_screen(viewer, core), _target(target)
{
    flags = Blocks_input;
    add_items(pause_items(), [this](Menu_item::Action action) -> std::function<void()> {
        switch (action)
        {
        case Menu_item::Restart_level:
            return [this] { restart_level(); };
        case Menu_item::Back_to_main_menu:
            return [this] { back_to_main_menu(); };
        case Menu_item::Continue:
            return [this] { continue_level(); };
        default:
            return {};
        }
    });
    generate_textures();
}

bool Pause_screen::keyPressEvent(QKeyEvent* event)
{
    std::cout << "Pause_screen::keyPressEvent " << event->key() << " state: " << state << std::endl;
    return event->key() == Qt::Key_Escape && _target && answer_escape_on_pause(*this, *_target, *_core);
}

void Pause_screen::restart_level()
{
    kill();
    _core->reset_level(false);
    if (_target) _target->show();
}

void Pause_screen::back_to_main_menu()
{
    kill();
    viewer->add_screen(new Main_menu_screen(viewer, _core));
}

void Pause_screen::continue_level()
{
    kill();
    if (_target) _target->show();
}
