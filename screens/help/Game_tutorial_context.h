#ifndef SCREENS_HELP_GAME_TUTORIAL_CONTEXT_H
#define SCREENS_HELP_GAME_TUTORIAL_CONTEXT_H

#include "screens/help/Tutorial_context.h"

#include <QPointer>

class Core;
class My_viewer;
class Screen;

// The tutorial in the running game: the level is Core's, the camera the
// viewer's, and help screens go on the viewer's stack over the play screen,
// which they hide and resume.
class Game_tutorial_context : public Tutorial_context
{
public:
    Game_tutorial_context(Core* core, My_viewer* viewer, Screen* play_screen);

    float get_time() const override;
    std::vector<Brownian_element*> const& get_brownian_elements() const override;
    std::vector<Portal*> const& get_portals() const override;
    std::vector<Molecule_releaser*> const& get_molecule_releasers() const override;
    Eigen::Vector2f project_to_screen(Eigen::Vector3f const& point) const override;
    float get_screen_aspect() const override;

    void stop_simulation() override;
    void enable_camera_controls() override;
    void queue_help(Help_request const& request) override;

private:
    Core* _core;
    My_viewer* _viewer;
    QPointer<Screen> _play_screen;
};

#endif
