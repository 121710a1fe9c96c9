#ifndef TESTS_SCREENS_TUTORIAL_PLAYER_H
#define TESTS_SCREENS_TUTORIAL_PLAYER_H

#include <Eigen/Core>

#include <functional>
#include <string>
#include <vector>

class Brownian_box;
class Core;
class Game_driver;
class Help_screen;
class Main_game_screen;
class Menu_screen;
class My_viewer;

// Plays the tutorial as a new player does, from "Start New Game" through the
// intro levels and the first level, with the real screens and the shared
// driver: it reads and confirms every help page, and wins each level with its
// stored solution applied through the toolbar and the handles. Anything that
// does not go as a player would see it throws, naming what was expected.
class Tutorial_player
{
public:
    Tutorial_player(My_viewer& viewer, Core& core, Game_driver& driver);

    // From the main menu to the first level's result: each level started, its
    // helps confirmed as they come (with the page counts they must have), and
    // the stored solution applied when the tutorial asks for it.
    void play_through();

    // Every help page the player has read, as "level: text".
    std::vector<std::string> pages_read;
    // The progress's "last_level" as each level started.
    std::vector<int> last_level_at_start;
    // Called on each help page once it has faded in, before it is confirmed.
    std::function<void(Help_screen const& help, int page)> on_page;

    // From the main menu to the first level's start.
    void start_new_game();
    // Clicks "Start Level" on the before-start screen of the named level.
    void start_level(std::string const& name);
    // Waits, in simulation seconds, for the next help screen and confirms its
    // pages, which must be as many as said.
    void confirm_next_help(float seconds, int pages);
    // Runs the level until it is won and its result is up.
    void win(float seconds);
    // "Next Level" on the result screen.
    void go_on();

    // The stored solutions, through the handles and the toolbar.
    void turn_up(Brownian_box& heat);
    void move_and_scale(Brownian_box& heat, Eigen::Vector3f const& position, Eigen::Vector3f const& extent);
    Brownian_box& place_heat(float x, float z);

    Main_game_screen& play_screen() const;
    Brownian_box& newest_heat() const;

private:
    template <class Kind> Kind* top() const;
    void click_button(Menu_screen const& menu, std::string const& text);
    void wait_for(std::function<bool()> const& condition, float seconds, std::string const& what);
    std::string level_name() const;

    My_viewer& _viewer;
    Core& _core;
    Game_driver& _driver;
};

#endif
