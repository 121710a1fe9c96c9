#ifndef BENCH_PLAYED_GAME_H
#define BENCH_PLAYED_GAME_H

#include "bench/Soak_player.h"

#include "app/My_viewer.h"
#include "simulation/Core.h"

#include "support/Game_driver.h"
#include "support/Scripted_dialogs.h"

// The whole game in a shown window, started as a player starts it (the main
// menu over the hidden play screen), with the shared driver and a player at
// hand and its dialogs answered from a script. The data tree and the working
// directory are the caller's to set first.
struct Played_game
{
    Played_game();

    Scripted_dialogs dialogs;
    Core core;
    My_viewer viewer;
    Game_driver driver;
    Soak_player player;
};

#endif
