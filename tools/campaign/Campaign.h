#ifndef TOOLS_CAMPAIGN_CAMPAIGN_H
#define TOOLS_CAMPAIGN_CAMPAIGN_H

#include "simulation/Level_data.h"

#include <functional>
#include <string>
#include <vector>

// The campaign in playing order. Each level is built with the game's own classes
// and carries a solution: what a player would place and change once it runs.
struct Campaign_level
{
    std::string name;
    std::string teaches;
    std::function<void(Level_data&)> build;
    // Null for a level that has no goal to reach.
    std::function<void(Level_data&)> solve;
};

std::vector<Campaign_level> const& campaign();

// "Intro 0,Intro 1,…", as the "levels" setting lists them.
std::string campaign_level_list();

#endif
