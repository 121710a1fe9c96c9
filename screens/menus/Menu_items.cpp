#include "screens/menus/Menu_items.h"

#include <algorithm>

Menu_item button(std::string const& text, float x, float y, float width, float height, Menu_item::Action action)
{
    return {Menu_item::Button, text, Eigen::Vector3f(x, y, 0.f), Eigen::Vector2f(width, height), action};
}

Menu_item label(std::string const& text, float x, float y, float width, float height)
{
    return {Menu_item::Label, text, Eigen::Vector3f(x, y, 0.f), Eigen::Vector2f(width, height), Menu_item::No_action};
}

int clamped_last_level(int last_level, int level_count)
{
    return std::clamp(last_level, 0, std::max(level_count, 0));
}

int last_level_after(int last_level, int current, int level_count)
{
    return std::max(clamped_last_level(last_level, level_count), clamped_last_level(current + 1, level_count));
}

std::vector<Menu_item> main_menu_items(int last_level, int level_count)
{
    bool const levels_remain = clamped_last_level(last_level, level_count) < level_count;
    std::vector<Menu_item> items;
    items.push_back(button("Start New Game", 0.5f, 0.65f, 0.5f, 0.12f, Menu_item::Start_new_game));
    if (levels_remain)
        items.push_back(button("Continue Game", 0.5f, 0.5f, 0.5f, 0.12f, Menu_item::Continue_game));
    else
        items.push_back(label("All levels finished, try the sandbox!", 0.5f, 0.5f, 0.5f, 0.12f));
    items.push_back(button("Pick Level", 0.5f, 0.35f, 0.5f, 0.12f, Menu_item::Pick_level));
    items.push_back(button("Quit", 0.5f, 0.2f, 0.5f, 0.12f, Menu_item::Quit));
    items.push_back(button("Sandbox", 0.85f, 0.1f, 0.2f, 0.06f, Menu_item::Open_sandbox));
    return items;
}

std::vector<Menu_item> before_start_items()
{
    return {button("Start Level", 0.5f, 0.35f, 0.5f, 0.2f, Menu_item::Start_level),
            button("Back to Main Menu", 0.5f, 0.15f, 0.5f, 0.2f, Menu_item::Back_to_main_menu)};
}

std::vector<Menu_item> pause_items()
{
    return {button("Restart Level", 0.5f, 0.85f, 0.5f, 0.15f, Menu_item::Restart_level),
            button("Back to Main Menu", 0.5f, 0.65f, 0.5f, 0.15f, Menu_item::Back_to_main_menu),
            button("Continue", 0.5f, 0.45f, 0.5f, 0.15f, Menu_item::Continue)};
}

std::vector<Menu_item> editor_pause_items(bool level_running)
{
    if (level_running) return {button("Return to Editor", 0.5f, 0.85f, 0.5f, 0.15f, Menu_item::Return_to_editor)};
    return {button("Play Level", 0.5f, 0.8f, 0.5f, 0.1f, Menu_item::Play_level),
            button("Load Level", 0.5f, 0.68f, 0.5f, 0.1f, Menu_item::Load_level),
            button("Save Level", 0.5f, 0.56f, 0.5f, 0.1f, Menu_item::Save_level),
            button("Back to Main Menu", 0.5f, 0.44f, 0.5f, 0.1f, Menu_item::Back_to_main_menu),
            button("Continue", 0.5f, 0.32f, 0.5f, 0.1f, Menu_item::Continue)};
}

bool sandbox_warning_due(int last_level, int level_count, bool warning_seen)
{
    return clamped_last_level(last_level, level_count) < level_count && !warning_seen;
}

bool sandbox_may_open(int last_level, int level_count, bool warning_seen)
{
    return clamped_last_level(last_level, level_count) >= level_count || warning_seen;
}
