#include "app/Options_viewer.h"

#include "app/Screenshot.h"
#include "app/StandardCamera.h"
#include "foundation/Dialogs.h"
#include "foundation/Failed_saves.h"
#include "foundation/Unreadable_files.h"

#include <QDir>
#include <QFontDatabase>
#include <QGLFormat>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QKeyEvent>
#include <QProcess>

#include <cmath>
#include <iostream>

namespace
{

// Widget updates stay off while the file is merged, and come back on however
// the merge ends.
struct Updates_off
{
    explicit Updates_off(QWidget* widget) : _widget(widget) { _widget->setUpdatesEnabled(false); }
    ~Updates_off() { _widget->setUpdatesEnabled(true); }
    QWidget* _widget;
};

} // namespace

Options_viewer::Options_viewer(QGLFormat const& format)
    : _launch_program([](QString const& program, QStringList const& arguments) {
          return QProcess::startDetached(program, arguments);
      })
{
    // The library's own constructor from a QGLFormat is deprecated and warns.
    setFormat(QGLFormat::toSurfaceFormat(format));
    install_camera(new StandardCamera(0.0001f, 100.f));
    setMouseTracking(true);
    // The library's own state file would fight the parameter file over the camera.
    setStateFileName(QString());

    int const semibold = QFontDatabase::addApplicationFont("data/fonts/SourceSansPro-Semibold.otf");
    int const regular = QFontDatabase::addApplicationFont("data/fonts/SourceSansPro-Regular.otf");
    if (semibold < 0 || regular < 0)
        std::cout << "Options_viewer::Options_viewer Couldn't load at least one font." << std::endl;
    else
        _font.setFamily("Source Sans Pro");
}

Options_viewer::~Options_viewer() = default;

void Options_viewer::install_camera(qglviewer::Camera* new_camera)
{
    qglviewer::Camera* old_camera = camera();
    setCamera(new_camera);
    if (old_camera != new_camera) delete old_camera;
}

void Options_viewer::load_defaults()
{
    std::cout << "Options_viewer::load_defaults No default function specified." << std::endl;
}

bool Options_viewer::show_context_menu(QPoint const&)
{
    std::cout << "Options_viewer::show_context_menu Got no context menu." << std::endl;
    return false;
}

std::string Options_viewer::get_parameter_file_name() const
{
    return "boost_parameters_" + windowTitle().toStdString();
}

void Options_viewer::restore_parameters()
{
    Updates_off updates_off(this);
    std::string const file_name = get_parameter_file_name();
    try
    {
        _parameters.load(file_name);
    }
    catch (std::exception const& error)
    {
        std::cout << "Options_viewer::restore_parameters could not read " << file_name
                  << ", defaults kept: " << error.what() << std::endl;
        keep_unreadable_file(file_name, "Your viewer settings", error);
    }
}

bool Options_viewer::save_parameters()
{
    std::string const file_name = get_parameter_file_name();
    return save_players_file(file_name, "Your viewer settings", "Options_viewer::save_parameters could not save ",
                             [&](std::string& error) { return _parameters.save(file_name, error); });
}

void Options_viewer::confirm_save_parameters()
{
    if (Dialogs::instance().ask_ok_cancel("Save parameters", "Really save?", this)) save_parameters();
}

void Options_viewer::confirm_restore_parameters()
{
    if (!Dialogs::instance().ask_ok_cancel("Restore parameters", "Really restore?", this)) return;
    restore_parameters();
    show_unreadable_file_notices(this);
}

QString Options_viewer::take_screenshot()
{
    QString const path = next_screenshot_path(QDir::tempPath());
    QString error;
    if (!save_screenshot(grabFramebuffer(), path, error))
    {
        std::cout << "Options_viewer::keyPressEvent shot could not be saved to " << path.toStdString() << ": "
                  << error.toStdString() << std::endl;
        return QString();
    }
    std::cout << "Options_viewer::keyPressEvent shot saved to " << path.toStdString() << std::endl;
    return path;
}

