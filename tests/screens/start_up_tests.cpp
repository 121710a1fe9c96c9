// The game as a player starts it: the executable in a scratch directory, and the
// viewer's own start-up in this process.
#include "Play_test.h"
#include "X_windows.h"

#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "widgets/Draggable_button.h"
#include "foundation/Xml_archive_file.h"
#include "simulation/Core.h"
#include "simulation/Progress.h"

#include "support/Text_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <csignal>
#include <cstdlib>
#include <functional>

#include <sys/stat.h>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace
{

// The game's executable with a copy of the data beside it, started in a working
// directory of its own, as scripts/run starts it from the repository.
class Game_process : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
        {
            if (qEnvironmentVariableIsSet("CI")) FAIL() << "no X display under CI";
            GTEST_SKIP() << "no X display";
        }
        QDir root(scratch.path());
        ASSERT_TRUE(root.mkpath("app/data") && root.mkpath("work"));
        app = root.filePath("app");
        work = root.filePath("work");
        copy_tree(QDir(TEST_FIXTURE_DIR "/../data"), QDir(app + "/data"));
        ASSERT_TRUE(QFile::copy(GAME_EXECUTABLE, app + "/brindlemot"));
    }

    void TearDown() override
    {
        if (game.state() != QProcess::NotRunning)
        {
            game.kill();
            game.waitForFinished(5000);
        }
    }

    static void copy_tree(QDir const& from, QDir const& to)
    {
        for (QString const& file : from.entryList(QDir::Files))
        {
            // The player's own files stay out of the copy.
            if (file == "progress.data" || file == "simulation_settings.data") continue;
            QFile::copy(from.filePath(file), to.filePath(file));
        }
        for (QString const& folder : from.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        {
            to.mkpath(folder);
            copy_tree(QDir(from.filePath(folder)), QDir(to.filePath(folder)));
        }
    }

    void start()
    {
        game.setWorkingDirectory(work);
        game.setProcessChannelMode(QProcess::MergedChannels);
#ifdef BRINDLEMOT_SANITIZE
        // Reads of freed memory still end the sanitized game with a failure. Its
        // leaks are the in-process tests' to find: by the time the process ends
        // the GL driver is unloaded, and what it kept can no longer be named.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        game.setProcessEnvironment(environment);
#endif
        game.start(app + "/brindlemot", QStringList());
        ASSERT_TRUE(game.waitForStarted(10000));
    }

    // Reads the game's output until the condition holds; false after the time.
    bool wait_for(std::function<bool()> const& condition, int milliseconds = 30000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition())
        {
            if (timer.elapsed() > milliseconds || game.state() == QProcess::NotRunning) return condition();
            game.waitForReadyRead(100);
            output += game.readAll().toStdString();
        }
        return true;
    }

    bool printed(std::string const& text)
    {
        return output.find(text) != std::string::npos;
    }
    std::vector<X_window> windows()
    {
        return windows_of_process(long(game.processId()));
    }

    QTemporaryDir scratch;
    QString app;
    QString work;
    QProcess game;
    std::string output;
};

} // namespace

TEST_F(Game_process, starts_with_a_fresh_log_and_the_menu_over_the_hidden_play_screen_and_ends_when_closed)
{
    write_text((work + "/log.txt").toStdString(), "a line of the last run\n");
    start();

    ASSERT_TRUE(wait_for([&] { return windows().size() == 1 && printed("Main_game_screen::state_changed_event"); }))
        << output;
    X_window const window = windows().front();
    EXPECT_EQ(1280, window.width);
    EXPECT_EQ(720, window.height);
    EXPECT_THAT(output, HasSubstr("Parameter file not found"));
    EXPECT_THAT(read_text((work + "/log.txt").toStdString()), StartsWith("initialized."));
    EXPECT_THAT(read_text((work + "/log.txt").toStdString()), Not(HasSubstr("last run")));

    ASSERT_TRUE(send_key(window.id, 's'));
    ASSERT_TRUE(wait_for([&] { return printed("Main_game_screen state: 0"); }, 10000)) << output;
    std::string const stack = output.substr(output.find("My_viewer::keyPressEvent Screen Stack"));
    EXPECT_THAT(stack, ::testing::ContainsRegex("Screen Stack\nMain_menu_screen state: [13] ptr: [^\n]*\n"
                                                "Main_game_screen state: 0 ptr: "));

    ASSERT_TRUE(close_window(window.id));
    ASSERT_TRUE(game.waitForFinished(15000)) << output;
    // What it said on the way out: a sanitizer's report, say.
    output += game.readAll().toStdString();
    EXPECT_EQ(QProcess::NormalExit, game.exitStatus());
    EXPECT_EQ(0, game.exitCode()) << output.substr(output.size() > 6000 ? output.size() - 6000 : 0);
}

