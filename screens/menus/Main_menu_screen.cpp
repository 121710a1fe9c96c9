#include "screens/menus/Main_menu_screen.h"

#include "app/My_viewer.h"
#include "foundation/Dialogs.h"
#include "foundation/Unreadable_files.h"
#include "screens/Screen_flow.h"
#include "screens/editor/Editor_molecules.h"
#include "simulation/Core.h"

Main_menu_screen::Main_menu_screen(My_viewer* viewer, Core* core)
    : Titled_menu_screen(viewer, core, "BRINDLEMOT", QRectF(0.0, 0.1, 1.0, 0.2), 10.f)
{
    add_items(main_menu_items(last_level(), level_count()), {{Menu_item::Start_new_game, [this] { start_new_game(); }},
                                                             {Menu_item::Continue_game, [this] { continue_game(); }},
                                                             {Menu_item::Quit, [this] { quit(); }},
                                                             {Menu_item::Pick_level, [this] { pick_level(); }},
                                                             {Menu_item::Open_sandbox, [this] { open_sandbox(); }}});
    generate_textures();
}

int Main_menu_screen::level_count() const
{
    return _core->get_level_names().size();
}

int Main_menu_screen::last_level() const
{
    return clamped_last_level(_core->progress.last_level, level_count());
}

void Main_menu_screen::start_new_game()
{
    if (_core->progress.last_level > 0 &&
        !Dialogs::instance().ask_yes_no("Start New Game",
                                        "Starting a new game takes the campaign back to the first level; your "
                                        "scores are kept.\nStart a new game anyway?",
                                        viewer))
        return;
    _core->progress.last_level = 0;
    _core->clear();
    _core->load_default_simulation_settings();
    burst();
    _core->load_level(0);
    leave_for_before_start(viewer, _core, *this);
    emit _core->level_changed(1);
}

void Main_menu_screen::continue_game()
{
    _core->load_level(last_level());
    _core->load_default_simulation_settings();
    burst();
    leave_for_before_start(viewer, _core, *this);
}

void Main_menu_screen::pick_level()
{
    leave_for_level_picker(viewer, _core, *this);
}

void Main_menu_screen::quit()
{
    _core->save_progress();
    viewer->quit();
}

void Main_menu_screen::open_sandbox()
{
    Progress& progress = _core->progress;
    int const last = last_level();
    int const count = level_count();
    if (sandbox_warning_due(last, count, progress.sandbox_warning_seen) &&
        Dialogs::instance().ask_yes_no("Starting Sandbox",
                                       "You haven't finished the game levels yet. Using the sandbox might need "
                                       "knowledge gained during those levels.\nStart the sandbox anyway?",
                                       viewer))
    {
        progress.sandbox_warning_seen = true;
        _core->save_progress();
    }
    if (!sandbox_may_open(last, count, progress.sandbox_warning_seen)) return;
    forget_molecules_for_editor();
    // The palette offers what the level lists, and a level is only sure to list
    // every kind once it is reset: right after start-up no level was loaded.
    _core->reset_level_data();
    _core->set_simulation_state(false);
    _core->load_simulation_settings();
    show_unreadable_file_notices(viewer);
    _core->set_game_state(Core::Not_running);
    open_editor(viewer, _core);
}
