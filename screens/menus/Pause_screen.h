#ifndef SCREENS_MENUS_PAUSE_SCREEN_H
#define SCREENS_MENUS_PAUSE_SCREEN_H

#include "screens/menus/Menu_screen.h"
#include "screens/play/Main_game_screen.h"

#include <QPointer>

// Laid over the play screen while the game is paused: restart the level, leave
// for the main menu or go on. The play screen below is the target, shown again
// when the pause ends.
class Pause_screen : public Menu_screen
{
public:
    Pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target);

    // Escape ends the pause, and reopens it while the pause is still fading out.
    bool keyPressEvent(QKeyEvent* event) override;

private:
    void restart_level();
    void back_to_main_menu();
    void continue_level();

    // Null once gone: a key still reaches the closing pause after a new
    // screen replaced both and its target was destroyed.
    QPointer<Main_game_screen> _target;
};

#endif
