#ifndef SCREENS_MENUS_LEVEL_PICKER_SCREEN_H
#define SCREENS_MENUS_LEVEL_PICKER_SCREEN_H

#include "screens/menus/Menu_screen.h"
#include "simulation/Score.h"

#include <memory>
#include <string>
#include <vector>

// The campaign's levels three to a page: any level reached can be played, and
// the best run of a finished one replayed in the statistics screen.
class Level_picker_screen : public Menu_screen
{
public:
    // The opener, the main menu, is not used.
    Level_picker_screen(My_viewer* viewer, Core* core, Screen* opener);

    int get_page() const { return _page; }
    void show_page(int page);

private:
    void play_level(std::string const& name);
    void show_best_run(std::string const& name);
    void back_to_main_menu();

    int _page = 0;
    std::vector<std::shared_ptr<Draggable_label>> _name_labels;
    std::vector<std::shared_ptr<Draggable_button>> _play_buttons;
    std::vector<std::shared_ptr<Draggable_button>> _highscore_buttons;
    std::vector<std::shared_ptr<Draggable_button>> _navigation_buttons;
    // The statistics screen shows this copy, which no change to the progress moves.
    Score _shown_run;
};

#endif
