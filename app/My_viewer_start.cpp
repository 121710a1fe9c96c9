// The viewer's start-up puts the first screens up, so it lives with main, above
// the screens library.
#include "app/My_viewer.h"

#include "foundation/Unreadable_files.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/play/Main_game_screen.h"
#include "simulation/Core.h"

#include <QGLContext>

void My_viewer::start()
{
    makeCurrent();
    restore_parameters();
    setAnimationPeriod(16);
    startAnimation();
    _ui_renderer.init(QGLContext::currentContext(), size());
    screens.clear();
    _core->gl_init(context());

    // Below every menu, ready for the first level; hidden by the first frame.
    auto* game = new Main_game_screen(this, _core, Game_mode);
    game->hide();
    add_screen(game);
    add_screen(new Main_menu_screen(this, _core));
    // The player's files were read with Core, before there was a window to say
    // what became of them.
    show_unreadable_file_notices(this);
}
