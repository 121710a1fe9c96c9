#ifndef TESTS_SCREENS_PLAY_TEST_H
#define TESTS_SCREENS_PLAY_TEST_H

#include "app/Viewer_test.h"

#include "screens/play/Main_game_screen.h"
#include "widgets/Draggable.h"
#include "widgets/Draggable_label.h"

#include "support/Game_driver.h"

#include <QSize>
#include <qopengl.h>

#include <memory>
#include <string>
#include <vector>

// The viewer over a full scratch copy of the game's data, its widget painter
// ready, and a driver that plays it. The viewer's context is current when a
// test starts.
class Play_test : public Viewer_test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A play screen of the mode pushed on the stack and shown.
    Main_game_screen* push_play_screen(int mode = Game_mode);
    // Loads a campaign level by name and, when asked, starts it.
    void load_level(std::string const& name, bool start = true);

    // Where the player clicks to hit the widget.
    static Eigen::Vector2f centre_of(Draggable const& widget) { return widget.get_position().head<2>(); }

    Level_data& level() { return core->get_level_data(); }

    // Clicks each of the element's handles of the sets (Draggable_box's bits)
    // in turn, where the camera shows it; those after whose click no menu ran,
    // as "kind handle number".
    std::vector<std::string> handles_without_menu(Main_game_screen& screen, Level_element const& element, int sets,
                                                  Qt::MouseButton button);

    // Resizes the window as the window system does and waits for the answer.
    void resize_window(QSize const& size);
    // The size of level 0 of a 2D texture, in the current context.
    static QSize texture_size(GLuint texture);
    // How far a widget's texture is from being drawn one texel to a pixel in
    // the window, in pixels across and up.
    Eigen::Vector2f texels_off_pixels(Draggable_label const& widget) const;

    std::unique_ptr<Game_driver> driver;
};

#endif
