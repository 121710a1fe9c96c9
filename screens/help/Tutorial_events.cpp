#include "screens/help/Tutorial_events.h"

#include "simulation/Brownian_box.h"
#include "simulation/Element_properties.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Portal.h"

namespace
{

Help_page ringed(Help_page page, Eigen::Vector2f const& centre, float rx, float ry)
{
    page.highlight = true;
    page.cx = centre.x();
    page.cy = centre.y();
    page.rx = rx;
    page.ry = ry;
    return page;
}

// Pages about an element keep out of its way: high when it is low on screen.
float top_away_from(Eigen::Vector2f const& centre)
{
    return centre.y() < 0.5f ? 0.9f : 0.4f;
}

} // namespace

Tutorial_event::Tutorial_event(std::shared_ptr<Tutorial_context> context) : _context(std::move(context))
{
}

Screen_rect Tutorial_event::screen_rect(Level_element const& element) const
{
    Tutorial_context const& projector = context();
    return screen_rect_of_box([&projector](Eigen::Vector3f const& point) { return projector.project_to_screen(point); },
                              element.get_bounding_box());
}

void Tutorial_event::pause_with_help(std::vector<Help_page> const& pages)
{
    context().stop_simulation();
    Help_request request;
    request.pages = pages;
    context().queue_help(request);
}

bool Intro_event::trigger()
{
    if (context().get_time() < 5.f) return false;
    pause_with_help(
        {make_help_page("This intro level allows you to watch water molecules interact in zero-g and to experiment "
                        "with the camera controls. Have fun. :-)",
                        0.6f, 0.4f, 0.3f, 0.3f)});
    return true;
}

bool Molecule_releaser_event::trigger()
{
    if (context().get_time() < 10.f || context().get_molecule_releasers().size() != 1) return false;
    Screen_rect const rect = screen_rect(*context().get_molecule_releasers().back());
    Eigen::Vector2f const c = rect.centre();
    pause_with_help(
        {ringed(make_help_page("Molecule Releaser\nThis device releases molecules over time into the container.",
                               c.x() + rect.rx(), c.y() + 0.1f, page_extent(0.8f - c.x()), page_extent(0.8f - c.y())),
                c, rect.rx(), rect.ry())});
    return true;
}

bool Intro_done_event::trigger()
{
    if (context().get_time() < 15.f) return false;
    Help_request request;
    request.kind = Help_request::Next_level;
    // The water keeps moving, and the camera is free to look at it.
    request.flags = 2;
    request.pages = {
        make_help_page("You can now experiment with the camera controls.", 0.55f, 0.4f, 0.4f, 0.3f),
        make_help_page("Left mouse button: Rotate\nRight mouse button: Pan\nMouse wheel: Zoom\nWhen you are done "
                       "experimenting, click \"Got it!\" to advance to the next level.",
                       0.55f, 0.4f, 0.4f, 0.3f)};
    context().queue_help(request);
    context().enable_camera_controls();
    return true;
}

bool Portal_event::trigger()
{
    // A level that failed to load has no portal to point at: wait for one.
    if (context().get_time() < 9.f || context().get_portals().empty()) return false;
    Screen_rect const rect = screen_rect(*context().get_portals().back());
    Eigen::Vector2f const c = rect.centre();
    float const x = 0.2f - rect.rx();
    float const width = page_extent(c.x() - 0.2f);
    float const height = page_extent(0.8f - c.y());
    pause_with_help(
        {ringed(make_help_page(
                    "Collector\nThis device collects molecules. To complete a level, you need to gather a certain "
                    "amount of molecules in the portal.",
                    x, c.y() + 0.1f, width, height),
                c, rect.rx(), rect.ry()),
         ringed(make_help_page("Collector\nThe amount is indicated by the green progress bar attached to the portal.",
                               x, c.y() + 0.1f, width, height),
                Eigen::Vector2f(c.x(), rect.y0 - 0.02f), rect.rx(), 0.05f)});
    return true;
}

