#include "screens/menus/Titled_menu_screen.h"

#include "app/My_viewer.h"
#include "gl/Particle_drawing.h"
#include "gl/Random_vector.h"
#include "widgets/Ui_renderer.h"

Titled_menu_screen::Titled_menu_screen(My_viewer* viewer, Core* core, std::string const& title, QRectF const& rectangle,
                                       float flight_seconds)
    : Menu_screen(viewer, core), _title(flight_seconds)
{
    flags = Blocks_input;
    _title.generate_from_text(title, viewer->get_title_font(), rectangle, viewer->get_screen_aspect());
}

void Titled_menu_screen::draw()
{
    Menu_screen::draw();
    if (state == Hidden) return;
    // The screen below may have left attenuated points for its scene.
    set_point_parameters(false);
    _ui_renderer->draw_targeted_particles(_title, window_size().height());
}

void Titled_menu_screen::update(float dt)
{
    Menu_screen::update(dt);
    _title.update(dt);
}

void Titled_menu_screen::burst()
{
    for (Targeted_particle& particle : _title.get_particles()) particle.speed = random_unit_vector() * 1.5f;
}
