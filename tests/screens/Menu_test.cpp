#include "Menu_test.h"

#include "screens/menus/Menu_screen.h"
#include "widgets/Draggable_button.h"

#include <QDir>
#include <QGLContext>

#include <stdexcept>

void Menu_test::SetUp()
{
    Viewer_test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;

    for (char const* file :
         {"shaders/temperature.vert", "shaders/heat.frag", "shaders/drop_shadow.frag", "shaders/particle.vert",
          "shaders/particle.frag", "textures/spinbox_arrowup.png", "textures/spinbox_arrowdown.png"})
        data->copy_from_game(file);
    for (QString const& level : QDir(TEST_FIXTURE_DIR "/../data/levels").entryList({"*.data"}))
        data->copy_from_game("levels/" + level);

    Capture_stdout quiet;
    viewer->makeCurrent();
    viewer->get_ui_renderer().init(QGLContext::currentContext(), viewer->size());
}

void Menu_test::step_frames(int count)
{
    Capture_stdout quiet;
    for (int i = 0; i < count; ++i) viewer->step_frame();
}

QPoint Menu_test::pixel_at(float x, float y) const
{
    return QPoint(int(x * viewer->width()), int((1.f - y) * viewer->height()));
}

QPoint Menu_test::pixel_of(Draggable_label const& widget) const
{
    return pixel_at(widget.get_position().x(), widget.get_position().y());
}

void Menu_test::click(QPoint position, Qt::MouseButton button)
{
    send_mouse(QEvent::MouseButtonPress, position, button, button);
    send_mouse(QEvent::MouseButtonRelease, position, button, Qt::NoButton);
}

void Menu_test::click(Menu_screen const& menu, std::string const& button_text)
{
    for (auto const& button : menu.get_buttons())
    {
        if (button->get_text() != button_text) continue;
        click(pixel_of(*button));
        return;
    }
    throw std::runtime_error("no button " + button_text);
}

QImage Menu_test::frame()
{
    Capture_stdout quiet;
    return viewer->grabFramebuffer();
}