bool Static_existing_heat_element_event::trigger()
{
    if (context().get_time() < 13.f || context().get_brownian_elements().empty()) return false;
    Brownian_element const& heat = *context().get_brownian_elements().back();
    Screen_rect const rect = screen_rect(heat);
    Eigen::Vector2f const c = rect.centre();
    Eigen::Vector3f const position = heat.get_position();
    Eigen::Vector2f const slider =
        context().project_to_screen(Eigen::Vector3f(position.x(), heat.get_bounding_box().min().y(), position.z()));
    float const rise = rect.y1 - rect.y0;
    float const top = top_away_from(c);
    pause_with_help(
        {ringed(make_help_page(
                    "Temperature element\nHeat is motion of atoms and molecules. If you heat up an area, molecules "
                    "will start to move around faster, if you cool it down, they move slower.",
                    0.15f, top, 0.7f, 0.4f),
                c, rect.rx(), rect.ry()),
         ringed(
             make_help_page("Temperature element\nThe slider below the center of the element allows you to change the "
                            "temperature. Try now to increase the temperature to agitate the molecules.",
                            0.15f, top, 0.7f, 0.4f),
             Eigen::Vector2f(slider.x(), slider.y() - 0.1f * rise), rect.rx(), 0.1f * std::abs(rise))});
    return true;
}

bool Heat_turned_up_event::trigger()
{
    float const now = context().get_time();
    if (!_stamped)
    {
        _stamp = now;
        _stamped = true;
    }

    bool hot = false;
    if (!context().get_brownian_elements().empty())
    {
        Brownian_element const& heat = *context().get_brownian_elements().back();
        // A box without a strength range has the range a heating box is made with.
        float const hottest = float_property_max(heat.get_properties(), "strength", 50.f);
        // As a ratio: 0.6f x 50 rounds above 30, and 30 is hot enough.
        hot = heat.get_strength() * 5.f >= hottest * 3.f;
    }
    if (!hot)
    {
        _stamp = now;
        return false;
    }
    if (now - _stamp < hold_seconds) return false;

    pause_with_help(
        {make_help_page("Well done! The molecules will now move faster in the hot area and diffuse into the green "
                        "portal.",
                        0.3f, 0.3f, 0.4f, 0.4f)});
    return true;
}

bool Movable_existing_heat_element_event::trigger()
{
    if (context().get_time() < 5.f || context().get_brownian_elements().empty()) return false;
    Screen_rect const rect = screen_rect(*context().get_brownian_elements().back());
    Eigen::Vector2f const c = rect.centre();
    pause_with_help(
        {ringed(make_help_page("Temperature element\nThe element is already hot. Move and scale the element with the "
                               "buttons in its center and the corners so that it agitates the molecules.",
                               0.15f, top_away_from(c), 0.7f, 0.4f),
                c, rect.rx(), rect.ry())});
    return true;
}

bool Heat_button_event::trigger()
{
    if (context().get_time() < 5.f) return false;
    float const a = context().get_screen_aspect();
    pause_with_help(
        {ringed(make_help_page(
                    "Available Elements\nUp here, you find the game elements that you can freely use to manipulate "
                    "the molecules in each level.",
                    0.05f, 0.87f, 0.4f, 0.4f),
                Eigen::Vector2f(0.1f, 0.95f), 0.08f, 0.028f * a),
         ringed(make_help_page(
                    "Temperature Element\nThis one is the temperature element from the intro. Click the button and "
                    "then click in the container to place the element.",
                    0.05f, 0.87f, 0.4f, 0.4f),
                Eigen::Vector2f(0.05f, 0.95f), 0.028f, 0.028f * a)});
    return true;
}

bool Heat_element_placed_event::trigger()
{
    if (context().get_brownian_elements().empty()) return false;
    Screen_rect const rect = screen_rect(*context().get_brownian_elements().back());
    Eigen::Vector2f const c = rect.centre();
    pause_with_help(
        {ringed(make_help_page("Well done. Now as before, change the temperature, location and size of the element "
                               "to bring the molecules into the green portal on the right.",
                               0.15f, top_away_from(c), 0.7f, 0.4f),
                c, rect.rx(), rect.ry())});
    return true;
}

std::vector<Event*> tutorial_events(std::string const& level_name, std::shared_ptr<Tutorial_context> const& context)
{
    if (level_name == "Intro 0")
        return {new Intro_event(context), new Molecule_releaser_event(context), new Intro_done_event(context)};
    if (level_name == "Intro 1")
        return {new Portal_event(context), new Static_existing_heat_element_event(context),
                new Heat_turned_up_event(context)};
    if (level_name == "Intro 2") return {new Movable_existing_heat_element_event(context)};
    if (level_name == "Level 1") return {new Heat_button_event(context), new Heat_element_placed_event(context)};
    return {};
}
