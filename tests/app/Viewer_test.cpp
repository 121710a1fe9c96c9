#include "Viewer_test.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGLFormat>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

void Viewer_test::SetUp()
{
    Gl_test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;

    data = std::make_unique<Scratch_data_tree>();
    for (char const* file : {"default_simulation_settings.data", "shaders/force_calc.vert", "shaders/force_calc.frag",
                             "fonts/SourceSansPro-Regular.otf", "fonts/SourceSansPro-Semibold.otf"})
        data->copy_from_game(file);
    // Any font file will do as the title font.
    ASSERT_TRUE(QFile::copy(QString::fromStdString(data->path("fonts/SourceSansPro-Regular.otf")),
                            QString::fromStdString(data->path("fonts/Matiz.ttf"))));

    _previous_directory = QDir::currentPath();
    working_directory = QDir(data->data_directory() + "/..").absolutePath();
    QDir::setCurrent(working_directory);

    Capture_stdout quiet;
    core = std::make_unique<Core>();
    core->reset_level_data();
    viewer = std::make_unique<My_viewer>(core.get(), QGLFormat());
    viewer->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer.get()));
    ASSERT_NE(viewer->get_game_camera(), nullptr) << "init did not run";
    widget()->makeCurrent();
}

void Viewer_test::TearDown()
{
    {
        Capture_stdout quiet;
        viewer.reset();
        core.reset();
    }
    if (!_previous_directory.isEmpty()) QDir::setCurrent(_previous_directory);
}

Recording_screen* Viewer_test::push_screen(std::string const& name, int flags)
{
    auto* screen = new Recording_screen(name, log, flags, viewer.get());
    viewer->add_screen(screen);
    return screen;
}

void Viewer_test::press_key(int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(viewer.get(), &event);
}

void Viewer_test::send_mouse(QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons held,
                             Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, position, viewer->mapToGlobal(position), button, held, modifiers);
    QApplication::sendEvent(viewer.get(), &event);
}

bool Viewer_test::run_until_quit(std::function<void()> const& first)
{
    QTimer::singleShot(0, viewer.get(), first);
    bool timed_out = false;
    QTimer::singleShot(5000, [&timed_out] {
        timed_out = true;
        QApplication::exit(1);
    });
    return QApplication::exec() == 0 && !timed_out;
}
