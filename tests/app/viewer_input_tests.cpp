#include "Viewer_test.h"

#include "foundation/Main_options_window.h"

#include <QApplication>
#include <QFile>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QImage>
#include <QOpenGLContext>

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace
{

QPoint const centre(640, 360);

// A screen that throws from the hooks it is told to.
class Throwing_screen : public Recording_screen
{
public:
    using Recording_screen::Recording_screen;
    bool keyPressEvent(QKeyEvent*) override { throw std::runtime_error("No such file."); }
    void update(float) override { throw std::runtime_error("No such file."); }
    void draw() override { throw std::runtime_error("No such file."); }
};

} // namespace

TEST_F(Viewer_test, input_reaches_the_screens_in_the_viewers_own_context)
{
    Recording_screen* screen = push_screen("menu", Screen::Blocks_input);
    screen->takes_keys = true;

    widget()->makeCurrent();
    ASSERT_NE(QOpenGLContext::currentContext(), viewer->context());
    press_key(Qt::Key_A);
    EXPECT_EQ(screen->context_in_last_input, viewer->context());

    widget()->makeCurrent();
    // A move without a button, as mouse tracking delivers it.
    send_mouse(QEvent::MouseMove, centre, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(screen->context_in_last_input, viewer->context());
    EXPECT_EQ(log.back(), "menu move");
    EXPECT_EQ(screen->last_move_buttons, Qt::NoButton);

    widget()->makeCurrent();
    viewer->step_frame();
    EXPECT_EQ(QOpenGLContext::currentContext(), viewer->context());
}

TEST_F(Viewer_test, a_press_no_screen_takes_stops_at_a_blocking_screen_and_moves_the_camera)
{
    Recording_screen* below = push_screen("play");
    Recording_screen* menu = push_screen("menu", Screen::Blocks_input);

    send_mouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    EXPECT_THAT(log, ElementsAre("menu press"));
    EXPECT_TRUE(viewer->camera()->frame()->isManipulated());
    send_mouse(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(viewer->camera()->frame()->isManipulated());

    menu->takes_mouse = true;
    send_mouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(viewer->camera()->frame()->isManipulated());
    send_mouse(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    (void)below;

    // The second press of a double click is a press for the screen that took the first.
    log.clear();
    send_mouse(QEvent::MouseButtonDblClick, centre, Qt::LeftButton, Qt::LeftButton);
    EXPECT_THAT(log, ElementsAre("menu press"));
}

// A pause's "Continue" acts on the press and gives back the screen below, which
// must not take the rest of that click for its own.
TEST_F(Viewer_test, the_moves_and_release_of_a_press_a_screen_took_are_that_screens_alone)
{
    Recording_screen* play = push_screen("play");
    play->takes_mouse = true;
    Recording_screen* pause = push_screen("pause", Screen::Blocks_input);
    pause->takes_mouse = true;
    pause->on_input = [&] {
        if (pause->get_state() == Screen::Closing) return;
        pause->kill();
        play->show();
    };

    send_mouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    send_mouse(QEvent::MouseMove, centre + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
    send_mouse(QEvent::MouseButtonRelease, centre + QPoint(40, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_THAT(log, ElementsAre("pause press"));
    EXPECT_FALSE(viewer->camera()->frame()->isManipulated());

    // A move without a button is anybody's again.
    send_mouse(QEvent::MouseMove, centre, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(log.back(), "play move");

    // The screen that took the press has the rest of it, even under a screen
    // that came up meanwhile.
    log.clear();
    send_mouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    Recording_screen* hint = push_screen("hint");
    hint->takes_mouse = true;
    send_mouse(QEvent::MouseMove, centre + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
    send_mouse(QEvent::MouseButtonRelease, centre + QPoint(40, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_THAT(log, ElementsAre("play press", "play move", "play release"));
}

TEST_F(Viewer_test, h_opens_a_help_of_the_games_own_keys_and_mouse_actions)
{
    press_key(Qt::Key_H);
    QTabWidget* help = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* tabs = qobject_cast<QTabWidget*>(window); tabs && tabs->isVisible()) help = tabs;
    ASSERT_NE(help, nullptr);
    QString shown;
    for (QTextEdit const* page : help->findChildren<QTextEdit*>()) shown += page->toPlainText() + "\n";
    help->close();
    EXPECT_THAT(shown.toStdString(), HasSubstr("Pauses the game"));
    EXPECT_THAT(shown.toStdString(), HasSubstr("Opens the element's menu"));
    EXPECT_THAT(shown.toStdString(), Not(HasSubstr("Exits")));
    EXPECT_THAT(shown.toStdString(), Not(HasSubstr("No help available")));
}

TEST_F(Viewer_test, alt_with_a_right_press_asks_for_the_context_menu_and_then_moves_the_camera)
{
    std::string const out = printed(
        [&] { send_mouse(QEvent::MouseButtonPress, centre, Qt::RightButton, Qt::RightButton, Qt::AltModifier); });
    EXPECT_THAT(out, HasSubstr("Options_viewer::show_context_menu Got no context menu."));
    send_mouse(QEvent::MouseButtonRelease, centre, Qt::RightButton, Qt::NoButton, Qt::AltModifier);

    EXPECT_THAT(printed([&] { send_mouse(QEvent::MouseButtonPress, centre, Qt::RightButton, Qt::RightButton); }),
                Not(HasSubstr("context menu")));
    send_mouse(QEvent::MouseButtonRelease, centre, Qt::RightButton, Qt::NoButton);
}

TEST_F(Viewer_test, the_debug_keys_run_even_when_a_screen_took_the_key)
{
    Recording_screen* screen = push_screen("menu", Screen::Blocks_input);
    screen->takes_keys = true;
    push_screen("top");

    std::string const stack = printed([&] { press_key(Qt::Key_S); });
    EXPECT_THAT(stack, HasSubstr("My_viewer::keyPressEvent Screen Stack\nRecording_screen state: 1 ptr: 0x"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "menu key"), 1);

    std::string const rebuilt = printed([&] { press_key(Qt::Key_F10); });
    EXPECT_THAT(rebuilt, HasSubstr("My_viewer::keyPressEvent core.gl_init()"));
    EXPECT_THAT(rebuilt, Not(HasSubstr("not current")));
    EXPECT_THAT(rebuilt, Not(HasSubstr("no force pass")));
}

TEST_F(Viewer_test, escape_never_reaches_the_library_which_would_close_the_window)
{
    press_key(Qt::Key_Escape);
    EXPECT_TRUE(viewer->isVisible());

    // Nor do the library's animation toggle and fly mode.
    viewer->startAnimation();
    press_key(Qt::Key_Return);
    EXPECT_TRUE(viewer->animationIsStarted());
    viewer->stopAnimation();
    press_key(Qt::Key_Space);
    EXPECT_EQ(viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::LeftButton), QGLViewer::ROTATE);
}

TEST_F(Viewer_test, a_key_no_screen_took_reaches_the_viewer_shortcuts)
{
    push_screen("menu", Screen::Blocks_input); // takes no key
    press_key(Qt::Key_1, Qt::KeypadModifier);
    EXPECT_NEAR((viewer->camera()->position() - qglviewer::Vec(200, 0, 0)).norm(), 0.0, 1e-6);
    EXPECT_NEAR((viewer->camera()->viewDirection() - qglviewer::Vec(-1, 0, 0)).norm(), 0.0, 1e-6);
    EXPECT_NEAR((viewer->camera()->upVector() - qglviewer::Vec(0, 0, 1)).norm(), 0.0, 1e-6);

    press_key(Qt::Key_3, Qt::KeypadModifier);
    EXPECT_NEAR((viewer->camera()->position() - qglviewer::Vec(0, 200, 0)).norm(), 0.0, 1e-6);
    EXPECT_NEAR((viewer->camera()->viewDirection() - qglviewer::Vec(0, -1, 0)).norm(), 0.0, 1e-6);
    EXPECT_NEAR((viewer->camera()->upVector() - qglviewer::Vec(0, 0, 1)).norm(), 0.0, 1e-6);

    press_key(Qt::Key_7, Qt::KeypadModifier);
    EXPECT_NEAR((viewer->camera()->position() - qglviewer::Vec(0, 0, 200)).norm(), 0.0, 1e-6);
    EXPECT_NEAR((viewer->camera()->viewDirection() - qglviewer::Vec(0, 0, -1)).norm(), 0.0, 1e-6);
    EXPECT_NEAR((viewer->camera()->upVector() - qglviewer::Vec(0, 1, 0)).norm(), 0.0, 1e-6);

    // Keypad 4 turns the camera about its up vector around the origin, keeping its
    // distance (inside the cube the camera may not leave).
    press_key(Qt::Key_1, Qt::KeypadModifier);
    viewer->camera()->setPosition(qglviewer::Vec(100, 0, 0));
    printed([&] { press_key(Qt::Key_4, Qt::KeypadModifier); });
    qglviewer::Vec const turned = viewer->camera()->position();
    EXPECT_NEAR(turned.norm(), 100.0, 1e-6);
    EXPECT_NEAR(std::atan2(turned.y, turned.x), 0.01 * 2 * M_PI, 1e-6);
    EXPECT_NEAR((viewer->camera()->viewDirection() + turned / turned.norm()).norm(), 0.0, 1e-6);

    press_key(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(viewer->camera()->type(), qglviewer::Camera::ORTHOGRAPHIC);
    press_key(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(viewer->camera()->type(), qglviewer::Camera::PERSPECTIVE);

    // The same digits off the keypad are not views.
    qglviewer::Vec const before = viewer->camera()->position();
    press_key(Qt::Key_3);
    EXPECT_NEAR((viewer->camera()->position() - before).norm(), 0.0, 1e-9);
}

TEST_F(Viewer_test, f9_resets_the_level_and_o_opens_the_options_only_with_ctrl_and_shift)
{
    core->get_level_data()._game_field_width = 12.f;
    printed([&] { press_key(Qt::Key_F9); });
    EXPECT_FLOAT_EQ(core->get_level_data()._game_field_width, 80.f);

    press_key(Qt::Key_O);
    EXPECT_FALSE(Main_options_window::instance()->get_window()->isVisible());
    press_key(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Main_options_window::instance()->get_window()->isVisible());
    Main_options_window::instance()->get_window()->hide();
}

TEST_F(Viewer_test, a_resize_reaches_every_screen)
{
    Recording_screen* hidden = push_screen("hidden");
    hidden->hide();
    Recording_screen* top = push_screen("top", Screen::Covers_below);
    printed([&] { viewer->resize(1000, 600); });
    EXPECT_EQ(hidden->resized_to, QSize(1000, 600));
    EXPECT_EQ(top->resized_to, QSize(1000, 600));
    EXPECT_EQ(viewer->camera()->screenWidth(), 1000);
}

TEST_F(Viewer_test, no_exception_leaves_a_handler_the_frame_or_the_paint)
{
    viewer->add_screen(new Throwing_screen("thrower", log, 0, viewer.get()));
    EXPECT_THAT(printed([&] { press_key(Qt::Key_A); }), HasSubstr("My_viewer::keyPressEvent No such file."));
    EXPECT_THAT(printed([&] { viewer->step_frame(); }), HasSubstr("My_viewer::animate No such file."));
    EXPECT_THAT(printed([&] { viewer->grabFramebuffer(); }), HasSubstr("My_viewer::draw No such file."));
}

TEST_F(Viewer_test, the_parameter_file_is_saved_and_restored_only_when_confirmed)
{
    QString const file = working_directory + "/boost_parameters_";

    dialogs.answers = {false};
    press_key(Qt::Key_U, Qt::ControlModifier);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, "ask_ok_cancel");
    EXPECT_EQ(dialogs.calls[0].title, "Save parameters");
    EXPECT_EQ(dialogs.calls[0].text, "Really save?");
    EXPECT_FALSE(QFile::exists(file));

    dialogs.answers = {true};
    printed([&] { press_key(Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier); });
    EXPECT_EQ(dialogs.calls.back().title, "Save parameters"); // Ctrl first
    EXPECT_TRUE(QFile::exists(file));

    Parameter* z_far = viewer->get_parameters()["z_far"];
    z_far->set_value_no_update(500.f);
    dialogs.answers = {false};
    press_key(Qt::Key_U, Qt::ShiftModifier);
    EXPECT_EQ(dialogs.calls.back().title, "Restore parameters");
    EXPECT_EQ(dialogs.calls.back().text, "Really restore?");
    EXPECT_FLOAT_EQ(z_far->get_value<float>(), 500.f);

    dialogs.answers = {true};
    printed([&] { press_key(Qt::Key_U, Qt::ShiftModifier); });
    EXPECT_FLOAT_EQ(z_far->get_value<float>(), 1000.f);
    EXPECT_FLOAT_EQ(viewer->get_game_camera()->zFar(), 1000.f);
}

TEST_F(Viewer_test, b_sets_the_background_and_the_clear_colour)
{
    QColor const chosen(20, 40, 60);
    dialogs.colors = {QColor(), chosen};
    press_key(Qt::Key_B);
    EXPECT_EQ(viewer->backgroundColor(), QColor(Qt::white)); // cancelled
    EXPECT_EQ(dialogs.calls.back().text, QColor(Qt::white).name(QColor::HexArgb));

    press_key(Qt::Key_B, Qt::ShiftModifier);
    EXPECT_EQ(viewer->backgroundColor(), chosen);
    viewer->makeCurrent();
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_NEAR(clear[0], chosen.redF(), 1e-6);
    EXPECT_NEAR(clear[1], chosen.greenF(), 1e-6);
    EXPECT_NEAR(clear[2], chosen.blueF(), 1e-6);
}

class Viewer_screenshot : public Viewer_test
{
protected:
    void SetUp() override
    {
        Viewer_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        _previous_tmpdir = qgetenv("TMPDIR");
        qputenv("TMPDIR", shots.path().toLocal8Bit());
        viewer->set_program_launcher([this](QString const& program, QStringList const& arguments) {
            started.push_back(program + " " + arguments.join(" "));
            return true;
        });
        // Half the window red, so that a shot of it is not uniform.
        push_screen("drawing")->on_draw = [](Recording_screen& screen) {
            QOpenGLFunctions_3_3_Core& gl = screen.gl();
            gl.glEnable(GL_SCISSOR_TEST);
            gl.glScissor(0, 0, 640, 720);
            gl.glClearColor(1.f, 0.f, 0.f, 1.f);
            gl.glClear(GL_COLOR_BUFFER_BIT);
            gl.glDisable(GL_SCISSOR_TEST);
            gl.glClearColor(1.f, 1.f, 1.f, 1.f);
        };
    }

    void TearDown() override
    {
        qputenv("TMPDIR", _previous_tmpdir);
        Viewer_test::TearDown();
    }

    QTemporaryDir shots;
    std::vector<QString> started;

private:
    QByteArray _previous_tmpdir;
};

TEST_F(Viewer_screenshot, ctrl_s_saves_the_frame_under_the_next_free_name)
{
    QString const first = shots.path() + "/qglviewer_screenshot-000.png";
    EXPECT_THAT(printed([&] { press_key(Qt::Key_S, Qt::ControlModifier); }),
                HasSubstr("Options_viewer::keyPressEvent shot saved to " + first.toStdString()));
    QImage const shot(first);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(1280, 720));
    EXPECT_EQ(QColor(shot.pixel(100, 360)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(1100, 360)), QColor(Qt::white));
    EXPECT_TRUE(started.empty());

    // With Shift the image editor opens the next one.
    QString const second = shots.path() + "/qglviewer_screenshot-001.png";
    EXPECT_THAT(printed([&] { press_key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }),
                HasSubstr("Starting gimp ..."));
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_THAT(started, ElementsAre("gimp " + second));
}

TEST_F(Viewer_screenshot, a_shot_that_cannot_be_saved_says_so_and_opens_no_editor)
{
    // A temporary "directory" that is a file: nothing can be written below it.
    QString const not_a_directory = shots.path() + "/not-a-directory";
    {
        QFile file(not_a_directory);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    qputenv("TMPDIR", not_a_directory.toLocal8Bit());
    std::string const out = printed([&] { press_key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); });
    EXPECT_THAT(out, HasSubstr("shot could not be saved to " + not_a_directory.toStdString() + "/"));
    EXPECT_THAT(out, Not(HasSubstr("shot saved")));
    EXPECT_THAT(out, Not(HasSubstr("Starting gimp")));
    EXPECT_TRUE(started.empty());
}
