#include "screens/play/Main_game_screen.h"

#include "simulation/Core.h"
#include "widgets/Draggable_event.h"
#include "widgets/Draggable_label.h"
#include "widgets/Ui_renderer.h"

#include <QEasingCurve>

#include <algorithm>

namespace
{

float const label_width_fraction = 0.4f;
float const hud_top = 0.98f;
float const captions_end = 0.7f;
float const values_begin = 0.71f;
float const time_begins = 0.4f;
int const popup_alignment = Qt::AlignLeft | Qt::AlignVCenter;

std::shared_ptr<Draggable_label> make_label(std::string const& text)
{
    return std::make_shared<Draggable_label>(Eigen::Vector3f::Zero(), Eigen::Vector2f(0.3f, 0.2f), text);
}

// Sets the text and paints the label to fit it, keeping the point its left edge
// starts from and the row it sits in.
void paint_left_aligned(Ui_renderer& painter, Draggable_label& label, std::string const& text, float left,
                        float centre_y)
{
    label.set_text(text);
    Eigen::Vector2f const size = painter.generate_flowing_text_label(label, label_width_fraction);
    label.set_position(Eigen::Vector3f(left + size.x() / 2.f, centre_y, 0.f));
}

} // namespace

void Main_game_screen::init_hud()
{
    _shadowed_labels.clear();
    _animations.clear();
    _popups.clear();
    Ui_renderer& painter = *_ui_renderer;

    auto energy_caption = make_label("Energy");
    Eigen::Vector2f const caption_size = painter.generate_flowing_text_label(*energy_caption, label_width_fraction);
    float const energy_row = hud_top - caption_size.y() / 2.f;
    energy_caption->set_position(Eigen::Vector3f(captions_end - caption_size.x() / 2.f, energy_row, 0.f));

    auto bonus_caption = make_label("Energy Bonus");
    Eigen::Vector2f const bonus_size = painter.generate_flowing_text_label(*bonus_caption, label_width_fraction);
    float const bonus_row = hud_top - 1.5f * bonus_size.y();
    bonus_caption->set_position(Eigen::Vector3f(captions_end - bonus_size.x() / 2.f, bonus_row, 0.f));

    Sensor_data const& sensor_data = core->get_sensor_data();
    std::vector<float> const& energy = sensor_data._data[Sensor_data::Energy_consumption];
    float const energy_now = energy.empty() ? 0.f : energy.back();
    _energy_label = make_label("");
    paint_left_aligned(painter, *_energy_label, energy_label_text(energy_now), values_begin, energy_row);
    _energy_label->set_color(energy_label_color(energy_now));

    // What the label shows is where the next fall is measured from.
    _energy_bonus.reset(latest_energy_bonus(sensor_data));
    _energy_bonus_label = make_label("");
    paint_left_aligned(painter, *_energy_bonus_label, energy_bonus_text(_energy_bonus.get_shown()), values_begin,
                       bonus_row);

    _time_label = make_label("");
    std::string const time_text = time_label_text(core->get_current_time(), core->get_level_data()._score_time_factor);
    _time_label->set_text(time_text);
    Eigen::Vector2f const time_size = painter.generate_flowing_text_label(*_time_label, label_width_fraction);
    _time_label->set_position(Eigen::Vector3f(time_begins + time_size.x() / 2.f, hud_top - time_size.y() / 2.f, 0.f));

    _shadowed_labels = {energy_caption, bonus_caption, _energy_label, _energy_bonus_label, _time_label};
    for (auto const& label : _shadowed_labels) label->set_visible(shows_hud(_mode));
}

void Main_game_screen::repaint_hud()
{
    std::vector<std::shared_ptr<Draggable_label>> const popups = _popups;
    std::vector<std::shared_ptr<Draggable_event>> const animations = _animations;
    init_hud();
    _popups = popups;
    _animations = animations;
    for (auto const& popup : _popups)
    {
        _ui_renderer->generate_label_texture(*popup, popup_alignment);
        _shadowed_labels.push_back(popup);
    }
}

