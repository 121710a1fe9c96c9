#include "screens/help/Tutorial_steps.h"

#include "screens/help/Game_tutorial_context.h"
#include "screens/help/Tutorial_events.h"
#include "screens/play/Main_game_screen.h"

#include <memory>

namespace
{

std::map<std::string, Tutorial_steps> game_tutorial()
{
    std::map<std::string, Tutorial_steps> steps;
    for (char const* level : {"Intro 0", "Intro 1", "Intro 2", "Level 1"})
        steps[level] = [name = std::string(level)](Core* core, My_viewer* viewer, Main_game_screen* screen) {
            return tutorial_events(name, std::make_shared<Game_tutorial_context>(core, viewer, screen));
        };
    return steps;
}

} // namespace

std::map<std::string, Tutorial_steps>& tutorial_steps()
{
    static std::map<std::string, Tutorial_steps> steps = game_tutorial();
    return steps;
}
