#ifndef SCREENS_HELP_TUTORIAL_EVENTS_H
#define SCREENS_HELP_TUTORIAL_EVENTS_H

#include "app/Event.h"
#include "screens/help/Help_layout.h"
#include "screens/help/Tutorial_context.h"

#include <memory>
#include <string>
#include <vector>

class Level_element;

// A step of the tutorial: it waits for its moment in the running level, then
// (mostly) pauses the game and puts up a help screen about what is on screen.
// Each returns false while it waits and true once its help is queued.
class Tutorial_event : public Event
{
public:
    explicit Tutorial_event(std::shared_ptr<Tutorial_context> context);

protected:
    Tutorial_context& context() const { return *_context; }
    Screen_rect screen_rect(Level_element const& element) const;
    // Pauses the game and asks for a help screen that resumes it.
    void pause_with_help(std::vector<Help_page> const& pages);

private:
    std::shared_ptr<Tutorial_context> _context;
};

// "Intro 0": what the level is for.
class Intro_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// "Intro 0": the releaser, when there is exactly one to point at.
class Molecule_releaser_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// "Intro 0": the camera controls, free to try while the water keeps moving;
// "Got it!" goes on to the next level.
class Intro_done_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// "Intro 1": the collector and its gauge.
class Portal_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// "Intro 1": the heating box and its slider.
class Static_existing_heat_element_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// "Intro 1": praise once the heat has stayed at three fifths of its upper
// limit or more for a second.
class Heat_turned_up_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;

    static constexpr float hold_seconds = 1.f;

private:
    // When the heat was last seen below the bound; the first trigger starts the hold.
    float _stamp = 0.f;
    bool _stamped = false;
};

// "Intro 2": the hot box's handles.
class Movable_existing_heat_element_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// "Level 1": the toolbar and its heating box button.
class Heat_button_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// "Level 1": the heating box the player placed.
class Heat_element_placed_event : public Tutorial_event
{
public:
    using Tutorial_event::Tutorial_event;
    bool trigger() override;
};

// The events of a tutorial level in the order they run; none for other levels.
// The caller owns them.
std::vector<Event*> tutorial_events(std::string const& level_name, std::shared_ptr<Tutorial_context> const& context);

#endif
