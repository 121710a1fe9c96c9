// The viewer's start-up puts the first screens up, so it lives with main, above
// the screens library.
#include "app/My_viewer.h"

#include "foundation/Unreadable_files.h"
#include "screens/Screen_flow.h"
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

    start_over_at_main_menu(this, _core);
    // The player's files were read with Core, before there was a window to say
    // what became of them.
    show_unreadable_file_notices(this);
}
