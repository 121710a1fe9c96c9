#ifndef TESTS_APP_VIEWER_TEST_H
#define TESTS_APP_VIEWER_TEST_H

#include "app/My_viewer.h"
#include "simulation/Core.h"

#include "Recording_screen.h"
#include "support/Gl_test.h"
#include "support/Scratch_data_tree.h"
#include "support/Scripted_dialogs.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The game's window, shown and initialised, over a Core and a scratch data tree;
// the working directory is the scratch tree's parent, so the viewer's parameter
// file and the fonts it opens by relative paths live there. Every dialog is
// answered by `dialogs`. The hidden test widget's context is current when a test
// starts, as another context is whenever Qt calls the viewer's handlers.
class Viewer_test : public Gl_test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Pushes a recording screen made for this viewer.
    Recording_screen* push_screen(std::string const& name, int flags = 0);

    void press_key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Sent as the window system would deliver them, held buttons included.
    void send_mouse(QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons held,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Runs the application's event loop with `first` as its first event; true
    // when the loop ended by a quit within five seconds.
    bool run_until_quit(std::function<void()> const& first);

    // What std::cout received while the call ran.
    template <typename Call> std::string printed(Call&& call);

    std::unique_ptr<Scratch_data_tree> data;
    QString working_directory;
    std::unique_ptr<Core> core;
    std::unique_ptr<My_viewer> viewer;
    Scripted_dialogs dialogs;
    std::vector<std::string> log;

private:
    QString _previous_directory;
};

#include "support/Capture_stdout.h"

template <typename Call> std::string Viewer_test::printed(Call&& call)
{
    Capture_stdout out;
    call();
    return out.text();
}

#endif
