#include "screens/help/Game_tutorial_context.h"

#include "app/My_viewer.h"
#include "screens/Screen_flow.h"
#include "screens/help/Help_screen.h"
#include "simulation/Core.h"

Game_tutorial_context::Game_tutorial_context(Core* core, My_viewer* viewer, Screen* play_screen)
    : _core(core), _viewer(viewer), _play_screen(play_screen)
{
}

float Game_tutorial_context::get_time() const
{
    return _core->get_current_time();
}

std::vector<Brownian_element*> const& Game_tutorial_context::get_brownian_elements() const
{
    return _core->get_level_data()._brownian_elements;
}

std::vector<Portal*> const& Game_tutorial_context::get_portals() const
{
    return _core->get_level_data()._portals;
}

std::vector<Molecule_releaser*> const& Game_tutorial_context::get_molecule_releasers() const
{
    return _core->get_level_data()._molecule_releasers;
}

Eigen::Vector2f Game_tutorial_context::project_to_screen(Eigen::Vector3f const& point) const
{
    return _viewer->project_to_screen(point);
}

float Game_tutorial_context::get_screen_aspect() const
{
    return _viewer->get_screen_aspect();
}

void Game_tutorial_context::stop_simulation()
{
    _core->set_simulation_state(false);
}

void Game_tutorial_context::enable_camera_controls()
{
    _viewer->enable_camera_controls();
}

void Game_tutorial_context::queue_help(Help_request const& request)
{
    Help_screen* help = request.kind == Help_request::Next_level
                            ? new My_help_screen(_viewer, _core, _play_screen)
                            : new Help_screen(_viewer, _core, _play_screen, request.flags);
    for (Help_page const& page : request.pages) help->add_page(page);
    help->layout();
    raise_help(_viewer, help);
}
