#include <QApplication>
#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>
#include <vector>

namespace
{

std::vector<char*> original_arguments;
QtMessageHandler qt_handler = nullptr;

// Xvfb refuses a connection now and then when many test processes start at once
// (the socket's backlog is full). Qt then cannot start its platform plugin and
// aborts before any test has run, so the process starts itself over instead.
void restart_when_the_display_refused(QtMsgType type, QMessageLogContext const& context, QString const& message)
{
    if (type == QtFatalMsg && message.contains("no Qt platform plugin could be initialized"))
    {
        int const attempts = qEnvironmentVariableIntValue("BRINDLEMOT_TEST_DISPLAY_ATTEMPTS");
        if (attempts < 50)
        {
            qputenv("BRINDLEMOT_TEST_DISPLAY_ATTEMPTS", QByteArray::number(attempts + 1));
            usleep(20000 * (1 + attempts % 5));
            execv("/proc/self/exe", original_arguments.data());
        }
    }
    if (qt_handler)
        qt_handler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The GL driver unloads itself at exit, before the leak check, which can then
// neither name nor suppress what the driver kept. Held loaded, it can.
void keep_the_gl_driver_loaded()
{
#ifdef BRINDLEMOT_SANITIZE
    for (char const* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "swrast_dri.so"})
    {
        if (dlopen(driver, RTLD_LAZY | RTLD_NODELETE)) break;
    }
#endif
}

} // namespace

int main(int argc, char** argv)
{
    keep_the_gl_driver_loaded();
    original_arguments.assign(argv, argv + argc + 1); // before the test flags are taken out
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

    // Without an X display the xcb platform would abort before any test runs; the
    // GL fixture then reports the missing display itself.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qt_handler = qInstallMessageHandler(restart_when_the_display_refused);
    QApplication application(argc, argv);
    qInstallMessageHandler(qt_handler);
    return RUN_ALL_TESTS();
}
