// Renders the main menu, the before-start screen of "Level 1" and the main menu
// of a player who finished every level over a blurred station backdrop, as the
// hidden play screen shows it, and saves the frames:
//   menu_screenshots <directory>
// Run it under Xvfb; it is a looking glass for the menus, not a test.

#include "app/Drawing_2d.h"
#include "app/My_viewer.h"
#include "app/Screen.h"
#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"
#include "screens/Before_start_screen.h"
#include "screens/Main_menu_screen.h"
#include "simulation/Core.h"
#include "widgets/Draggable_button.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"

#include <QApplication>
#include <QDir>
#include <QGLContext>
#include <QGLFormat>
#include <QMouseEvent>
#include <QTest>

#include <GL/gl.h>

#include <iostream>

namespace
{

// The station picture, softened by reading coarse mipmap levels and dimmed a
// little, in place of the play screen's blurred scene.
class Backdrop_screen : public Screen
{
public:
    explicit Backdrop_screen(My_viewer* viewer) : Screen(viewer)
    {
        state = Shown;
        _texture = create_texture_from_file(
            *this, Data_config::instance()->find_in_data_paths_qstring("textures/iss_interior_1.png"), false);
    }

    void draw() override
    {
        glDisable(GL_DEPTH_TEST);
        glColor4f(0.8f, 0.8f, 0.85f, 1.f);
        glTexEnvf(GL_TEXTURE_FILTER_CONTROL, GL_TEXTURE_LOD_BIAS, 2.5f);
        begin_2d_drawing();
        glTranslatef(0.5f, 0.5f, 0.f);
        glScalef(0.5f, 0.5f, 1.f);
        draw_textured_quad(_texture);
        end_2d_drawing();
        glTexEnvf(GL_TEXTURE_FILTER_CONTROL, GL_TEXTURE_LOD_BIAS, 0.f);
        glColor4f(1.f, 1.f, 1.f, 1.f);
    }

private:
    GLuint _texture = 0;
};

void step(My_viewer& viewer, float seconds)
{
    Capture_stdout quiet;
    for (int frame = 0; frame < int(seconds / Screen::frame_period); ++frame) viewer.step_frame();
}

void hover(My_viewer& viewer, Draggable_label const& button)
{
    QPoint const at(int(button.get_position().x() * viewer.width()),
                    int((1.f - button.get_position().y()) * viewer.height()));
    QMouseEvent move(QEvent::MouseMove, at, viewer.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    Capture_stdout quiet;
    QApplication::sendEvent(&viewer, &move);
}

bool save(My_viewer& viewer, QString const& path)
{
    bool const saved = viewer.grabFramebuffer().save(path);
    std::cout << (saved ? "saved " : "could not save ") << path.toStdString() << std::endl;
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
    {
        std::cerr << "usage: menu_screenshots <directory>" << std::endl;
        return 2;
    }
    QString const directory = QDir(argv[1]).absolutePath();

    Scratch_data_tree data;
    for (char const* file :
         {"default_simulation_settings.data", "shaders/force_calc.vert", "shaders/force_calc.frag",
          "shaders/temperature.vert", "shaders/heat.frag", "shaders/drop_shadow.frag", "shaders/particle.vert",
          "shaders/particle.frag", "fonts/Matiz.ttf", "fonts/SourceSansPro-Regular.otf",
          "fonts/SourceSansPro-Semibold.otf", "textures/spinbox_arrowup.png", "textures/spinbox_arrowdown.png",
          "textures/iss_interior_1.png"})
        data.copy_from_game(file);
    for (QString const& level : QDir(TEST_FIXTURE_DIR "/../data/levels").entryList({"*.data"}))
        data.copy_from_game("levels/" + level);
    QDir::setCurrent(QDir(data.data_directory() + "/..").absolutePath());

    Core core;
    My_viewer viewer(&core, QGLFormat());
    viewer.show();
    if (!QTest::qWaitForWindowExposed(&viewer)) return 1;
    {
        Capture_stdout quiet;
        viewer.makeCurrent();
        viewer.get_ui_renderer().init(QGLContext::currentContext(), viewer.size());
        core.reset_level_data();
    }

    viewer.add_screen(new Backdrop_screen(&viewer));
    Main_menu_screen* menu = nullptr;
    {
        Capture_stdout quiet;
        menu = new Main_menu_screen(&viewer, &core);
    }
    viewer.add_screen(menu);
    step(viewer, 9.f);
    hover(viewer, *menu->get_buttons().front());
    step(viewer, 1.f);
    bool ok = save(viewer, directory + "/main-menu.png");

    {
        Capture_stdout quiet;
        core.load_level(3);
        menu->kill();
        viewer.add_screen(new Before_start_screen(&viewer, &core));
    }
    step(viewer, 4.f);
    ok = save(viewer, directory + "/before-start.png") && ok;

    {
        Capture_stdout quiet;
        core.progress.last_level = core.get_level_names().size();
        viewer.kill_all_screens();
        viewer.add_screen(new Backdrop_screen(&viewer));
        viewer.add_screen(new Main_menu_screen(&viewer, &core));
    }
    step(viewer, 10.f);
    ok = save(viewer, directory + "/main-menu-finished.png") && ok;
    return ok ? 0 : 1;
}
