#include "app/Command_line.h"
#include "app/Data_manifest.h"
#include "app/Memory_policy.h"
#include "app/My_viewer.h"
#include "app/Termination_signals.h"
#include "foundation/Data_config.h"
#include "foundation/Dialogs.h"
#include "foundation/Logger.h"
#include "simulation/Core.h"

#include <QApplication>
#include <QGLFormat>

#include <cstdlib>
#include <exception>
#include <iostream>

namespace
{

int report_start_failure(QString const& text)
{
    std::cout << "main: the game cannot start: " << text.toStdString() << std::endl;
    Dialogs::instance().critical("Error", text);
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    return_large_blocks_to_the_system();
    QApplication application(argc, argv);
    // Before any box can show: a signal while one is up ends its event loop as
    // closing it would, and once there is a window the game ends as closing
    // that does, progress saved.
    My_viewer* viewer = nullptr;
    end_on_termination_signals([&viewer] {
        if (viewer)
            viewer->end_game(false);
        else
            QCoreApplication::exit(EXIT_FAILURE);
    });

    if (!(QGLFormat::openGLVersionFlags() & QGLFormat::OpenGL_Version_3_3))
    {
        Dialogs::instance().critical("Error", "OpenGL version 3.3 or higher necessary but couldn't be found.");
        std::abort();
    }

    bool const unstable_options = has_unstable_options(application.arguments());
    Logger::instance()->init("log.txt");

    try
    {
        Core core(unstable_options);
        QStringList const missing = missing_data_files(core.get_level_names());
        if (!missing.isEmpty())
            return report_start_failure("A data file the game needs is missing: " + missing.join(", "));
        QGLFormat format;
        format.setSwapInterval(1);
        // Lives as long as the process: the screens and Qt still reach it while
        // the application object goes down.
        viewer = new My_viewer(&core, format);
        viewer->show();
        viewer->start();
        // Ended by a signal during the start-up's notice: the loop would never end.
        if (viewer->has_ended()) return EXIT_SUCCESS;
        return application.exec();
    }
    // The window's Core is gone here: a signal during the box ends only the box.
    catch (Missing_data_file const& error)
    {
        viewer = nullptr;
        return report_start_failure("A data file the game needs is missing: " +
                                    QString::fromStdString(error.get_file()));
    }
    catch (std::exception const& error)
    {
        viewer = nullptr;
        return report_start_failure(QString::fromUtf8(error.what()));
    }
}
