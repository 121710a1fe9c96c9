#include "tools/campaign/Campaign.h"

#include "tools/campaign/Level_authoring.h"

using namespace authoring;

// The game field is x across (-40 to 40), z up (-20 to 20) and y into the
// screen. Water leaves a releaser at 13 to 27 units per second and, without
// heat, comes to rest a dozen units on.
namespace
{

void water_from_the_left(Level_data& level, int count, float interval)
{
    add_releaser(level, V(-38, -6, -6), V(-30, 6, 6), "H2O", 1.f, interval, count);
}

Box_portal* collector_on_the_right(Level_data& level, int needed)
{
    return add_box_portal(level, V(22, -20, -12), V(38, 20, 12), needed, true);
}

void intro_0(Level_data& level)
{
    water_from_the_left(level, 40, 0.5f);
}

void intro_1(Level_data& level)
{
    water_from_the_left(level, 40, 0.5f);
    // Wider than tall, so its gauge hangs under it, where the tutorial points.
    add_box_portal(level, V(16, -20, -7), V(38, 20, 7), 5, true);
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
    collector_on_the_right(level, 5);
    // In the corner under the releaser, out of the water's way: left where it
    // is, it heats nothing that could reach the collector.
    Brownian_box* heat = add_heat(level, V(-38, -20, -20), V(-18, 20, -10), 50.f);
    heat->set_user_editable(Level_element::Translate | Level_element::Scale);
}

// Moves and stretches the hot box over the water and the way to the collector.
void spread_heat(Brownian_box& heat)
{
    heat.set_position(V(-6, 0, 0));
    heat.set_extent(V(60, 40, 30));
}

void solve_intro_2(Level_data& level)
{
    spread_heat(*static_cast<Brownian_box*>(level._brownian_elements.back()));
}

// Heating: the player's first own element.
void first_heat(Level_data& level)
{
    water_from_the_left(level, 40, 0.5f);
    collector_on_the_right(level, 6);
    set_available(level, "Brownian_box", 1);
}

void solve_first_heat(Level_data& level)
{
    spread_heat(*place_heat(level, -20.f, 0.f, 50.f));
}

// Cooling: a warm field keeps the water moving everywhere, and a collector that
// does not swallow counts only what stays inside it.
void cold_trap(Level_data& level)
{
    set_setting(level, "Temperature", 30.f);
    add_releaser(level, V(-12, -6, -4), V(-4, 6, 4), "H2O", 1.f, 0.5f, 30);
    add_box_portal(level, V(22, -20, -5), V(32, 20, 5), 10, false);
    set_available(level, "Brownian_box", 1);
}

void solve_cold_trap(Level_data& level)
{
    Brownian_box* cooler = place_heat(level, 27.f, 0.f, -50.f);
    cooler->set_extent(V(10, 40, 10));
}

// Walls: with gravity the water lands on the floor far from the collector; a
// tilted wall under the releaser makes a slide.
void slide(Level_data& level)
{
    set_setting(level, "gravity", 8.f);
    add_releaser(level, V(-38, -6, 10), V(-30, 6, 18), "H2O", 1.f, 0.5f, 30);
    add_box_portal(level, V(24, -20, -20), V(38, 20, -10), 10, true);
    set_available(level, "Box_barrier", 1);
}

void solve_slide(Level_data& level)
{
    Box_barrier* ramp = place_wall(level, 0.f, 0.f);
    ramp->set_extent(V(64, 40, 3));
    ramp->set_position(V(-6, 0, -2));
    Eigen::Matrix4f tilt = Eigen::Matrix4f::Identity();
    tilt.topLeftCorner<3, 3>() = Eigen::AngleAxisf(0.3f, V::UnitY()).toRotationMatrix();
    ramp->set_transform(tilt);
}

// Charges: sodium and chloride meet in the middle and cling together; one
// charged barrier parts them, each kind to its own collector.
void parted_charges(Level_data& level)
{
    add_releaser(level, V(-16, -6, 8), V(-8, 6, 16), "Na", 1.f, 0.7f, 12);
    Molecule_releaser* chloride = add_releaser(level, V(8, -6, 8), V(16, 6, 16), "Cl", 1.3f, 0.7f, 12);
    Eigen::Matrix4f backwards = Eigen::Matrix4f::Identity();
    backwards.topLeftCorner<3, 3>() = Eigen::AngleAxisf(3.14159265f, V::UnitZ()).toRotationMatrix();
    chloride->set_transform(backwards);
    add_box_portal(level, V(-38, -20, -20), V(-28, 20, 20), 8, true);
    add_box_portal(level, V(18, -20, -20), V(28, 20, 20), 8, true);
    set_available(level, "Charged_barrier", 1);
}

void solve_parted_charges(Level_data& level)
{
    Charged_barrier* charged = place_charged(level, 35.f, 0.f, 5.f);
    charged->set_extent(V(10, 40, 40));
}

// Tractors: a beam carries the resting water across to the collector.
void conveyor(Level_data& level)
{
    water_from_the_left(level, 40, 0.4f);
    collector_on_the_right(level, 12);
    set_available(level, "Tractor_barrier", 1);
    set_setting(level, "score_time_factor", 45.f);
}

void solve_conveyor(Level_data& level)
{
    Tractor_barrier* tractor = place_tractor(level, -15.f, 0.f, 10.f);
    set_property(*tractor, "radius", 100.f);
}

// Gravity: the water sinks to the floor, the collector waits under the ceiling;
// a tractor turned upright lifts it.
void lift(Level_data& level)
{
    set_setting(level, "gravity", 9.81f);
    add_releaser(level, V(-38, -6, -18), V(-30, 6, -10), "H2O", 1.f, 0.5f, 30);
    add_box_portal(level, V(-20, -20, 12), V(0, 20, 20), 10, true);
    set_available(level, "Tractor_barrier", 1);
    set_available(level, "Brownian_box", 1);
}

void solve_lift(Level_data& level)
{
    Tractor_barrier* lift = place_tractor(level, -10.f, -10.f, 10.f);
    set_property(*lift, "radius", 100.f);
    Eigen::Matrix4f upright = Eigen::Matrix4f::Identity();
    upright.topLeftCorner<3, 3>() = Eigen::AngleAxisf(-1.5707963f, V::UnitY()).toRotationMatrix();
    lift->set_transform(upright);
}

// Several collectors, all to be filled: heat has to reach both.
void two_collectors(Level_data& level)
{
    add_releaser(level, V(-38, -6, -4), V(-30, 6, 4), "H2O", 1.f, 0.3f, 60);
    add_box_portal(level, V(26, -20, 8), V(38, 20, 20), 6, true);
    add_box_portal(level, V(26, -20, -20), V(38, 20, -8), 6, true);
    set_available(level, "Brownian_box", 2);
}

void solve_two_collectors(Level_data& level)
{
    Brownian_box* upper = place_heat(level, 0.f, 8.f, 50.f);
    upper->set_extent(V(76, 40, 22));
    upper->set_position(V(-2, 0, 9));
    Brownian_box* lower = place_heat(level, 0.f, -8.f, 50.f);
    lower->set_extent(V(76, 40, 22));
    lower->set_position(V(-2, 0, -9));
}

// Against the clock: two streams, two collectors, and little time.
void against_the_clock(Level_data& level)
{
    add_releaser(level, V(-38, -6, 10), V(-30, 6, 18), "H2O", 1.f, 0.4f, 30);
    add_releaser(level, V(-38, -6, -18), V(-30, 6, -10), "H2O", 1.2f, 0.4f, 30);
    add_box_portal(level, V(26, -20, 8), V(38, 20, 20), 10, true);
    add_box_portal(level, V(26, -20, -20), V(38, 20, -8), 10, true);
    set_available(level, "Tractor_barrier", 2);
    set_setting(level, "score_time_factor", 30.f);
}

void solve_against_the_clock(Level_data& level)
{
    Tractor_barrier* upper = place_tractor(level, -15.f, 14.f, 10.f);
    set_property(*upper, "radius", 100.f);
    Tractor_barrier* lower = place_tractor(level, -15.f, -14.f, 10.f);
    set_property(*lower, "radius", 100.f);
}

} // namespace

std::vector<Campaign_level> const& campaign()
{
    static std::vector<Campaign_level> const levels{
        {"Intro 0", "watching water in zero gravity", intro_0, nullptr},
        {"Intro 1", "turning up the heat of a heating box", intro_1, solve_intro_1},
        {"Intro 2", "moving and scaling a hot box", intro_2, solve_intro_2},
        {"Level 1", "placing a heating box", first_heat, solve_first_heat},
        {"Level 2", "cooling, and collectors that only count what stays", cold_trap, solve_cold_trap},
        {"Level 3", "a tractor carries molecules", conveyor, solve_conveyor},
        {"Level 4", "charged barriers part sodium from chloride", parted_charges, solve_parted_charges},
        {"Level 5", "a tilted wall as a slide under gravity", slide, solve_slide},
        {"Level 6", "lifting against gravity with an upright tractor", lift, solve_lift},
        {"Level 7", "two collectors, both to be filled", two_collectors, solve_two_collectors},
        {"Level 8", "two streams against the clock", against_the_clock, solve_against_the_clock},
    };
    return levels;
}

std::string campaign_level_list()
{
    std::string list;
    for (Campaign_level const& level : campaign()) list += (list.empty() ? "" : ",") + level.name;
    return list;
}
