#include "screens/Tutorial_steps.h"

std::map<std::string, Tutorial_steps>& tutorial_steps()
{
    static std::map<std::string, Tutorial_steps> steps;
    return steps;
}
