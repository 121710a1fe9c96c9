#include "screens/Screen_flow.h"

#include "app/My_viewer.h"
#include "screens/editor/Editor_molecules.h"
#include "screens/editor/Editor_screen.h"
#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Editor_pause_screen.h"
#include "screens/menus/Level_picker_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/menus/Pause_screen.h"
#include "screens/play/Main_game_screen.h"
#include "screens/results/After_finish_screen.h"
#include "screens/results/Statistics_screen.h"
#include "simulation/Core.h"

#include <QGLViewer/manipulatedCameraFrame.h>

namespace
{

// The new screen is made before the old one closes: one that cannot be made
// leaves the player where they were rather than before an empty stack.
void leave_for(My_viewer* viewer, Screen* next, Screen& leaving)
{
    viewer->add_screen(next);
    leaving.kill();
}

} // namespace

void leave_for_main_menu(My_viewer* viewer, Core* core, Screen& leaving)
{
    leave_for(viewer, new Main_menu_screen(viewer, core), leaving);
}

void leave_for_before_start(My_viewer* viewer, Core* core, Screen& leaving)
{
    leave_for(viewer, new Before_start_screen(viewer, core), leaving);
}

void leave_for_next_level(My_viewer* viewer, Core* core, Screen& leaving, Screen* game)
{
    core->load_next_level();
    if (game) game->hide();
    leave_for_before_start(viewer, core, leaving);
}

void leave_for_level_picker(My_viewer* viewer, Core* core, Screen& leaving)
{
    leave_for(viewer, new Level_picker_screen(viewer, core, &leaving), leaving);
}

void start_over_at_main_menu(My_viewer* viewer, Core* core)
{
    // Below every menu, ready for the next level; hidden by the first frame.
    auto* game = new Main_game_screen(viewer, core, Game_mode);
    game->hide();
    viewer->replace_screens(game);
    viewer->add_screen(new Main_menu_screen(viewer, core));
}

void start_level_from_title(Core* core, Screen& title)
{
    core->start_level();
    title.kill();
}

void play_again_from_results(Core* core, Screen& results)
{
    core->reset_level(false);
    start_test_play(*core);
    results.kill();
}

void close_back_to(Screen& closing, Screen* below)
{
    closing.kill();
    if (below) below->show();
}

void restart_from_pause(Core* core, Screen& pause, Screen* play)
{
    pause.kill();
    core->reset_level(false);
    close_back_to(pause, play);
}

void pause_again(Core* core, Screen& pause, Screen& play)
{
    pause.show();
    play.hide();
    core->set_simulation_state(false);
}

void raise_help(My_viewer* viewer, Screen* help)
{
    viewer->queue_screen(help);
}

void hide_game_under_help(Screen* game)
{
    if (game) game->hide();
}

void show_statistics_over(My_viewer* viewer, Core* core, Screen& opener, Score const* run)
{
    viewer->add_screen(new Statistics_screen(viewer, core, &opener, run));
    opener.hide();
}

void pause_play(My_viewer* viewer, Core* core, Main_game_screen& play)
{
    play.hide();
    if (play.get_mode() == Game_mode)
        viewer->add_screen(new Pause_screen(viewer, core, &play));
    else
        viewer->add_screen(new Editor_pause_screen(viewer, core, &play));
    core->set_simulation_state(false);
}

void show_results_over(My_viewer* viewer, Core* core, Main_game_screen& play)
{
    play.hide();
    viewer->add_screen(new After_finish_screen(viewer, core, play.get_mode()));
}

void open_editor(My_viewer* viewer, Core* core)
{
    viewer->replace_screens(new Editor_screen(viewer, core));
}

void play_level_from_editor(My_viewer* viewer, Core* core)
{
    keep_molecules_for_editor(*core);
    viewer->replace_screens(new Main_game_screen(viewer, core, Editor_play_mode));
    start_test_play(*core);
}

void return_to_editor(My_viewer* viewer, Core* core)
{
    core->reset_level(false);
    put_back_molecules_for_editor(*core);
    forget_molecules_for_editor();
    core->set_game_state(Core::Not_running);
    // The editor's camera goes wherever the designer wants to look from.
    viewer->camera()->frame()->setConstraint(nullptr);
    core->set_simulation_state(false);
    open_editor(viewer, core);
}