TEST_F(Game_process, missing_data_files_are_all_named_before_the_window_opens_and_the_game_ends_with_a_failure)
{
    ASSERT_TRUE(QFile::remove(app + "/data/shaders/blur_1D.frag"));
    ASSERT_TRUE(QFile::remove(app + "/data/levels/Level 3.data"));
    start();

    std::string const named = "A data file the game needs is missing: shaders/blur_1D.frag, levels/Level 3.data";
    ASSERT_TRUE(wait_for([&] { return printed(named) && windows().size() == 1; })) << output;
    close_window(windows().front().id); // the message box
    ASSERT_TRUE(game.waitForFinished(15000)) << output;
    EXPECT_EQ(QProcess::NormalExit, game.exitStatus());
    EXPECT_EQ(EXIT_FAILURE, game.exitCode());
}

TEST_F(Game_process, named_pipes_in_place_of_its_files_neither_hang_nor_stop_the_game)
{
    for (QString const& file : {work + "/log.txt", work + "/boost_parameters_", app + "/data/progress.data",
                                app + "/data/simulation_settings.data"})
        ASSERT_EQ(0, ::mkfifo(file.toLocal8Bit().constData(), 0644)) << file.toStdString();
    start();

    ASSERT_TRUE(wait_for([&] { return windows().size() == 1 && printed("Main_game_screen::state_changed_event"); }))
        << output;
    EXPECT_THAT(output, HasSubstr("no log is kept"));
    EXPECT_THAT(output, HasSubstr("Failed to load progress file, progress reset: "));
    ASSERT_TRUE(close_window(windows().front().id));
    ASSERT_TRUE(game.waitForFinished(15000)) << output;
    EXPECT_EQ(0, game.exitCode());
}

TEST_F(Game_process, a_termination_signal_ends_the_game_as_closing_the_window_does)
{
    // Progress of an older version: the save on the way out writes the new form.
    Progress reached;
    reached.last_level = 3;
    std::string older = write_xml_archive("_progress", reached);
    std::string const version = "tracking_level=\"0\" version=\"2\"";
    older.replace(older.find(version), version.size(), "tracking_level=\"0\" version=\"1\"");
    std::string::size_type const flag = older.find("<sandbox_warning_seen>");
    older.erase(flag, older.find('\n', flag) + 1 - flag);

    for (int signal : {SIGTERM, SIGINT})
    {
        SCOPED_TRACE(signal);
        write_text((app + "/data/progress.data").toStdString(), older);
        output.clear();
        start();
        ASSERT_TRUE(wait_for([&] { return windows().size() == 1 && printed("Main_game_screen::state_changed_event"); }))
            << output;
        ASSERT_EQ(0, ::kill(pid_t(game.processId()), signal));
        ASSERT_TRUE(game.waitForFinished(15000)) << output;
        EXPECT_EQ(QProcess::NormalExit, game.exitStatus()) << "not killed by the signal";
        EXPECT_EQ(0, game.exitCode());
        EXPECT_THAT(read_text((app + "/data/progress.data").toStdString()), HasSubstr("<sandbox_warning_seen>"));
        EXPECT_THAT(read_text((app + "/data/progress.data").toStdString()), HasSubstr("<last_level>3</last_level>"));
    }
}