void Main_game_screen::update_hud()
{
    if (!_energy_label || !shows_hud(_mode)) return;
    Ui_renderer& painter = *_ui_renderer;
    Sensor_data const& sensor_data = core->get_sensor_data();

    std::vector<float> const& energy = sensor_data._data[Sensor_data::Energy_consumption];
    if (!energy.empty())
    {
        std::string const text = energy_label_text(energy.back());
        if (text != _energy_label->get_text())
        {
            float const left = _energy_label->get_position().x() - _energy_label->get_size().x() / 2.f;
            paint_left_aligned(painter, *_energy_label, text, left, _energy_label->get_position().y());
        }
        _energy_label->set_color(energy_label_color(energy.back()));
    }

    std::string const time_text = time_label_text(core->get_current_time(), core->get_level_data()._score_time_factor);
    if (time_text != _time_label->get_text())
    {
        float const left = _time_label->get_position().x() - _time_label->get_size().x() / 2.f;
        float const top = _time_label->get_position().y() + _time_label->get_size().y() / 2.f;
        _time_label->set_text(time_text);
        Eigen::Vector2f const size = painter.generate_flowing_text_label(*_time_label, label_width_fraction);
        _time_label->set_position(Eigen::Vector3f(left + size.x() / 2.f, top - size.y() / 2.f, 0.f));
    }

    if (std::optional<int> const fall = _energy_bonus.update(latest_energy_bonus(sensor_data)))
    {
        float const left = _energy_bonus_label->get_position().x() - _energy_bonus_label->get_size().x() / 2.f;
        paint_left_aligned(painter, *_energy_bonus_label, energy_bonus_text(_energy_bonus.get_shown()), left,
                           _energy_bonus_label->get_position().y());
        add_energy_bonus_popup(*fall);
    }
}

void Main_game_screen::add_energy_bonus_popup(int fall)
{
    Eigen::Vector3f const at = _energy_bonus_label->get_position() + Eigen::Vector3f(0.03f, 0.01f, 0.f);
    auto popup =
        std::make_shared<Draggable_label>(at, Eigen::Vector2f(0.1f, 0.03f), QString("-%1").arg(fall).toStdString());
    _ui_renderer->generate_label_texture(*popup, popup_alignment);
    popup->set_alpha(0.f);
    float const now = core->get_current_time();

    auto fade_in = std::make_shared<Draggable_event>(popup, Draggable_event::Fade_in, now, QEasingCurve::InOutQuad);
    fade_in->duration = 0.1f;
    auto rise = std::make_shared<Draggable_event>(popup, 0, now, QEasingCurve::OutCubic);
    rise->set_move(at, at + Eigen::Vector3f(0.f, 0.02f, 0.f));
    rise->duration = 1.f;
    auto fade_out =
        std::make_shared<Draggable_event>(popup, Draggable_event::Fade_out, now + 0.3f, QEasingCurve::InOutQuad);
    fade_out->duration = 0.3f;
    for (auto const& event : {fade_in, rise, fade_out})
    {
        event->active = true;
        _animations.push_back(event);
    }
    _shadowed_labels.push_back(popup);
    _popups.push_back(popup);
}

void Main_game_screen::forget_finished_popups(float now)
{
    auto const finished = [now](std::shared_ptr<Draggable_event> const& event) {
        return !event->active && now >= event->get_start_time();
    };
    _animations.erase(std::remove_if(_animations.begin(), _animations.end(), finished), _animations.end());

    auto const still_animated = [this](std::shared_ptr<Draggable_label> const& popup) {
        return std::any_of(_animations.begin(), _animations.end(),
                           [&popup](auto const& event) { return event->target == popup; });
    };
    for (auto popup = _popups.begin(); popup != _popups.end();)
    {
        if (still_animated(*popup))
        {
            ++popup;
            continue;
        }
        _shadowed_labels.erase(std::remove(_shadowed_labels.begin(), _shadowed_labels.end(), *popup),
                               _shadowed_labels.end());
        popup = _popups.erase(popup);
    }
}
