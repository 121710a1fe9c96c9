#include "Screenshot_window.h"

#include "app/Drawing_2d.h"
#include "app/Screen.h"
#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"
#include "widgets/Draggable_label.h"

#include "support/Capture_stdout.h"

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

bool prepare(Scratch_data_tree& data)
{
    data.copy_all_from_game();
    QDir::setCurrent(QDir(data.data_directory() + "/..").absolutePath());
    return true;
}

void send_mouse(My_viewer& viewer, QEvent::Type type, Draggable_label const& widget, Qt::MouseButton button,
                Qt::MouseButtons held)
{
    QPoint const at(int(widget.get_position().x() * viewer.width()),
                    int((1.f - widget.get_position().y()) * viewer.height()));
    QMouseEvent event(type, at, viewer.mapToGlobal(at), button, held, Qt::NoModifier);
    Capture_stdout quiet;
    QApplication::sendEvent(&viewer, &event);
}

} // namespace

Screenshot_window::Screenshot_window() : _prepared(prepare(data)), viewer(&core, QGLFormat())
{
}

bool Screenshot_window::open()
{
    viewer.show();
    if (!QTest::qWaitForWindowExposed(&viewer)) return false;
    Capture_stdout quiet;
    viewer.makeCurrent();
    viewer.get_ui_renderer().init(QGLContext::currentContext(), viewer.size());
    core.reset_level_data();
    return _prepared;
}

void Screenshot_window::push_backdrop()
{
    viewer.add_screen(new Backdrop_screen(&viewer));
}

void Screenshot_window::step(float seconds)
{
    Capture_stdout quiet;
    for (int frame = 0; frame < int(seconds / Screen::frame_period); ++frame) viewer.step_frame();
}

void Screenshot_window::hover(Draggable_label const& button)
{
    send_mouse(viewer, QEvent::MouseMove, button, Qt::NoButton, Qt::NoButton);
}

void Screenshot_window::click(Draggable_label const& button)
{
    send_mouse(viewer, QEvent::MouseButtonPress, button, Qt::LeftButton, Qt::LeftButton);
    send_mouse(viewer, QEvent::MouseButtonRelease, button, Qt::LeftButton, Qt::NoButton);
}

bool Screenshot_window::save(QString const& path)
{
    bool const saved = viewer.grabFramebuffer().save(path);
    std::cout << (saved ? "saved " : "could not save ") << path.toStdString() << std::endl;
    return saved;
}
