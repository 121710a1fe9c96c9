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
// The next level is loaded, its title comes on top and `leaving` closes;
// `game`, the play screen when the player still sees it, hides under the title.
void leave_for_next_level(My_viewer* viewer, Core* core, Screen& leaving, Screen* game = nullptr);
// The level picker comes on top and `leaving`, the main menu, closes.
void leave_for_level_picker(My_viewer* viewer, Core* core, Screen& leaving);
// Every screen closes for a new play screen of the game, hidden under the main
// menu: at start-up, and when the designer leaves the editor.
void start_over_at_main_menu(My_viewer* viewer, Core* core);

// The current level starts and `title`, its before-start screen, closes; the
// play screen below comes on by itself once the level runs.
void start_level_from_title(Core* core, Screen& title);
// The designer's level starts again from the beginning and `results` closes
// over the test play, which comes on by itself once the level runs.
void play_again_from_results(Core* core, Screen& results);

// `closing` ends and `below` is shown again, if it is still there: the end of
// a pause, a help or a run's statistics.
void close_back_to(Screen& closing, Screen* below);
// The level starts over and `play` comes back; `pause` is already closing
// when the level's reset tells the screens.
void restart_from_pause(Core* core, Screen& pause, Screen* play);
// Escape during a pause's fade-out: `pause` opens again over `play`, which
// hides again, and the simulation stops: `play` may have come back meanwhile
// and started it.
void pause_again(Core* core, Screen& pause, Screen& play);
// A tutorial's help goes on top at the end of the frame: the events that
// raise it run while the stack is walked.
void raise_help(My_viewer* viewer, Screen* help);
// A help that holds the game up hides `game`, the screen it was raised over,
// until its "Got it!" gives it back (close_back_to).
void hide_game_under_help(Screen* game);
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
