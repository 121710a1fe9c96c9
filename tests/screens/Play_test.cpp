#include "Play_test.h"

#include "simulation/Core.h"
#include "widgets/Draggable_box.h"

#include <QApplication>
#include <QGLContext>

#include <GL/gl.h>

#include <typeinfo>

void Play_test::SetUp()
{
    Viewer_test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    data->copy_all_from_game();
    viewer->makeCurrent();
    Capture_stdout quiet;
    viewer->get_ui_renderer().init(QGLContext::currentContext(), viewer->size());
    driver = std::make_unique<Game_driver>(*viewer, *core);
}

void Play_test::TearDown()
{
    driver.reset();
    if (viewer) viewer->makeCurrent();
    Viewer_test::TearDown();
}

Main_game_screen* Play_test::push_play_screen(int mode)
{
    viewer->makeCurrent();
    Capture_stdout quiet;
    auto* screen = new Main_game_screen(viewer.get(), core.get(), mode);
    viewer->add_screen(screen);
    driver->step_frames(70); // faded in
    return screen;
}

void Play_test::load_level(std::string const& name, bool start)
{
    int const index = core->get_level_names().indexOf(QString::fromStdString(name));
    ASSERT_GE(index, 0) << name;
    Capture_stdout quiet;
    core->load_level(index);
    if (start) core->start_level();
    driver->step_frame();
}

std::vector<std::string> Play_test::handles_without_menu(Main_game_screen& screen, Level_element const& element,
                                                         int sets, Qt::MouseButton button)
{
    std::vector<std::string> silent;
    Draggable_box* box = screen.get_handle_box(&element);
    if (!box) return {std::string(typeid(element).name()) + " has no handles"};
    size_t const count = box->get_draggables(sets).size();
    for (size_t i = 0; i < count; ++i)
    {
        // A menu's answers may build the handles anew.
        box = screen.get_handle_box(&element);
        Draggable* handle = box ? box->get_draggables(sets).at(i) : nullptr;
        if (!handle) return {std::string(typeid(element).name()) + " lost its handles"};
        size_t const menus_before = dialogs.calls.size();
        {
            Capture_stdout quiet;
            driver->click(driver->pixel_of(handle->get_world_position()), button);
        }
        bool const menu_ran = dialogs.calls.size() > menus_before && dialogs.calls.back().kind == "run_menu";
        if (!menu_ran)
            silent.push_back(std::string(typeid(element).name()) + " " + typeid(*handle).name() + " " +
                             std::to_string(i));
    }
    return silent;
}

void Play_test::resize_window(QSize const& size)
{
    Capture_stdout quiet;
    viewer->resize(size);
    QApplication::processEvents();
    viewer->makeCurrent();
    ASSERT_EQ(size, QSize(viewer->camera()->screenWidth(), viewer->camera()->screenHeight()));
}

QSize Play_test::texture_size(GLuint texture)
{
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glBindTexture(GL_TEXTURE_2D, 0);
    return QSize(width, height);
}

Eigen::Vector2f Play_test::texels_off_pixels(Draggable_label const& widget) const
{
    QSize const texels = texture_size(widget.get_texture());
    Eigen::Vector2f const pixels(widget.get_size().x() * float(viewer->camera()->screenWidth()),
                                 widget.get_size().y() * float(viewer->camera()->screenHeight()));
    return (Eigen::Vector2f(float(texels.width()), float(texels.height())) - pixels).cwiseAbs();
}
