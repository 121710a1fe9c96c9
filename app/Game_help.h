#ifndef APP_GAME_HELP_H
#define APP_GAME_HELP_H

#include <QString>

// The pages of the help window that H opens: what the game is, and its own
// keys and mouse actions. The viewer library's lists would name bindings the
// game has taken over (its Escape closes the window; here it pauses).
QString game_help_text();
QString game_keys_text();
QString game_mouse_text();

#endif
