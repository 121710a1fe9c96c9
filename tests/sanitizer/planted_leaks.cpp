// Not a test of its own: the leak check runs it and expects LeakSanitizer to
// report both leaks it plants in a screen's hooks, one under a key press that
// Qt dispatches, one under the viewer's animation timer.
#include "app/Viewer_test.h"

#include <QApplication>
#include <QKeyEvent>

#include <cstring>

namespace
{

// Kept only until the next store: once overwritten, nothing holds the block.
char* volatile last_block = nullptr;

void leak(std::size_t bytes)
{
    last_block = new char[bytes];
    std::memset(last_block, 1, bytes);
    last_block = nullptr;
}

class Leaking_screen : public Screen
{
public:
    using Screen::Screen;

    bool keyPressEvent(QKeyEvent*) override
    {
        leak(12288);
        return true;
    }

    void update(float) override
    {
        if (updated) return;
        updated = true;
        leak(24576);
        QApplication::quit();
    }

    bool updated = false;
};

} // namespace

TEST_F(Viewer_test, a_screen_leaks_in_its_key_handler)
{
    viewer->add_screen(new Leaking_screen(viewer.get()));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(viewer.get(), &press);
}

TEST_F(Viewer_test, a_screen_leaks_in_an_update_under_the_animation_timer)
{
    auto* screen = new Leaking_screen(viewer.get());
    viewer->add_screen(screen);
    viewer->startAnimation();
    EXPECT_TRUE(run_until_quit([] {}));
    EXPECT_TRUE(screen->updated);
}
