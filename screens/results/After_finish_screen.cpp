#include "screens/results/After_finish_screen.h"

#include "app/My_viewer.h"
#include "gl/Particle_drawing.h"
#include "gl/Random_vector.h"
#include "screens/Screen_flow.h"
#include "screens/results/Finished_run.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_event.h"
#include "widgets/Ui_renderer.h"

#include <iostream>

After_finish_screen::After_finish_screen(My_viewer* viewer, Core* core, int game_mode) : Menu_screen(viewer, core)
{
    flags = Blocks_input;
    init(game_mode);
}

After_finish_screen::~After_finish_screen()
{
    // The labels delete their textures in the window's context.
    viewer->makeCurrent();
}

void After_finish_screen::init(int game_mode)
{
    int const level_count = _core->get_level_names().size();
    add_items(after_finish_buttons(game_mode, _core->progress.last_level, level_count, _core->get_current_level()),
              {{Menu_item::Next_level, [this] { next_level(); }},
               {Menu_item::Play_again, [this] { play_again(); }},
               {Menu_item::Back_to_editor, [this] { back_to_editor(); }},
               {Menu_item::Back_to_main_menu, [this] { back_to_main_menu(); }},
               {Menu_item::Show_statistics, [this] { show_statistics(); }}});

    std::vector<std::shared_ptr<Draggable_label>> labels;
    for (Sliding_label const& item : after_finish_labels())
    {
        auto label = std::make_shared<Draggable_label>(item.from, item.size, item.text);
        label->set_color(item.color);
        add_label(label);
        labels.push_back(label);

        auto slide = std::make_shared<Draggable_event>(label, Draggable_event::Move, 0.f);
        slide->set_move(item.from, item.to);
        slide->active = true;
        _animations.push_back(slide);
    }
    _animations.front()->finished_callback = [this] { start_count_up(); };
    _portal_score_label = labels[3];
    _energy_bonus_label = labels[4];

    generate_textures();
    for (auto const& button : get_buttons()) button->set_visible(false);

    _score.sensor_data = _core->get_sensor_data();
    Level_data const& level = _core->get_level_data();
    _score.calculate(level._score_time_factor, molecules_to_capture(level));

    if (game_mode != Game_mode) return;
    std::string const level_name = _core->get_level_name(_core->get_current_level());
    if (record_finished_run(_core->progress, _core->get_current_level(), level_name, _score, level_count))
        std::cout << "After_finish_screen::init new highscore" << std::endl;
    _core->save_progress();
}

void After_finish_screen::draw()
{
    if (state == Hidden) return;
    Menu_screen::draw();
    // The screen below may have left attenuated points for its scene.
    set_point_parameters(false);
    _ui_renderer->draw_targeted_particles(_particles, window_size().height());
}

void After_finish_screen::update(float dt)
{
    Menu_screen::update(dt);
    step_count_up();
    _particles.update(dt);
    for (auto const& animation : _animations) animation->update(get_time(), dt);
}

void After_finish_screen::start_count_up()
{
    _count_up_start = get_time();
}

void After_finish_screen::step_count_up()
{
    if (!is_counting_up()) return;
    Count_up const shown = count_up_at(get_time() - _count_up_start, _score.final_score, _score._energy_bonus);
    show_numbers(shown.portal_score, shown.energy_bonus);
    if (!shown.finished) return;
    _count_up_start = 101.f;
    finish_count_up();
}

void After_finish_screen::show_numbers(int portal_score, int energy_bonus)
{
    _portal_score_label->set_text(result_digits(portal_score));
    refresh_label(*_portal_score_label);
    _energy_bonus_label->set_text(result_digits(energy_bonus));
    refresh_label(*_energy_bonus_label);
}

void After_finish_screen::finish_count_up()
{
    int const total = _score._energy_bonus + _score.final_score;
    _particles = Targeted_particle_system(3.f);
    _particles.generate_from_text(result_digits(total), viewer->get_title_font(), QRectF(0.0, 0.55, 1.0, 0.3),
                                  viewer->get_screen_aspect());
    for (auto const& button : get_buttons()) button->set_visible(true);
}

void After_finish_screen::scatter_total()
{
    for (Targeted_particle& particle : _particles.get_particles()) particle.target = random_unit_vector() * 1.5f;
}

void After_finish_screen::next_level()
{
    scatter_total();
    leave_for_next_level(viewer, _core, *this);
}

void After_finish_screen::play_again()
{
    scatter_total();
    // Only a level played from the editor is played again.
    play_again_from_results(_core, *this);
}

void After_finish_screen::back_to_editor()
{
    scatter_total();
    // The way back from a test play that the editor's pause takes too, which
    // also ends the finished level, so the editor's counts are its own again.
    return_to_editor(viewer, _core);
}

void After_finish_screen::back_to_main_menu()
{
    scatter_total();
    leave_for_main_menu(viewer, _core, *this);
}

void After_finish_screen::show_statistics()
{
    show_statistics_over(viewer, _core, *this, &_score);
}
