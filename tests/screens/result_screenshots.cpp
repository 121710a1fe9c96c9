// Wins "Level 3" with its stored solution, then renders the after-finish screen
// once its total has landed and the statistics screen during and after the
// replay, over the station backdrop, and saves the frames:
//   result_screenshots <directory>
// Run it under Xvfb; it is a looking glass for the result screens, not a test.

#include "Screenshot_window.h"

#include "screens/After_finish_screen.h"
#include "screens/Statistics_screen.h"
#include "tools/campaign/Campaign.h"
#include "widgets/Draggable_button.h"

#include "support/Capture_stdout.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>
#include <iostream>

namespace
{

bool win_with_solution(Core& core, std::string const& name)
{
    Capture_stdout quiet;
    int const index = core.get_level_names().indexOf(QString::fromStdString(name));
    for (Campaign_level const& level : campaign())
    {
        if (level.name != name || !level.solve || index < 0) continue;
        std::srand(1);
        core.load_level(index);
        core.start_level();
        level.solve(core.get_level_data());
        while (core.get_game_state() != Core::Finished && core.get_current_time() < 120.f) core.update(1.f / 64.f);
        core.set_simulation_state(false);
        return core.get_game_state() == Core::Finished;
    }
    return false;
}

Draggable_button const& button(Menu_screen const& screen, std::string const& text)
{
    for (auto const& candidate : screen.get_buttons())
        if (candidate->get_text() == text) return *candidate;
    std::cerr << "no button " << text << std::endl;
    std::exit(1);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
    {
        std::cerr << "usage: result_screenshots <directory>" << std::endl;
        return 2;
    }
    QString const directory = QDir(argv[1]).absolutePath();

    Screenshot_window window;
    if (!window.open()) return 1;
    if (!win_with_solution(window.core, "Level 3"))
    {
        std::cerr << "Level 3 was not won" << std::endl;
        return 1;
    }

    window.push_backdrop();
    After_finish_screen* finished = nullptr;
    {
        Capture_stdout quiet;
        finished = new After_finish_screen(&window.viewer, &window.core, 2);
    }
    window.viewer.add_screen(finished);
    window.step(2.5f);
    bool ok = window.save(directory + "/after-finish-counting.png");
    window.step(5.f);
    window.hover(button(*finished, "Next Level"));
    window.step(0.5f);
    ok = window.save(directory + "/after-finish.png") && ok;

    window.click(button(*finished, "Show Statistics"));
    window.step(4.f);
    ok = window.save(directory + "/statistics-replay.png") && ok;
    window.step(7.f);
    ok = window.save(directory + "/statistics.png") && ok;
    return ok ? 0 : 1;
}
