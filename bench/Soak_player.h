#ifndef BENCH_SOAK_PLAYER_H
#define BENCH_SOAK_PLAYER_H

#include <Qt>

#include <functional>
#include <map>
#include <string>

class Core;
class Editor_screen;
class Game_driver;
class Main_game_screen;
class My_viewer;
class Scripted_dialogs;

// Plays the whole game round and round as a player does, through the shared
// driver with the game on its own timers: campaign levels won with their
// stored solutions, the menus, the pause screen's three ways on, the result
// and statistics screens, and the sandbox editor with a test play. Each round
// starts and ends on the main menu. Whatever does not come as a player would
// see it throws, naming what was awaited.
class Soak_player
{
public:
    Soak_player(My_viewer& viewer, Core& core, Game_driver& driver, Scripted_dialogs& dialogs);

    // As the last level reached: picked from the level picker (its best run
    // replayed first, if it has one), restarted from the pause, won with its
    // solution, its result and statistics read; the next level, when there is
    // one, is started and left from the pause.
    void play_campaign_level(std::string const& name);
    // The main menu's "Sandbox", until the editor is shown and the camera has
    // framed the field.
    Editor_screen& open_sandbox();
    // Elements and molecules placed, the level saved, test-played, loaded
    // again, cleared, and the sandbox left.
    void edit_in_sandbox();
    // Until the main menu is shown and the screens left behind are gone.
    void settle_on_main_menu();

    // How often each button was pressed, as "screen: button", and each outcome.
    std::map<std::string, int> const& get_counts() const { return _counts; }
    // The longest wall-clock wait, in seconds, for each button to come.
    std::map<std::string, double> const& get_longest_waits() const { return _longest_waits; }

private:
    template <class Kind> Kind* top() const;
    // Runs the game until the top screen is a shown `Kind`, and returns it.
    template <class Kind> Kind& wait_for_top(std::string const& what);
    // Runs the game until the top screen is a shown `Kind` showing the button,
    // then presses it, with the keys held.
    template <class Kind> void press(std::string const& text, Qt::KeyboardModifiers held = Qt::NoModifier);
    void press_escape();
    // The game runs until the condition holds, help pages confirmed as they
    // come; throws when it does not within the time.
    void run_until(std::function<bool()> const& condition, int milliseconds, std::string const& what);
    void run_for(int milliseconds);
    void confirm_help();

    Main_game_screen* play_screen(int mode) const;
    Main_game_screen& wait_for_play_screen(int mode);
    void start_level_shown();
    void solve_current_level(Main_game_screen& play);

    My_viewer& _viewer;
    Core& _core;
    Game_driver& _driver;
    Scripted_dialogs& _dialogs;
    std::map<std::string, int> _counts;
    std::map<std::string, double> _longest_waits;
};

#endif
