#include "screens/results/Statistics_screen.h"

#include "app/My_viewer.h"
#include "screens/Screen_flow.h"
#include "screens/results/Finished_run.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_event.h"
#include "widgets/Draggable_statistics.h"
#include "widgets/Ui_renderer.h"

Statistics_screen::Statistics_screen(My_viewer* viewer, Core* core, Screen* previous, Score const* score)
    : Menu_screen(viewer, core), _previous_screen(previous), _score(score)
{
    flags = Blocks_input;

    _plots.resize(4);
    for (Plot_item const& item : statistics_plots())
    {
        auto plot = std::make_shared<Draggable_statistics>(item.position, item.size, item.title);
        plot->set_duration(plot_duration);
        _plots[size_t(item.series)] = plot;
    }

    add_items(statistics_buttons(), {{Menu_item::Back, [this] { back(); }}, {Menu_item::Repeat, [this] { repeat(); }}});
    _capture_score_label = std::make_shared<Draggable_label>(Eigen::Vector3f(0.75f, 0.6f, 0.f),
                                                             Eigen::Vector2f(0.3f, 0.1f), result_digits(0));
    _capture_score_label->set_color(capture_score_color);
    _energy_label = std::make_shared<Draggable_label>(Eigen::Vector3f(0.75f, 0.2f, 0.f), Eigen::Vector2f(0.3f, 0.1f),
                                                      result_digits(0));
    _energy_label->set_color(energy_bonus_color);
    add_label(_capture_score_label);
    add_label(_energy_label);

    for (int series : {1, 0, 2, 3})
    {
        auto animation =
            std::make_shared<Draggable_event>(_plots[size_t(series)], Draggable_event::Animate_target, 0.f);
        animation->duration = plot_duration;
        animation->active = true;
        _animations.push_back(animation);
    }

    build_plot_curves();
    generate_plot_textures();
    generate_textures();
}

Statistics_screen::~Statistics_screen()
{
    // The plots delete their textures in the window's context.
    viewer->makeCurrent();
}

void Statistics_screen::build_plot_curves()
{
    std::vector<std::vector<float>> const series = plot_series(_score->sensor_data);
    for (size_t i = 0; i < _plots.size(); ++i) _plots[i]->init_particles(series[i]);

    Draggable_statistics const& collected = *_plots[Sensor_data::Collected_molecules];
    _popup_plan = capture_popups(*_score, collected.get_particles().get_curve(), collected.get_position(),
                                 collected.get_size(), plot_duration);
    for (Capture_popup const& popup : _popup_plan)
    {
        auto label = std::make_shared<Draggable_label>(popup.position, Eigen::Vector2f(0.1f, 0.05f),
                                                       std::to_string(popup.points));
        label->set_color(capture_score_color);
        label->set_alpha(0.f);
        add_label(label);
        _popups.push_back(label);

        auto fade_in = std::make_shared<Draggable_event>(label, Draggable_event::Fade_in, popup.time);
        fade_in->duration = 0.1f;
        fade_in->finished_callback = [this] { update_capture_score_label(); };
        auto rise = std::make_shared<Draggable_event>(label, 0, popup.time, QEasingCurve::OutCubic);
        rise->set_move(popup.position, popup.position + Eigen::Vector3f(0.f, 0.05f, 0.f));
        auto fade_out = std::make_shared<Draggable_event>(label, Draggable_event::Fade_out, popup.time + 1.f);
        for (auto const& animation : {fade_in, rise, fade_out})
        {
            animation->active = true;
            _animations.push_back(animation);
        }
    }
}

void Statistics_screen::generate_plot_textures()
{
    if (!can_paint()) return;
    float const time_factor = _core->get_level_data()._score_time_factor;
    _ui_renderer->generate_statistics_texture(*_plots[0], _score->full_time, time_factor);
    for (int series : {2, 1, 3})
        _ui_renderer->generate_statistics_texture(*_plots[size_t(series)], _score->full_time, -1.f);
}

void Statistics_screen::resize(QSize const& size)
{
    Menu_screen::resize(size);
    generate_plot_textures();
}

void Statistics_screen::draw()
{
    if (state == Hidden) return;
    viewer->begin_2d_drawing();
    for (auto const& plot : _plots) viewer->draw_statistics(*plot);
    viewer->end_2d_drawing();
    Menu_screen::draw();
}

void Statistics_screen::update(float dt)
{
    Menu_screen::update(dt);
    for (auto const& animation : _animations) animation->update(get_time(), dt);
    update_energy_label();
}

float Statistics_screen::run_time() const
{
    return replay_run_time(get_time(), plot_duration, _score->full_time);
}

void Statistics_screen::update_capture_score_label()
{
    _capture_score_label->set_text(result_digits(capture_score_shown(_popup_plan, get_time())));
    refresh_label(*_capture_score_label);
}

void Statistics_screen::update_energy_label()
{
    std::string const text = result_digits(energy_bonus_at(*_score, run_time()));
    if (text == _energy_label->get_text() && _energy_label->get_texture() != 0) return;
    _energy_label->set_text(text);
    refresh_label(*_energy_label);
}

void Statistics_screen::back()
{
    close_back_to(*this, _previous_screen);
}

void Statistics_screen::repeat()
{
    for (auto const& plot : _plots) plot->restart();
    for (auto const& animation : _animations) animation->restart();
    // Pop-ups caught mid-flight start again unseen from their places.
    for (size_t i = 0; i < _popups.size(); ++i)
    {
        _popups[i]->set_alpha(0.f);
        _popups[i]->set_position(_popup_plan[i].position);
    }
    reset_time();
    _capture_score_label->set_text(result_digits(0));
    refresh_label(*_capture_score_label);
}