void Options_viewer::keyPressEvent(QKeyEvent* event)
{
    Qt::KeyboardModifiers const modifiers = event->modifiers();
    bool const ctrl = modifiers & Qt::ControlModifier;
    bool const shift = modifiers & Qt::ShiftModifier;
    bool const alt = modifiers & Qt::AltModifier;
    bool const keypad = modifiers & Qt::KeypadModifier;

    switch (event->key())
    {
    case Qt::Key_B:
        choose_background_color();
        return;
    case Qt::Key_S:
        if (!ctrl) break;
        {
            QString const path = take_screenshot();
            if (shift && !path.isEmpty())
            {
                std::cout << "Starting gimp ..." << std::endl;
                _launch_program("gimp", QStringList() << path);
            }
        }
        return;
    case Qt::Key_Return:
        if (!alt) break;
        toggle_full_screen();
        return;
    case Qt::Key_U:
        if (ctrl)
            confirm_save_parameters();
        else if (shift)
            confirm_restore_parameters();
        else
            break;
        return;
    case Qt::Key_1:
    case Qt::Key_3:
    case Qt::Key_7:
        if (!keypad) break;
        show_fixed_view(event->key());
        return;
    case Qt::Key_2:
    case Qt::Key_4:
    case Qt::Key_6:
    case Qt::Key_8:
        if (!keypad) break;
        step_camera(event->key());
        return;
    case Qt::Key_5:
        if (!keypad) break;
        toggle_camera_type();
        return;
    case Qt::Key_F9:
        if (keypad) break;
        load_defaults();
        return;
    default:
        break;
    }
    QGLViewer::keyPressEvent(event);
}

void Options_viewer::choose_background_color()
{
    QColor const color = Dialogs::instance().choose_color(backgroundColor(), this);
    if (!color.isValid()) return;
    // The dialog's own loop may have left another context current.
    makeCurrent();
    setBackgroundColor(color);
    update();
}

void Options_viewer::toggle_full_screen()
{
    if (_full_screen)
        showNormal();
    else
        showFullScreen();
    _full_screen = !_full_screen;
}

void Options_viewer::show_fixed_view(int key)
{
    using qglviewer::Vec;
    qreal const distance = 4.0 * camera()->sceneRadius();
    Vec position(distance, 0.0, 0.0);
    Vec view(-1.0, 0.0, 0.0);
    Vec up(0.0, 0.0, 1.0);
    if (key == Qt::Key_3)
    {
        position = Vec(0.0, distance, 0.0);
        view = Vec(0.0, -1.0, 0.0);
    }
    else if (key == Qt::Key_7)
    {
        position = Vec(0.0, 0.0, distance);
        view = Vec(0.0, 0.0, -1.0);
        up = Vec(0.0, 1.0, 0.0);
    }

    // The camera looks along its -z with its y up.
    qglviewer::Quaternion orientation;
    orientation.setFromRotatedBasis(view ^ up, up, -view);
    camera()->setOrientation(orientation);
    camera()->setPosition(position);
    update();
}

void Options_viewer::step_camera(int key)
{
    using qglviewer::Vec;
    bool const about_up = key == Qt::Key_4 || key == Qt::Key_6;
    double const sign = (key == Qt::Key_4 || key == Qt::Key_8) ? 1.0 : -1.0;
    double const angle = 0.01 * 2.0 * M_PI;

    Vec const up = camera()->upVector();
    Vec const axis = about_up ? up : camera()->rightVector();
    qglviewer::Quaternion rotation(camera()->frame()->transformOf(axis), sign * angle);
    camera()->frame()->rotateAroundPoint(rotation, Vec(0.0, 0.0, 0.0));

    int largest = 0;
    for (int i = 1; i < 3; ++i)
    {
        if (std::abs(up[i]) > std::abs(up[largest])) largest = i;
    }
    std::cout << "Options_viewer::keyPressEvent camera step, largest up component " << largest << " sign " << sign
              << std::endl;
    update();
}

void Options_viewer::toggle_camera_type()
{
    bool const perspective = camera()->type() == qglviewer::Camera::PERSPECTIVE;
    camera()->setType(perspective ? qglviewer::Camera::ORTHOGRAPHIC : qglviewer::Camera::PERSPECTIVE);
    update();
}
