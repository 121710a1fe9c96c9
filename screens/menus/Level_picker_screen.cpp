#include "screens/menus/Level_picker_screen.h"

#include "app/My_viewer.h"
#include "screens/Screen_flow.h"
#include "screens/menus/Level_pages.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"

#include <iostream>

namespace
{

std::shared_ptr<Draggable_button>
make_button(Menu_item const& item, std::function<void(std::string const&)> const& action, std::string const& argument)
{
    return std::make_shared<Draggable_button>(item.position, item.size, item.text, action, argument);
}

} // namespace

Level_picker_screen::Level_picker_screen(My_viewer* viewer, Core* core, Screen*) : Menu_screen(viewer, core)
{
    flags = Blocks_input;
    QStringList const& names = core->get_level_names();
    for (int i = 0; i < names.size(); ++i)
    {
        std::string const name = names[i].toStdString();
        std::vector<Menu_item> const items = level_items(i, name);
        _name_labels.push_back(std::make_shared<Draggable_label>(items[0].position, items[0].size, items[0].text));
        _play_buttons.push_back(make_button(
            items[1], [this](std::string const& level) { play_level(level); }, name));
        _highscore_buttons.push_back(make_button(
            items[2], [this](std::string const& level) { show_best_run(level); }, name));
        add_label(_name_labels.back());
        add_button(_play_buttons.back());
        add_button(_highscore_buttons.back());
    }

    std::vector<Menu_item> const navigation = picker_navigation_items();
    auto const turn = [this](std::string const& direction) { show_page(_page + (direction == "left" ? -1 : 1)); };
    _navigation_buttons.push_back(make_button(navigation[0], turn, "left"));
    _navigation_buttons.push_back(make_button(navigation[1], turn, "right"));
    for (auto const& button : _navigation_buttons) add_button(button);
    add_button(std::make_shared<Draggable_button>(navigation[2].position, navigation[2].size, navigation[2].text,
                                                  [this] { back_to_main_menu(); }));

    generate_textures();
    show_page(0);
}

void Level_picker_screen::show_page(int page)
{
    std::vector<bool> has_runs;
    for (QString const& name : _core->get_level_names())
    {
        auto const runs = _core->progress.scores.find(name.toStdString());
        has_runs.push_back(runs != _core->progress.scores.end() && !runs->second.empty());
    }

    Level_page const shown = level_page(page, _core->progress.last_level, has_runs);
    _page = shown.page;
    for (size_t i = 0; i < has_runs.size(); ++i)
    {
        _name_labels[i]->set_visible(shown.name_shown[i]);
        _play_buttons[i]->set_visible(shown.play_shown[i]);
        _highscore_buttons[i]->set_visible(shown.highscore_shown[i]);
    }
    _navigation_buttons[0]->set_visible(shown.previous_shown);
    _navigation_buttons[1]->set_visible(shown.next_shown);
}

void Level_picker_screen::play_level(std::string const& name)
{
    std::cout << "Level_picker_screen::play_level name: " << name << std::endl;
    int const index = _core->get_level_names().indexOf(QString::fromStdString(name));
    if (index < 0)
    {
        std::cout << "Level_picker_screen::play_level no such level: " << name << std::endl;
        return;
    }
    _core->load_level(index);
    _core->load_default_simulation_settings();
    leave_for_before_start(viewer, _core, *this);
}

void Level_picker_screen::show_best_run(std::string const& name)
{
    auto const runs = _core->progress.scores.find(name);
    if (runs == _core->progress.scores.end()) return;
    int const best = best_run_index(runs->second);
    if (best < 0) return;
    _shown_run = runs->second[size_t(best)];
    show_statistics_over(viewer, _core, *this, &_shown_run);
}

void Level_picker_screen::back_to_main_menu()
{
    leave_for_main_menu(viewer, _core, *this);
}
