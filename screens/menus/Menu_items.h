#ifndef SCREENS_MENUS_MENU_ITEMS_H
#define SCREENS_MENUS_MENU_ITEMS_H

#include <Eigen/Core>

#include <string>
#include <vector>

// What the menus show and where, decided without any GL: positions are the
// item's centre and sizes its full width and height in normalised window
// coordinates (origin bottom-left). The list order is the creation order and,
// for buttons, the picking order.
struct Menu_item
{
    enum Kind
    {
        Button,
        Label
    };
    enum Action
    {
        No_action,
        Start_new_game,
        Continue_game,
        Pick_level,
        Quit,
        Open_sandbox,
        Start_level,
        Back_to_main_menu,
        Restart_level,
        Continue,
        Next_level,
        Play_again,
        Back_to_editor,
        Show_statistics,
        Back,
        Repeat,
        Previous_page,
        Next_page,
        Play_level,
        Show_best_run,
        Return_to_editor,
        Load_level,
        Save_level
    };

    Kind kind;
    std::string text;
    Eigen::Vector3f position;
    Eigen::Vector2f size;
    Action action;
};

Menu_item button(std::string const& text, float x, float y, float width, float height, Menu_item::Action action);
Menu_item label(std::string const& text, float x, float y, float width, float height);

// "last_level" as the menus use it: a damaged progress file may hold any number,
// but only 0 (a new player) to the number of levels (all finished) mean something.
int clamped_last_level(int last_level, int level_count);
// "last_level" once the level at `current` counts as done: the one after it,
// unless the player had got further; never past the number of levels.
int last_level_after(int last_level, int current, int level_count);

// "Continue Game" while levels remain, the finished label once none do.
std::vector<Menu_item> main_menu_items(int last_level, int level_count);
std::vector<Menu_item> before_start_items();
std::vector<Menu_item> pause_items();
// While a level from the editor runs only the way back; otherwise playing,
// loading and saving the level, the main menu and going on editing.
std::vector<Menu_item> editor_pause_items(bool level_running);

// The warning is asked while levels remain and it was never accepted; the
// sandbox opens once every level is finished or the warning was accepted.
bool sandbox_warning_due(int last_level, int level_count, bool warning_seen);
bool sandbox_may_open(int last_level, int level_count, bool warning_seen);

#endif
