#ifndef SCREENS_PLAY_PLAY_MODE_H
#define SCREENS_PLAY_PLAY_MODE_H

// The play screen's modes, which the screens it opens are given too.
enum Play_mode
{
    Editor_mode = 0,
    Editor_play_mode = 1,
    Game_mode = 2
};

#endif
