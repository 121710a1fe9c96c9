#ifndef SCREENS_HELP_TUTORIAL_CONTEXT_H
#define SCREENS_HELP_TUTORIAL_CONTEXT_H

#include "screens/help/Help_page.h"

#include <Eigen/Core>

#include <vector>

class Brownian_element;
class Molecule_releaser;
class Portal;

// A help screen a tutorial event wants shown: which kind, its screen flags and
// its pages, before any widget exists.
struct Help_request
{
    enum Kind
    {
        // "Got it!" resumes the game.
        Resume_game,
        // "Got it!" goes on to the next level.
        Next_level
    };

    Kind kind = Resume_game;
    int flags = 1;
    std::vector<Help_page> pages;
};

// Everything the tutorial events read and do, so that they run against a stub
// as well as against the game: the simulation time, the level's element lists
// (newest last), where the camera shows a point, and where help goes.
class Tutorial_context
{
public:
    virtual ~Tutorial_context() = default;

    virtual float get_time() const = 0;
    virtual std::vector<Brownian_element*> const& get_brownian_elements() const = 0;
    virtual std::vector<Portal*> const& get_portals() const = 0;
    virtual std::vector<Molecule_releaser*> const& get_molecule_releasers() const = 0;
    // In normalised window coordinates, y up.
    virtual Eigen::Vector2f project_to_screen(Eigen::Vector3f const& point) const = 0;
    // Window width / height.
    virtual float get_screen_aspect() const = 0;

    virtual void stop_simulation() = 0;
    virtual void enable_camera_controls() = 0;
    // Shown on top once the frame's updates are over.
    virtual void queue_help(Help_request const& request) = 0;
};

#endif
