#include "bench/Soak_player.h"

#include "app/My_viewer.h"
#include "screens/editor/Editor_screen.h"
#include "screens/help/Help_screen.h"
#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Editor_pause_screen.h"
#include "screens/menus/Level_picker_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/menus/Pause_screen.h"
#include "screens/results/After_finish_screen.h"
#include "screens/results/Statistics_screen.h"
#include "simulation/Core.h"
#include "tools/campaign/Campaign.h"
#include "widgets/Draggable_button.h"

#include "support/Game_driver.h"
#include "support/Scripted_dialogs.h"

#include <boost/core/demangle.hpp>

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <typeinfo>
#include <utility>
#include <vector>

namespace
{

// Far longer than any screen takes at the slowest frame rates seen here: a
// wait that runs out is a screen that never came.
int const screen_wait_ms = 120000;

Draggable_button* visible_button(Menu_screen const& menu, std::string const& text, float x = NAN)
{
    for (auto const& button : menu.get_buttons())
        if (button->get_text() == text && button->is_visible() &&
            (std::isnan(x) || std::abs(button->get_position().x() - x) < 1e-3f))
            return button.get();
    return nullptr;
}

Eigen::Vector2f centre_of(Draggable const& widget)
{
    return widget.get_position().head<2>();
}

} // namespace

Soak_player::Soak_player(My_viewer& viewer, Core& core, Game_driver& driver, Scripted_dialogs& dialogs)
    : _viewer(viewer), _core(core), _driver(driver), _dialogs(dialogs)
{
}

template <class Kind> Kind* Soak_player::top() const
{
    std::vector<Screen*> const screens = _viewer.get_screens().screens();
    return screens.empty() ? nullptr : dynamic_cast<Kind*>(screens.front());
}

template <class Kind> Kind& Soak_player::wait_for_top(std::string const& what)
{
    Kind* screen = nullptr;
    run_until([&] { return (screen = top<Kind>()) && screen->get_state() == Screen::Shown; }, screen_wait_ms, what);
    return *screen;
}

template <class Kind> void Soak_player::press(std::string const& text, Qt::KeyboardModifiers held)
{
    std::string const name = boost::core::demangle(typeid(Kind).name());
    Draggable_button* button = nullptr;
    QElapsedTimer waited;
    waited.start();
    run_until(
        [&] {
            Kind* menu = top<Kind>();
            return menu && menu->get_state() == Screen::Shown && (button = visible_button(*menu, text));
        },
        screen_wait_ms, "\"" + text + "\" on the " + name);
    _driver.hold_keys(held);
    _driver.click(centre_of(*button));
    _driver.hold_keys(Qt::NoModifier);
    // Nothing the game asked may wait for a later question.
    _dialogs.answers.clear();
    _dialogs.calls.clear();
    ++_counts[name + ": " + text];
    double& longest = _longest_waits[name + ": " + text];
    longest = std::max(longest, double(waited.elapsed()) / 1000.0);
}

void Soak_player::press_escape()
{
    // A help that blocks input takes the key too; it is confirmed first.
    run_until(
        [this] {
            auto* help = top<Help_screen>();
            return !help || !help->has_flag(Screen::Blocks_input);
        },
        screen_wait_ms, "the end of a help");
    _driver.press_key(Qt::Key_Escape);
    ++_counts["Escape"];
}

void Soak_player::run_until(std::function<bool()> const& condition, int milliseconds, std::string const& what)
{
    if (_driver.run_until([&] { return confirm_help(), condition(); }, milliseconds)) return;
    std::string stack;
    for (Screen* screen : _viewer.get_screens().screens())
        stack += " " + boost::core::demangle(typeid(*screen).name()) + " (" + std::to_string(screen->get_state()) + ")";
    throw std::runtime_error(what + " did not come within " + std::to_string(milliseconds / 1000) +
                             " s; the screens, top first:" + stack);
}

void Soak_player::run_for(int milliseconds)
{
    _driver.run_until([this] { return confirm_help(), false; }, milliseconds);
}

void Soak_player::confirm_help()
{
    auto* help = top<Help_screen>();
    if (!help || help->get_state() != Screen::Shown) return;
    for (char const* text : {"Next", "Got it!"})
        if (Draggable_button* button = visible_button(*help, text))
        {
            _driver.click(centre_of(*button));
            ++_counts[std::string("Help_screen: ") + text];
            return;
        }
}

Main_game_screen* Soak_player::play_screen(int mode) const
{
    for (Screen* screen : _viewer.get_screens().screens())
        if (auto* play = dynamic_cast<Main_game_screen*>(screen); play && play->get_mode() == mode) return play;
    return nullptr;
}

Main_game_screen& Soak_player::wait_for_play_screen(int mode)
{
    Main_game_screen* play = nullptr;
    run_until([&] { return (play = play_screen(mode)) && play->get_state() == Screen::Shown; }, screen_wait_ms,
              "the play screen");
    return *play;
}

void Soak_player::start_level_shown()
{
    press<Before_start_screen>("Start Level");
    wait_for_play_screen(Game_mode);
    ++_counts["levels started"];
}

void Soak_player::solve_current_level(Main_game_screen& play)
{
    Campaign_level const& level = campaign().at(size_t(_core.get_current_level()));
    if (!level.solve) throw std::runtime_error(level.name + " has no stored solution");
    level.solve(_core.get_level_data());
    // What the toolbar does after a player's placement.
    play.rebuild_element_handles();
    play.rebuild_pickables();
}

