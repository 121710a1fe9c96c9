#ifndef SCREENS_MENUS_PAUSE_MENU_SCREEN_H
#define SCREENS_MENUS_PAUSE_MENU_SCREEN_H

#include "screens/menus/Menu_screen.h"
#include "screens/play/Main_game_screen.h"

#include <QPointer>

// A menu laid over a paused play screen, its target, which it hides and which
// is shown again when the pause ends. Nothing below it takes input.
class Pause_menu_screen : public Menu_screen
{
public:
    // Escape on the pause: while it shows, it closes and the target comes
    // back; while it is still fading out, it opens again over the hidden
    // target, unless the target is on its way out too (a new screen replaced
    // both, and a pause over it would stay for good). Reopened, it stops the
    // simulation: the target may have come back meanwhile and started it.
    bool keyPressEvent(QKeyEvent* event) override;

protected:
    // `log_name` heads the pause's lines in the log.
    Pause_menu_screen(My_viewer* viewer, Core* core, Main_game_screen* target, char const* log_name);

    // The pause closes and its target comes back.
    void resume();

    // Null once gone: a key still reaches the closing pause after a new
    // screen replaced both and its target was destroyed.
    QPointer<Main_game_screen> _target;

private:
    bool answer_escape();

    char const* _log_name;
};

#endif
