#ifndef SCREENS_SCREEN_FLOW_H
#define SCREENS_SCREEN_FLOW_H

class Core;
class Main_game_screen;
class My_viewer;
class Score;
class Screen;

// Every way from one screen to the next, written once. A screen does its own
// leave-taking first (its title bursts, it asks the player, it loads the level);
// which screens then close, hide or come on top, and in what order, is decided
// here. The play screen of the game stays at the bottom of the stack, hidden
// under the menus, for the whole game; only the editor and its test play
// replace it.

// The main menu comes on top and `leaving` closes.
void leave_for_main_menu(My_viewer* viewer, Core* core, Screen& leaving);
// The current level's title comes on top and `leaving` closes: the level
// starts from there.
void leave_for_before_start(My_viewer* viewer, Core* core, Screen& leaving);
// The level picker comes on top and `leaving`, the main menu, closes.
void leave_for_level_picker(My_viewer* viewer, Core* core, Screen& leaving);
// Every screen closes for a new play screen of the game, hidden under the main
// menu: at start-up, and when the designer leaves the editor.
void start_over_at_main_menu(My_viewer* viewer, Core* core);

// `closing` ends and `below` is shown again, if it is still there: the end of
// a pause, a help or a run's statistics.
void close_back_to(Screen& closing, Screen* below);
// `opener` hides under the replay of `run`, which shows it again when left.
// The run must outlive the replay.
void show_statistics_over(My_viewer* viewer, Core* core, Screen& opener, Score const* run);
// `play` hides under the pause of its mode (the editor's own in the editor and
// its test play), and the simulation stops.
void pause_play(My_viewer* viewer, Core* core, Main_game_screen& play);
// `play` hides under the results of the level it has just finished.
void show_results_over(My_viewer* viewer, Core* core, Main_game_screen& play);

// The sandbox editor in place of every screen.
void open_editor(My_viewer* viewer, Core* core);
// The designer's level played in place of the editor, with the molecules the
// designer put in the field.
void play_level_from_editor(My_viewer* viewer, Core* core);
// The test play is over: the level as it was before, and a new editor over it.
// Both the pause during a test play and the result screen after one come back
// this way.
void return_to_editor(My_viewer* viewer, Core* core);

#endif
