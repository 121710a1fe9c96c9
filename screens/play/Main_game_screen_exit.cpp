#include "screens/play/Main_game_screen.h"

#include "app/My_viewer.h"
#include "foundation/Dialogs.h"
#include "simulation/Core.h"

bool Main_game_screen::prepare_to_end_game(bool may_ask)
{
    if (_mode == Game_mode) return true;
    if (may_ask && core->level_changed_since_saved() &&
        !Dialogs::instance().ask_yes_no("Quit", "Unsaved changes will be lost. Really quit?", viewer))
        return false;
    core->save_simulation_settings();
    return true;
}
