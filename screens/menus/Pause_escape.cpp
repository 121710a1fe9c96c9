#include "screens/menus/Pause_escape.h"

#include "app/Screen.h"
#include "screens/Screen_flow.h"
#include "simulation/Core.h"

bool answer_escape_on_pause(Screen& pause, Screen& target, Core& core)
{
    int const state = pause.get_state();
    if (state == Screen::Fading_in || state == Screen::Shown)
    {
        close_back_to(pause, &target);
        return true;
    }
    if (state != Screen::Closing) return false;
    int const target_state = target.get_state();
    if (target_state == Screen::Closing || target_state == Screen::Closed) return false;
    pause.show();
    target.hide();
    core.set_simulation_state(false);
    return true;
}