TEST_F(Game_process, a_termination_signal_while_the_start_up_notice_shows_ends_the_game_as_closing_the_window_does)
{
    std::string const progress = (app + "/data/progress.data").toStdString();
    std::string const damaged = "<?xml version=\"1.0\"?><boost_serialization><_progress>";
    for (int signal : {SIGTERM, SIGINT})
    {
        SCOPED_TRACE(signal);
        QFile::remove(QString::fromStdString(progress + ".unreadable-1"));
        write_text(progress, damaged);
        output.clear();
        start();
        // The window and the box that says where the damaged file was kept.
        ASSERT_TRUE(wait_for([&] { return windows().size() == 2 && printed("keep_unreadable_file"); })) << output;
        ASSERT_EQ(0, ::kill(pid_t(game.processId()), signal));
        ASSERT_TRUE(game.waitForFinished(15000)) << output;
        EXPECT_EQ(QProcess::NormalExit, game.exitStatus()) << "not killed by the signal";
        EXPECT_EQ(0, game.exitCode()) << output;
        EXPECT_EQ(damaged, read_text(progress + ".unreadable-1"));
        EXPECT_THAT(read_text(progress), HasSubstr("<last_level>0</last_level>")) << "saved on the way out";
    }
}

TEST_F(Play_test, the_start_up_puts_the_main_menu_over_the_hidden_play_screen)
{
    Capture_stdout out;
    viewer->start();
    driver->step_frame();
    EXPECT_THAT(out.text(), HasSubstr("Parameter file not found"));
    EXPECT_EQ(16, viewer->animationPeriod());
    EXPECT_TRUE(viewer->animationIsStarted());
    viewer->stopAnimation(); // frames come from the test

    std::vector<Screen*> const stack = viewer->get_screens().screens();
    ASSERT_EQ(2u, stack.size());
    ASSERT_NE(nullptr, dynamic_cast<Main_menu_screen*>(stack[0]));
    EXPECT_EQ(Screen::Fading_in, stack[0]->get_state());
    auto* game = dynamic_cast<Main_game_screen*>(stack[1]);
    ASSERT_NE(nullptr, game);
    EXPECT_EQ(Screen::Hidden, game->get_state());
    EXPECT_EQ(Game_mode, game->get_mode());
}

TEST_F(Play_test, a_new_game_without_its_level_file_starts_on_the_default_level)
{
    ASSERT_TRUE(QDir(data->data_directory() + "/levels").removeRecursively());
    Capture_stdout out;
    viewer->start();
    viewer->stopAnimation();
    driver->step_frames(70);
    auto* menu = dynamic_cast<Main_menu_screen*>(viewer->get_screens().screens().front());
    ASSERT_NE(nullptr, menu);

    for (auto const& button : menu->get_buttons())
        if (button->get_text() == "Start New Game") driver->click(centre_of(*button));
    driver->step_frames(2);

    EXPECT_THAT(out.text(), HasSubstr("Failed to load level file: "));
    ASSERT_NE(nullptr, dynamic_cast<Before_start_screen*>(viewer->get_screens().screens().front()));
    EXPECT_EQ(6u, level()._level_elements.size()) << "the default level: its borders only";
    EXPECT_TRUE(level().has_game_field_borders());
}

TEST_F(Play_test, the_start_up_tells_once_what_became_of_a_progress_file_it_could_not_read)
{
    write_text(data->path("progress.data"), "<?xml version=\"1.0\"?><boost_serialization><_progress>");
    {
        Capture_stdout quiet;
        Core reading_it_again; // what main's Core does before the window opens
    }
    Capture_stdout quiet;
    viewer->start();
    viewer->stopAnimation();
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[0].kind);
    EXPECT_EQ("Unreadable File", dialogs.calls[0].title);
    EXPECT_THAT(dialogs.calls[0].text.toStdString(), HasSubstr("progress.data.unreadable-1"));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(data->path("progress.data.unreadable-1"))));
}
