#include "Menu_test.h"

#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"
#include "screens/menus/Main_menu_screen.h"
#include "widgets/Draggable_button.h"

#include <QApplication>
#include <QGLContext>
#include <QGLShaderProgram>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

#include <gmock/gmock.h>

#include <memory>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{

class Menu_screen_test : public Menu_test
{
protected:
    Main_menu_screen* show_main_menu()
    {
        Capture_stdout quiet;
        return show(new Main_menu_screen(viewer.get(), core.get()));
    }

    bool move_to(Menu_screen& menu, QPoint position)
    {
        QMouseEvent move(QEvent::MouseMove, position, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        return menu.mouseMoveEvent(&move);
    }

    // How far a pixel is from white, the window's clear colour.
    static int darkness(QRgb pixel) { return 765 - qRed(pixel) - qGreen(pixel) - qBlue(pixel); }
};

std::vector<std::string> texts_of(Menu_screen const& menu)
{
    std::vector<std::string> texts;
    for (auto const& button : menu.get_buttons()) texts.push_back(button->get_text());
    for (auto const& label : menu.get_labels()) texts.push_back("label " + label->get_text());
    return texts;
}

TEST_F(Menu_screen_test, the_main_menu_follows_the_progress_and_paints_every_item)
{
    core->progress.last_level = 2;
    // Built while another context is current, as a timer or a handler might:
    // its textures and programs still belong to the window.
    widget()->makeCurrent();
    Main_menu_screen* menu = nullptr;
    {
        Capture_stdout quiet;
        menu = new Main_menu_screen(viewer.get(), core.get());
    }
    EXPECT_EQ(QOpenGLContext::currentContext(), viewer->context());
    show(menu);
    EXPECT_EQ(texts_of(*menu),
              (std::vector<std::string>{"Start New Game", "Continue Game", "Pick Level", "Quit", "Sandbox"}));
    viewer->makeCurrent();
    for (auto const& button : menu->get_buttons())
        EXPECT_TRUE(glIsTexture(button->get_texture())) << button->get_text();
    EXPECT_TRUE(menu->has_flag(Screen::Blocks_input));

    core->progress.last_level = int(core->get_level_names().size());
    Main_menu_screen* finished = show_main_menu();
    EXPECT_EQ(texts_of(*finished), (std::vector<std::string>{"Start New Game", "Pick Level", "Quit", "Sandbox",
                                                             "label All levels finished, try the sandbox!"}));
    EXPECT_NE(finished->get_labels()[0]->get_texture(), 0u);
}

TEST_F(Menu_screen_test, a_button_s_centre_picks_it_and_a_press_beside_the_buttons_goes_to_the_camera)
{
    Main_menu_screen* menu = show_main_menu();
    auto const& buttons = menu->get_buttons();
    for (size_t i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(menu->pick_button(buttons[i]->get_position().head<2>()), int(i)) << buttons[i]->get_text();
    EXPECT_EQ(menu->pick_button(Eigen::Vector2f(0.1f, 0.5f)), -1);
    // The window's top row and points beyond it still pick inside the target.
    EXPECT_EQ(menu->pick_button(Eigen::Vector2f(0.5f, 1.f)), -1);
    EXPECT_EQ(menu->pick_button(Eigen::Vector2f(0.9f, -0.5f)), -1);

    send_mouse(QEvent::MouseButtonPress, pixel_at(0.1f, 0.5f), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(viewer->camera()->frame()->isManipulated());
    send_mouse(QEvent::MouseButtonRelease, pixel_at(0.1f, 0.5f), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(top<Main_menu_screen>(), menu);
}

TEST_F(Menu_screen_test, only_a_left_press_on_a_button_runs_it_and_keys_and_the_wheel_pass)
{
    Main_menu_screen* menu = show_main_menu();
    core->progress.last_level = 4;
    QPoint const start = pixel_of(*menu->get_buttons()[0]);

    QMouseEvent right(QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    EXPECT_FALSE(menu->mousePressEvent(&right));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(menu->keyPressEvent(&key));
    QWheelEvent wheel(start, viewer->mapToGlobal(start), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    EXPECT_FALSE(menu->wheelEvent(&wheel));
    EXPECT_EQ(core->progress.last_level, 4);
    EXPECT_EQ(menu->get_state(), Screen::Shown);

    QMouseEvent left(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    Capture_stdout quiet;
    dialogs.answers = {true}; // yes, give the campaign up
    EXPECT_TRUE(menu->mousePressEvent(&left));
    EXPECT_EQ(core->progress.last_level, 0);
}

TEST_F(Menu_screen_test, hidden_buttons_are_neither_drawn_nor_picked)
{
    Main_menu_screen* menu = show_main_menu();
    Draggable_button& quit = *menu->get_buttons()[3];
    ASSERT_EQ(quit.get_text(), "Quit");
    QPoint const centre = pixel_of(quit);
    EXPECT_GT(darkness(frame().pixel(centre)), 30);

    quit.set_visible(false);
    EXPECT_EQ(darkness(frame().pixel(centre)), 0);
    EXPECT_EQ(menu->pick_button(quit.get_position().head<2>()), -1);
    QMouseEvent press(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    EXPECT_FALSE(menu->mousePressEvent(&press));
}

TEST_F(Menu_screen_test, hovering_prints_when_it_starts_and_stops_and_is_taken_only_when_it_changes)
{
    Main_menu_screen* menu = show_main_menu();
    QPoint const first = pixel_of(*menu->get_buttons()[0]);
    QPoint const second = pixel_of(*menu->get_buttons()[2]);
    QPoint const beside = pixel_at(0.1f, 0.5f);
    std::string const started = "Menu_screen::mouseMoveEvent started hovering\n";
    std::string const stopped = "Menu_screen::mouseMoveEvent stopped hovering\n";

    // Another context is current, as in any handler Qt calls: the pick still
    // reads the window's own target.
    widget()->makeCurrent();
    bool taken = false;
    EXPECT_EQ(printed([&] { taken = move_to(*menu, beside); }), "");
    EXPECT_FALSE(taken);
    EXPECT_EQ(printed([&] { taken = move_to(*menu, first); }), started);
    EXPECT_TRUE(taken);
    EXPECT_EQ(menu->get_hovered(), 0);
    EXPECT_EQ(printed([&] { taken = move_to(*menu, first + QPoint(5, 3)); }), "");
    EXPECT_FALSE(taken);
    EXPECT_EQ(printed([&] { taken = move_to(*menu, second); }), stopped + started);
    EXPECT_TRUE(taken);
    EXPECT_EQ(menu->get_hovered(), 2);
    EXPECT_EQ(printed([&] { taken = move_to(*menu, beside); }), stopped);
    EXPECT_TRUE(taken);
    EXPECT_EQ(menu->get_hovered(), -1);
}

TEST_F(Menu_screen_test, the_hovered_button_glows_warm_and_the_others_stay_blue)
{
    Main_menu_screen* menu = show_main_menu();
    Draggable_button const& start = *menu->get_buttons()[0];
    // A point of the button's face away from its text.
    QPoint const face = pixel_at(start.get_position().x() - start.get_size().x() * 0.42f, start.get_position().y());
    QRgb const cool = frame().pixel(face);
    EXPECT_GT(qBlue(cool), qRed(cool));

    Capture_stdout quiet;
    move_to(*menu, pixel_of(start));
    step_frames(10);
    QRgb const warm = frame().pixel(face);
    EXPECT_GT(qRed(warm), qBlue(warm) + 60);
}

TEST_F(Menu_screen_test, labels_cast_a_soft_shadow_and_a_hidden_menu_draws_nothing)
{
    core->progress.last_level = int(core->get_level_names().size());
    Main_menu_screen* menu = show_main_menu();
    Draggable_label const& label = *menu->get_labels()[0];
    QImage const shown = frame();
    int darkest = 0;
    QPoint const corner = pixel_at(label.get_position().x() - label.get_size().x() / 2,
                                   label.get_position().y() + label.get_size().y() / 2);
    int const width = int(label.get_size().x() * viewer->width());
    int const height = int(label.get_size().y() * viewer->height());
    for (int y = corner.y(); y < corner.y() + height; ++y)
        for (int x = corner.x(); x < corner.x() + width; ++x) darkest = std::max(darkest, darkness(shown.pixel(x, y)));
    EXPECT_GT(darkest, 200); // white text alone would not show on the white window

    menu->hide();
    step_frames(63);
    ASSERT_EQ(menu->get_state(), Screen::Hidden);
    QImage const hidden = frame();
    QImage white(hidden.size(), hidden.format());
    white.fill(Qt::white);
    EXPECT_EQ(hidden, white);
}

TEST_F(Menu_screen_test, a_label_shows_in_its_colour_and_fades_with_its_alpha_shadow_and_all)
{
    core->progress.last_level = int(core->get_level_names().size());
    Main_menu_screen* menu = show_main_menu();
    Draggable_label& label = *menu->get_labels()[0];
    QPoint const corner = pixel_at(label.get_position().x() - label.get_size().x() / 2,
                                   label.get_position().y() + label.get_size().y() / 2);
    QRect const area(corner,
                     QSize(int(label.get_size().x() * viewer->width()), int(label.get_size().y() * viewer->height())));
    auto scan = [&](auto&& per_pixel) {
        QImage const image = frame();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) per_pixel(image.pixel(x, y));
    };

    label.set_color(Color4(0.f, 1.f, 0.f, 1.f));
    int green = 0;
    scan([&](QRgb pixel) { green += qGreen(pixel) > qRed(pixel) + 150 && qGreen(pixel) > qBlue(pixel) + 150; });
    EXPECT_GT(green, 100);

    label.set_alpha(0.f);
    int darkest = 0;
    scan([&](QRgb pixel) { darkest = std::max(darkest, darkness(pixel)); });
    EXPECT_EQ(darkest, 0);
}

TEST_F(Menu_screen_test, a_resize_paints_the_textures_again_for_the_new_size)
{
    Main_menu_screen* menu = show_main_menu();
    Draggable_button const& start = *menu->get_buttons()[0];
    GLuint const before = start.get_texture();

    viewer->resize(800, 600);
    QApplication::processEvents();
    viewer->makeCurrent();
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, start.get_texture());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_NE(start.get_texture(), before);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(menu->pick_button(start.get_position().head<2>()), 0);
}

} // namespace
