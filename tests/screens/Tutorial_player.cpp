#include "Tutorial_player.h"

#include "app/My_viewer.h"
#include "screens/help/Help_screen.h"
#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/play/Main_game_screen.h"
#include "screens/results/After_finish_screen.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Plane_barrier.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"

#include "support/Game_driver.h"

#include <Eigen/Geometry>

#include <stdexcept>

namespace
{

// One frame is one physics step of the driver's at the game's speed of 1.
int frames_for(float seconds)
{
    return int(seconds / Game_driver::default_physics_step) + 1;
}

} // namespace

Tutorial_player::Tutorial_player(My_viewer& viewer, Core& core, Game_driver& driver)
    : _viewer(viewer), _core(core), _driver(driver)
{
}

template <class Kind> Kind* Tutorial_player::top() const
{
    std::vector<Screen*> const screens = _viewer.get_screens().screens();
    return screens.empty() ? nullptr : dynamic_cast<Kind*>(screens.front());
}

std::string Tutorial_player::level_name() const
{
    return _core.get_level_name(_core.get_current_level());
}

void Tutorial_player::wait_for(std::function<bool()> const& condition, float seconds, std::string const& what)
{
    if (!_driver.step_frames_until(condition, frames_for(seconds)))
        throw std::runtime_error(what + " did not come within " + std::to_string(seconds) + " s in " + level_name());
}

void Tutorial_player::click_button(Menu_screen const& menu, std::string const& text)
{
    for (auto const& button : menu.get_buttons())
    {
        if (button->get_text() != text || !button->is_visible()) continue;
        _driver.click(Eigen::Vector2f(button->get_position().head<2>()));
        return;
    }
    throw std::runtime_error("no button \"" + text + "\" to click in " + level_name());
}

Main_game_screen& Tutorial_player::play_screen() const
{
    for (Screen* screen : _viewer.get_screens().screens())
        if (auto* play = dynamic_cast<Main_game_screen*>(screen)) return *play;
    throw std::runtime_error("no play screen on the stack");
}

Brownian_box& Tutorial_player::newest_heat() const
{
    std::vector<Brownian_element*> const& heat = _core.get_level_data()._brownian_elements;
    auto* box = heat.empty() ? nullptr : dynamic_cast<Brownian_box*>(heat.back());
    if (!box) throw std::runtime_error("no heating box in " + level_name());
    return *box;
}

void Tutorial_player::start_new_game()
{
    Main_menu_screen* menu = nullptr;
    wait_for([&] { return (menu = top<Main_menu_screen>()) && menu->get_state() == Screen::Shown; }, 2.f,
             "the main menu");
    click_button(*menu, "Start New Game");
}

void Tutorial_player::play_through()
{
    start_new_game();

    start_level("Intro 0");
    confirm_next_help(6.f, 1);
    confirm_next_help(6.f, 1);
    // The camera help; its "Got it!" leads to the next level.
    confirm_next_help(6.f, 2);

    start_level("Intro 1");
    confirm_next_help(10.f, 2);
    confirm_next_help(5.f, 2);
    turn_up(newest_heat());
    confirm_next_help(2.f, 1);
    win(60.f);
    go_on();

    Eigen::Vector3f const spread_position(-6.f, 0.f, 0.f);
    Eigen::Vector3f const spread_extent(60.f, 40.f, 30.f);
    start_level("Intro 2");
    confirm_next_help(6.f, 1);
    move_and_scale(newest_heat(), spread_position, spread_extent);
    win(60.f);
    go_on();

    start_level("Level 1");
    confirm_next_help(6.f, 2);
    Brownian_box& placed = place_heat(-20.f, 0.f);
    confirm_next_help(1.f, 1);
    turn_up(placed);
    move_and_scale(placed, spread_position, spread_extent);
    win(60.f);
}

void Tutorial_player::start_level(std::string const& name)
{
    last_level_at_start.push_back(_core.progress.last_level);
    Before_start_screen* before = nullptr;
    wait_for([&] { return (before = top<Before_start_screen>()) && before->get_state() == Screen::Shown; }, 2.f,
             "the before-start screen of " + name);
    if (level_name() != name)
        throw std::runtime_error("the before-start screen names " + level_name() + ", not " + name);
    click_button(*before, "Start Level");
    wait_for([this] { return play_screen().get_state() == Screen::Shown; }, 2.f, "the play screen");
}

