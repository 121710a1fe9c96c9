#ifndef SCREENS_PAUSE_ESCAPE_H
#define SCREENS_PAUSE_ESCAPE_H

class Screen;

// Escape on a pause laid over `target`: while the pause shows, it closes and
// the target comes back; while it is still fading out, it opens again over
// the hidden target, unless the target is on its way out too (a new screen
// replaced both, and a pause over it would stay for good). True when taken.
bool answer_escape_on_pause(Screen& pause, Screen& target);

#endif
