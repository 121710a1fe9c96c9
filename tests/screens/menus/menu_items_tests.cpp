#include "screens/menus/Menu_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Each item as kind, text and place, in list order.
std::vector<std::string> describe(std::vector<Menu_item> const& items)
{
    std::vector<std::string> lines;
    for (Menu_item const& item : items)
    {
        char place[64];
        std::snprintf(place, sizeof place, " (%.2f, %.2f) %.2f x %.2f", item.position.x(), item.position.y(),
                      item.size.x(), item.size.y());
        lines.push_back((item.kind == Menu_item::Button ? "button " : "label ") + item.text + place);
    }
    return lines;
}

std::vector<std::string> const with_continue{
    "button Start New Game (0.50, 0.65) 0.50 x 0.12", "button Continue Game (0.50, 0.50) 0.50 x 0.12",
    "button Pick Level (0.50, 0.35) 0.50 x 0.12", "button Quit (0.50, 0.20) 0.50 x 0.12",
    "button Sandbox (0.85, 0.10) 0.20 x 0.06"};
std::vector<std::string> const all_finished{"button Start New Game (0.50, 0.65) 0.50 x 0.12",
                                            "label All levels finished, try the sandbox! (0.50, 0.50) 0.50 x 0.12",
                                            "button Pick Level (0.50, 0.35) 0.50 x 0.12",
                                            "button Quit (0.50, 0.20) 0.50 x 0.12",
                                            "button Sandbox (0.85, 0.10) 0.20 x 0.06"};

TEST(Main_menu_items, continue_while_levels_remain_and_the_finished_label_once_none_do)
{
    struct Case
    {
        int last_level;
        int level_count;
        std::vector<std::string> const& items;
    };
    for (Case const& c : {Case{0, 11, with_continue},  // a new player
                          Case{5, 11, with_continue},  // one in the middle
                          Case{10, 11, with_continue}, // at the last level
                          Case{11, 11, all_finished},  // every level finished
                          Case{14, 11, all_finished},  // past the last level
                          Case{-3, 11, with_continue}, // a damaged progress file
                          Case{0, 0, all_finished}})   // no levels at all
        EXPECT_EQ(describe(main_menu_items(c.last_level, c.level_count)), c.items)
            << c.last_level << " of " << c.level_count;
}

TEST(Main_menu_items, each_button_has_its_action_and_the_label_none)
{
    std::vector<Menu_item::Action> actions;
    for (Menu_item const& item : main_menu_items(2, 11)) actions.push_back(item.action);
    EXPECT_EQ(actions,
              (std::vector<Menu_item::Action>{Menu_item::Start_new_game, Menu_item::Continue_game,
                                              Menu_item::Pick_level, Menu_item::Quit, Menu_item::Open_sandbox}));
    EXPECT_EQ(main_menu_items(11, 11)[1].action, Menu_item::No_action);
}

TEST(Before_start_items, start_the_level_or_go_back)
{
    EXPECT_EQ(describe(before_start_items()),
              (std::vector<std::string>{"button Start Level (0.50, 0.35) 0.50 x 0.20",
                                        "button Back to Main Menu (0.50, 0.15) 0.50 x 0.20"}));
    EXPECT_EQ(before_start_items()[0].action, Menu_item::Start_level);
    EXPECT_EQ(before_start_items()[1].action, Menu_item::Back_to_main_menu);
}

TEST(Pause_items, restart_main_menu_and_continue_from_the_top)
{
    EXPECT_EQ(describe(pause_items()), (std::vector<std::string>{"button Restart Level (0.50, 0.85) 0.50 x 0.15",
                                                                 "button Back to Main Menu (0.50, 0.65) 0.50 x 0.15",
                                                                 "button Continue (0.50, 0.45) 0.50 x 0.15"}));
}

TEST(Sandbox_rules, the_warning_guards_unfinished_levels_until_it_is_accepted)
{
    struct Case
    {
        int last_level;
        int level_count;
        bool seen;
        bool warning_due;
        bool may_open;
    };
    for (Case const& c :
         {Case{0, 11, false, true, false}, Case{10, 11, false, true, false}, Case{4, 11, true, false, true},
          Case{11, 11, false, false, true}, Case{15, 11, false, false, true}, // past the last level opens too
          Case{-2, 11, false, true, false}})
    {
        EXPECT_EQ(sandbox_warning_due(c.last_level, c.level_count, c.seen), c.warning_due) << c.last_level;
        EXPECT_EQ(sandbox_may_open(c.last_level, c.level_count, c.seen), c.may_open) << c.last_level;
    }
}

} // namespace