void Tutorial_player::confirm_next_help(float seconds, int pages)
{
    Help_screen* help = nullptr;
    wait_for([&] { return (help = top<Help_screen>()) && help->get_state() == Screen::Shown; }, seconds + 1.1f,
             "a help screen");
    if (int(help->get_pages().size()) != pages)
        throw std::runtime_error("a help of " + std::to_string(help->get_pages().size()) + " pages, not " +
                                 std::to_string(pages) + ", in " + level_name());
    for (int page = 0; page < pages; ++page)
    {
        if (help->get_page() != page) throw std::runtime_error("the help shows the wrong page");
        if (on_page) on_page(*help, page);
        pages_read.push_back(level_name() + ": " + help->get_pages()[size_t(page)].text.toStdString());
        click_button(*help, page + 1 < pages ? "Next" : "Got it!");
        _driver.step_frame();
    }
    if (help->get_state() != Screen::Closing) throw std::runtime_error("\"Got it!\" left the help up");
}

void Tutorial_player::win(float seconds)
{
    wait_for([this] { return _core.get_game_state() == Core::Finished; }, seconds, "the win");
    wait_for([this] { return top<After_finish_screen>() != nullptr; }, 1.f, "the result screen");
}

void Tutorial_player::go_on()
{
    After_finish_screen* after = nullptr;
    auto const next_shown = [&] {
        if (!(after = top<After_finish_screen>())) return false;
        for (auto const& button : after->get_buttons())
            if (button->get_text() == "Next Level" && button->is_visible()) return true;
        return false;
    };
    wait_for(next_shown, 20.f, "\"Next Level\"");
    click_button(*after, "Next Level");
}

void Tutorial_player::turn_up(Brownian_box& heat)
{
    Draggable_box* box = play_screen().get_handle_box(&heat);
    if (!box) throw std::runtime_error("the heating box has no handles");
    auto const slider = box->get_parameter_handles().find("strength");
    if (slider == box->get_parameter_handles().end())
        throw std::runtime_error("the heating box has no strength slider");
    // Past the track's end: the track holds the handle there.
    Eigen::Vector3f at_end = slider->second.get_position();
    at_end.x() = box->get_handle_range() + 2.f;
    Eigen::Affine3f frame = Eigen::Affine3f::Identity();
    frame.translate(box->get_position());
    _driver.drag(slider->second.get_world_position(), frame * (Eigen::Affine3f(box->get_transform()) * at_end));
}

void Tutorial_player::move_and_scale(Brownian_box& heat, Eigen::Vector3f const& position, Eigen::Vector3f const& extent)
{
    Draggable_box* box = play_screen().get_handle_box(&heat);
    if (!box || box->get_translation_handles().empty() || box->get_scale_handles().empty())
        throw std::runtime_error("the heating box cannot be moved and scaled");
    // The move handle sits on the near face; it carries the box across that face.
    Eigen::Vector3f const near_face(0.f, heat.get_position().y() - heat.get_extent().y() / 2.f, 0.f);
    _driver.drag(box->get_translation_handles().front().get_world_position(),
                 Eigen::Vector3f(position.x(), near_face.y(), position.z()));

    // The top right corner of the near face scales the box about its centre.
    box = play_screen().get_handle_box(&heat);
    Draggable_point& corner = box->get_scale_handles()[3];
    Eigen::Vector3f const half = extent / 2.f;
    _driver.drag(corner.get_world_position(),
                 Eigen::Vector3f(position.x() + half.x(), near_face.y(), position.z() + half.z()));
}

Brownian_box& Tutorial_player::place_heat(float x, float z)
{
    Main_game_screen& play = play_screen();
    Level_data& level = _core.get_level_data();
    if (play.get_buttons().empty()) throw std::runtime_error("the toolbar is empty");
    // The only kind the level offers comes first.
    _driver.click(Eigen::Vector2f(play.get_buttons().front()->get_position().head<2>()));
    float const near_face = level._game_field_borders.at(Level_data::Y_min)->get_position().y();
    size_t const before = level._brownian_elements.size();
    _driver.click(_driver.pixel_of(Eigen::Vector3f(x, near_face, z)));
    if (level._brownian_elements.size() != before + 1) throw std::runtime_error("no heating box was placed");
    return newest_heat();
}
