#include "screens/help/Help_screen.h"

#include "app/My_viewer.h"
#include "gl/Particle_drawing.h"
#include "screens/Screen_flow.h"
#include "screens/help/Help_layout.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"
#include "widgets/Ui_renderer.h"

#include <GL/gl.h>

#include <iostream>

Help_screen::Help_screen(My_viewer* viewer, Core* core, Screen* resume_screen, int screen_flags)
    : Menu_screen(viewer, core), _resume_screen(resume_screen)
{
    flags = screen_flags;
    connect(core, &Core::level_changed, this, [this] { close_unconfirmed(); });
}

void Help_screen::add_page(Help_page const& page)
{
    _pages.push_back(page);
}

void Help_screen::layout()
{
    for (size_t i = 0; i < _pages.size(); ++i)
    {
        Help_page& page = _pages[i];
        auto label = std::make_shared<Draggable_label>(
            Eigen::Vector3f(page.x + page.width / 2.f, page.y - page.height / 2.f, 0.f),
            Eigen::Vector2f(page.width, page.height), page.text.toStdString());
        bool const last = i + 1 == _pages.size();
        auto button = last ? std::make_shared<Draggable_button>(Eigen::Vector3f::Zero(), help_button_size(), "Got it!",
                                                                [this] { confirm(); })
                           : std::make_shared<Draggable_button>(Eigen::Vector3f::Zero(), help_button_size(), "Next",
                                                                [this] { next_page(); });
        _widgets.push_back({label, button, page.width, page.height, Eigen::Vector2f(page.x, page.y)});
        place_page(i);
        label->set_visible(false);
        button->set_visible(false);
        add_label(label);
        add_button(button);
        if (page.highlight) page.particles = highlight_particles(page);
    }
    show_page(_page, true);
    if (flags == Blocks_input) hide_game_under_help(_resume_screen);
}

void Help_screen::place_page(size_t index)
{
    Page_widgets& widgets = _widgets[index];
    Help_page& page = _pages[index];
    Eigen::Vector2f text_size(widgets.requested_width, widgets.requested_height);
    // Before the window has a size the first resize paints the page.
    bool const can_paint = _ui_renderer->get_width() > 0 && _ui_renderer->get_height() > 0;
    if (can_paint) text_size = _ui_renderer->generate_flowing_text_label(*widgets.label, widgets.requested_width);

    Page_placement const placed = ::place_page(widgets.requested_corner.x(), widgets.requested_corner.y(), text_size,
                                               viewer->get_screen_aspect());
    widgets.label->set_position(placed.label_position);
    widgets.button->set_position(placed.button_position);
    page.x = placed.corner.x();
    page.y = placed.corner.y();
    page.width = placed.width;
    page.height = placed.height;
    if (can_paint) _ui_renderer->generate_button_texture(*widgets.button);
}

void Help_screen::show_page(int index, bool shown)
{
    if (index < 0 || index >= int(_widgets.size())) return;
    _widgets[size_t(index)].label->set_visible(shown);
    _widgets[size_t(index)].button->set_visible(shown);
}

void Help_screen::next_page()
{
    if (_page + 1 >= int(_pages.size())) return;
    show_page(_page, false);
    ++_page;
    show_page(_page, true);
}

void Help_screen::confirm()
{
    close_back_to(*this, _resume_screen);
    _core->set_simulation_state(true);
}

void Help_screen::close_unconfirmed()
{
    if (state == Closing || state == Closed) return;
    std::cout << "Help_screen::close_unconfirmed the level changed" << std::endl;
    // Fading out from where the fade-in got to, not from full opacity.
    if (state == Fading_in) progress = 1.f - progress;
    kill();
}

void Help_screen::resize(QSize const&)
{
    for (size_t i = 0; i < _pages.size(); ++i) place_page(i);
}

void Help_screen::follow_resume_screen()
{
    if (flags == Blocks_input || !_resume_screen) return;
    int const game = _resume_screen->get_state();
    bool const game_seen = game == Shown || game == Fading_in;
    bool const seen = state == Shown || state == Fading_in;
    if (seen && !game_seen) hide();
    if (!seen && game_seen && (state == Hidden || state == Fading_out)) show();
}

void Help_screen::update(float dt)
{
    follow_resume_screen();
    Menu_screen::update(dt);
    if (!_pages.empty() && _pages[size_t(_page)].highlight) _pages[size_t(_page)].particles.update(dt);
}

void Help_screen::draw()
{
    if (state == Hidden || _pages.empty()) return;
    Help_page const& page = _pages[size_t(_page)];
    // The ring, the box and the text all lie in the plane z = 0: with depth
    // testing, whichever came first would hide the others.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_DEPTH_TEST);
    viewer->begin_2d_drawing();
    if (page.highlight)
    {
        // The screen below may have left attenuated points for its scene.
        set_point_parameters(false);
        _ui_renderer->draw_curve_particles(page.particles, window_size().height());
    }
    draw_box(page, menu_opacity(state, progress));
    viewer->end_2d_drawing();
    Menu_screen::draw();
    glPopAttrib();
}

void Help_screen::draw_box(Help_page const& page, float alpha)
{
    Eigen::AlignedBox2f const box = help_box(page, viewer->get_screen_aspect());
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.3f, 0.3f, 0.3f, 0.2f * alpha);
    glBegin(GL_QUADS);
    glVertex2f(box.min().x(), box.min().y());
    glVertex2f(box.max().x(), box.min().y());
    glVertex2f(box.max().x(), box.max().y());
    glVertex2f(box.min().x(), box.max().y());
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

My_help_screen::My_help_screen(My_viewer* viewer, Core* core, Screen* resume_screen)
    : Help_screen(viewer, core, resume_screen, 2)
{
}

void My_help_screen::confirm()
{
    // The camera level has no goal to reach: seeing it through is finishing it,
    // or "Continue Game" would lead back to it and the last level would offer
    // a next one that does not exist.
    Progress& progress = _core->progress;
    progress.last_level =
        last_level_after(progress.last_level, _core->get_current_level(), _core->get_level_names().size());
    _core->save_progress();

    // Under the level's title as after any finished level, not over its running scene.
    leave_for_next_level(viewer, _core, *this, _resume_screen);
}
