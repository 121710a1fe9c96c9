#ifndef APP_OPTIONS_VIEWER_H
#define APP_OPTIONS_VIEWER_H

#include "foundation/Parameter_list.h"

#include <QFont>
#include <QGLViewer/qglviewer.h>
#include <QStringList>

#include <functional>
#include <string>

class QGLFormat;

// A general-purpose layer over QGLViewer: its font, screenshots, window and
// camera shortcuts, and a parameter list kept in a file in the working directory.
class Options_viewer : public QGLViewer
{
    Q_OBJECT

public:
    // Starts a detached program; tests replace it to see what would be started.
    typedef std::function<bool(QString const& program, QStringList const& arguments)> Program_launcher;

    explicit Options_viewer(QGLFormat const& format);
    ~Options_viewer() override;

    virtual void load_defaults();
    // True when a menu was shown; the press then goes no further.
    virtual bool show_context_menu(QPoint const& position);
    // Loads the parameter file into the list; a missing or damaged file, or one
    // of a newer version, leaves the values as they are (Unreadable_files says
    // what becomes of the file).
    virtual void restore_parameters();
    bool save_parameters();
    // Each asks first and acts only on OK.
    void confirm_save_parameters();
    void confirm_restore_parameters();

    // "boost_parameters_" + the window title, relative to the working directory.
    std::string get_parameter_file_name() const;
    Parameter_list& get_parameters() { return _parameters; }
    QFont const& get_font() const { return _font; }

    // Saves the frame as the next free screenshot in the temporary directory;
    // the path, or an empty string when it could not be saved.
    QString take_screenshot();

    void set_program_launcher(Program_launcher launcher) { _launch_program = std::move(launcher); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

    // Replaces the viewer's camera and deletes the one it had.
    void install_camera(qglviewer::Camera* camera);

    Parameter_list _parameters;

private:
    void choose_background_color();
    void toggle_full_screen();
    void show_fixed_view(int key);
    void step_camera(int key);
    void toggle_camera_type();

    bool _full_screen = false;
    QFont _font;
    Program_launcher _launch_program;
};

#endif