void Soak_player::play_campaign_level(std::string const& name)
{
    QStringList const& names = _core.get_level_names();
    // As a player who has come this far: the result screen offers the next level.
    _core.progress.last_level = names.indexOf(name.c_str());
    press<Main_menu_screen>("Pick Level");
    Level_picker_screen* picker = &wait_for_top<Level_picker_screen>("the level picker");
    Draggable_label* label = nullptr;
    auto const name_shown = [&] {
        for (auto const& candidate : picker->get_labels())
            if (candidate->get_text() == name && candidate->is_visible()) return (label = candidate.get()) != nullptr;
        return false;
    };
    for (int turns = 0; !name_shown(); ++turns)
    {
        if (turns > names.size()) throw std::runtime_error("the level picker never showed " + name);
        int shown = -1;
        for (auto const& candidate : picker->get_labels())
            if (candidate->is_visible()) shown = std::max(shown, int(names.indexOf(candidate->get_text().c_str())));
        press<Level_picker_screen>(names.indexOf(name.c_str()) < shown ? "<" : ">");
    }
    float const column = label->get_position().x();
    if (Draggable_button* best_run = visible_button(*picker, "Highscore", column))
    {
        _driver.click(centre_of(*best_run));
        ++_counts["Level_picker_screen: Highscore"];
        run_for(3000);
        press<Statistics_screen>("Back");
        picker = &wait_for_top<Level_picker_screen>("the level picker again");
    }
    Draggable_button* play_button = visible_button(*picker, "Play", column);
    if (!play_button) throw std::runtime_error("the level picker shows no \"Play\" under " + name);
    _driver.click(centre_of(*play_button));
    ++_counts["Level_picker_screen: Play"];

    start_level_shown();
    run_for(2000);
    press_escape();
    press<Pause_screen>("Restart Level");
    Main_game_screen& play = wait_for_play_screen(Game_mode);
    solve_current_level(play);
    run_for(2000);
    press_escape();
    press<Pause_screen>("Continue");
    wait_for_play_screen(Game_mode);

    int const score_seconds = int(_core.get_level_data()._score_time_factor);
    if (!_driver.run_until([this] { return confirm_help(), _core.get_game_state() == Core::Finished; },
                           (score_seconds + 30) * 1000))
    {
        ++_counts["levels not won in time"];
        press_escape();
        press<Pause_screen>("Back to Main Menu");
        return;
    }
    ++_counts["levels won"];

    press<After_finish_screen>("Show Statistics");
    run_for(4000);
    press<Statistics_screen>("Back");
    After_finish_screen& after = wait_for_top<After_finish_screen>("the result screen again");
    if (!visible_button(after, "Next Level"))
    {
        press<After_finish_screen>("Back to Main Menu");
        return;
    }
    press<After_finish_screen>("Next Level");
    start_level_shown();
    run_for(4000);
    press_escape();
    press<Pause_screen>("Back to Main Menu");
}

void Soak_player::settle_on_main_menu()
{
    run_until(
        [this] {
            auto* menu = top<Main_menu_screen>();
            return menu && menu->get_state() == Screen::Shown && _viewer.get_screens().screens().size() <= 2;
        },
        screen_wait_ms, "the main menu alone");
}

Editor_screen& Soak_player::open_sandbox()
{
    _dialogs.answers = {true}; // the warning before the campaign is finished
    press<Main_menu_screen>("Sandbox");
    Editor_screen& editor = wait_for_top<Editor_screen>("the editor");
    run_for(2500); // the camera's flight to the field
    return editor;
}

void Soak_player::edit_in_sandbox()
{
    Editor_screen* editor = &open_sandbox();

    // On the floor for elements, in the middle of the field for molecules.
    std::vector<std::pair<std::string, Eigen::Vector3f>> const placements{{"Box_barrier", {-28.f, -20.f, 8.f}},
                                                                          {"Brownian_box", {-12.f, -20.f, -8.f}},
                                                                          {"Sphere_portal", {20.f, -20.f, -10.f}},
                                                                          {"Molecule_releaser", {30.f, -20.f, 10.f}},
                                                                          {"Charged_barrier", {-4.f, -20.f, -10.f}},
                                                                          {"Tractor_barrier", {12.f, -20.f, 10.f}},
                                                                          {"H2O", {-20.f, 0.f, 0.f}},
                                                                          {"Na", {0.f, 0.f, 0.f}},
                                                                          {"Cl", {16.f, 0.f, 2.f}}};
    for (auto const& [kind, at] : placements)
    {
        _driver.click(centre_of(*editor->get_palette_buttons().at(kind)));
        _driver.click(_driver.pixel_of(at));
        run_for(200);
    }
    _counts["sandbox elements and molecules placed"] += int(placements.size());

    press_escape();
    press<Editor_pause_screen>("Save Level", Qt::ControlModifier);
    press<Editor_pause_screen>("Play Level");
    wait_for_play_screen(Editor_play_mode);
    run_for(5000);
    press_escape();
    press<Editor_pause_screen>("Return to Editor");
    editor = &wait_for_top<Editor_screen>("the editor after the test play");

    press_escape();
    press<Editor_pause_screen>("Load Level", Qt::ControlModifier);
    press<Editor_pause_screen>("Continue");
    editor = &wait_for_top<Editor_screen>("the editor after loading");
    _dialogs.answers = {true};
    _driver.click(centre_of(*editor->get_text_button("Clear")));
    _dialogs.answers.clear();
    ++_counts["Editor_screen: Clear"];

    press_escape();
    _dialogs.answers = {true}; // unsaved changes are lost
    press<Editor_pause_screen>("Back to Main Menu");
    ++_counts["sandbox rounds"];
}
