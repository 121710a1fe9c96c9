#include "tools/campaign/Campaign.h"

#include "tools/campaign/Level_authoring.h"

using namespace authoring;

namespace
{

// Water drifts in from the left and sits there, a dozen units from the wall.
void water_from_the_left(Level_data& level, int count, float interval)
{
    add_releaser(level, V(-38, -6, -6), V(-30, 6, 6), "H2O", 1.f, interval, count);
}

void intro_0(Level_data& level)
{
    water_from_the_left(level, 40, 0.5f);
}

void intro_1(Level_data& level)
{
    water_from_the_left(level, 40, 0.5f);
    add_box_portal(level, V(24, -20, -10), V(38, 20, 10), 5, true);
    Brownian_box* heat = add_heat(level, V(-36, -20, -14), V(14, 20, 14), 5.f);
    heat->set_user_editable(Level_element::Property);
}

void solve_intro_1(Level_data& level)
{
    set_property(*level._brownian_elements.back(), "strength", 50.f);
}

void intro_2(Level_data& level)
{
    water_from_the_left(level, 40, 0.5f);
    add_box_portal(level, V(24, -20, -10), V(38, 20, 10), 5, true);
    Brownian_box* heat = add_heat(level, V(0, -20, 4), V(20, 20, 20), 50.f);
    heat->set_user_editable(Level_element::Translate | Level_element::Scale);
}

void solve_intro_2(Level_data& level)
{
    Brownian_box* heat = static_cast<Brownian_box*>(level._brownian_elements.back());
    heat->set_position(V(-11, 0, 0));
    heat->set_extent(V(50, 40, 28));
}

void level_1(Level_data& level)
{
    water_from_the_left(level, 40, 0.5f);
    add_box_portal(level, V(24, -20, -10), V(38, 20, 10), 5, true);
    set_available(level, "Brownian_box", 1);
}

void solve_level_1(Level_data& level)
{
    Brownian_box* heat = place_heat(level, -20.f, 0.f, 50.f);
    heat->set_position(V(-11, 0, 0));
    heat->set_extent(V(50, 40, 28));
}

} // namespace

std::vector<Campaign_level> const& campaign()
{
    static std::vector<Campaign_level> const levels{
        {"Intro 0", "watching water in zero gravity", intro_0, nullptr},
        {"Intro 1", "turning up the heat of a heating box", intro_1, solve_intro_1},
        {"Intro 2", "moving and scaling a hot box", intro_2, solve_intro_2},
        {"Level 1", "placing a heating box", level_1, solve_level_1},
    };
    return levels;
}

std::string campaign_level_list()
{
    std::string list;
    for (Campaign_level const& level : campaign()) list += (list.empty() ? "" : ",") + level.name;
    return list;
}
