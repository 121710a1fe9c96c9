#ifndef SCREENS_HELP_TUTORIAL_STEPS_H
#define SCREENS_HELP_TUTORIAL_STEPS_H

#include <functional>
#include <map>
#include <string>
#include <vector>

class Core;
class Event;
class Main_game_screen;
class My_viewer;

// The scripted steps of a tutorial level, made fresh for the play screen each
// time the level changes in the game; the screen takes them over.
typedef std::function<std::vector<Event*>(Core*, My_viewer*, Main_game_screen*)> Tutorial_steps;

// By level name: the steps of the game's tutorial levels, and of no other
// level, so that a level is a tutorial exactly when it is listed here.
std::map<std::string, Tutorial_steps>& tutorial_steps();

#endif
