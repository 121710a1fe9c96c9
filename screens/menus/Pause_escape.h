#ifndef SCREENS_MENUS_PAUSE_ESCAPE_H
#define SCREENS_MENUS_PAUSE_ESCAPE_H

class Core;
class Screen;

// Escape on a pause laid over `target`: while the pause shows, it closes and
// the target comes back; while it is still fading out, it opens again over
// the hidden target, unless the target is on its way out too (a new screen
// replaced both, and a pause over it would stay for good). Reopened, it stops
// the simulation: the target may have come back meanwhile and started it.
// True when taken.
bool answer_escape_on_pause(Screen& pause, Screen& target, Core& core);

#endif
