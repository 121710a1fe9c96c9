// The player's own files that the game cannot read or write: kept, or left
// alone, and told of once; never replaced unasked.
#include "foundation/Failed_saves.h"
#include "foundation/Unreadable_files.h"
#include "foundation/Xml_archive_file.h"
#include "simulation/Core.h"
#include "simulation/Progress.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"
#include "support/Scripted_dialogs.h"
#include "support/Text_file.h"

#include <QDir>
#include <QFile>

#include <gmock/gmock.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include <sys/resource.h>

using ::testing::HasSubstr;

namespace
{

std::string replaced(std::string text, std::string const& from, std::string const& to)
{
    std::string::size_type const at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Progress of five levels reached and one run of the first.
std::string progress_bytes()
{
    Progress progress;
    progress.last_level = 5;
    progress.scores["Level 1"].push_back(Score());
    progress.scores["Level 1"].back().full_time = 12.5f;
    return write_xml_archive("_progress", progress);
}

class Players_file_test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.copy_from_game("default_simulation_settings.data");
        take_unreadable_file_notices();
    }

    std::unique_ptr<Core> start_core()
    {
        Capture_stdout quiet;
        return std::make_unique<Core>();
    }

    // The game run anew in a data tree of its own: a file is told of once a
    // run, and this process is one run.
    static std::unique_ptr<Scratch_data_tree> another_run()
    {
        auto run = std::make_unique<Scratch_data_tree>();
        run->copy_from_game("default_simulation_settings.data");
        return run;
    }

    Scratch_data_tree data;
    std::string const progress = data.path("progress.data");
    std::string const settings = data.path("simulation_settings.data");
};

TEST_F(Players_file_test, progress_of_a_newer_version_is_never_saved_over_and_the_player_is_told)
{
    for (auto const& newer :
         {replaced(progress_bytes(), "tracking_level=\"0\" version=\"2\"", "tracking_level=\"0\" version=\"3\""),
          replaced(progress_bytes(), "archive\" version=\"18\"", "archive\" version=\"99\"")})
    {
        std::unique_ptr<Scratch_data_tree> run = another_run();
        std::string const run_progress = run->path("progress.data");
        write_text(run_progress, newer);
        std::unique_ptr<Core> core = start_core();
        EXPECT_EQ(0, core->progress.last_level) << "the game runs on the defaults";

        core->progress.last_level = 1;
        Capture_stdout out;
        EXPECT_FALSE(core->save_progress());
        EXPECT_THAT(out.text(), HasSubstr("could not save"));
        EXPECT_EQ(newer, read_text(run_progress));
        EXPECT_FALSE(QFile::exists(QString::fromStdString(run_progress + ".unreadable-1")));

        QStringList const notices = take_unreadable_file_notices();
        ASSERT_EQ(1, notices.size());
        EXPECT_THAT(notices[0].toStdString(), HasSubstr("newer version of the game"));
        EXPECT_THAT(notices[0].toStdString(), HasSubstr("saves nothing over that file"));
    }
}

TEST_F(Players_file_test, damaged_progress_is_kept_beside_before_a_save_replaces_it)
{
    // A run lasting no finite time is written by the library but refused on reading.
    std::string const damaged =
        replaced(progress_bytes(), "<full_time>1.250000000e+01</full_time>", "<full_time>nan</full_time>");
    write_text(progress + ".unreadable-1", "kept by an earlier run");
    write_text(progress, damaged);
    std::unique_ptr<Core> core = start_core();
    EXPECT_EQ(0, core->progress.last_level);

    std::string const kept = progress + ".unreadable-2";
    EXPECT_EQ(damaged, read_text(kept));
    EXPECT_EQ("kept by an earlier run", read_text(progress + ".unreadable-1"));
    QStringList notices = take_unreadable_file_notices();
    ASSERT_EQ(1, notices.size());
    EXPECT_THAT(notices[0].toStdString(), HasSubstr("Your progress"));
    EXPECT_THAT(notices[0].toStdString(), HasSubstr("progress.data.unreadable-2"));

    core->progress.last_level = 2;
    {
        Capture_stdout quiet;
        ASSERT_TRUE(core->save_progress());
        EXPECT_EQ(2, load_progress_file(progress).last_level);
    }
    EXPECT_EQ(damaged, read_text(kept));
    EXPECT_TRUE(take_unreadable_file_notices().isEmpty()) << "told once";
}

TEST_F(Players_file_test, settings_of_a_newer_version_are_told_of_once_run_on_the_defaults_and_never_saved_over)
{
    std::unique_ptr<Core> core = start_core();
    Parameter& mass_factor = *core->get_parameters()["Mass Factor"];
    float const shipped = mass_factor.get_value<float>();
    mass_factor.set_value_no_update(0.5f);
    std::string good;
    {
        Capture_stdout quiet;
        ASSERT_TRUE(core->save_simulation_settings());
        good = read_text(settings);
    }

    // The list or the archive itself of a newer version.
    for (auto const& newer : {replaced(good, "class_id=\"0\" tracking_level=\"1\" version=\"0\"",
                                       "class_id=\"0\" tracking_level=\"1\" version=\"3\""),
                              replaced(good, "archive\" version=\"18\"", "archive\" version=\"99\"")})
    {
        std::unique_ptr<Scratch_data_tree> run = another_run();
        std::string const own_settings = run->path("simulation_settings.data");
        write_text(own_settings, newer);
        std::unique_ptr<Core> player = start_core();
        Scripted_dialogs dialogs;
        // The sandbox reads the settings each time it opens.
        for (int opening = 0; opening < 2; ++opening)
        {
            Capture_stdout quiet;
            player->get_parameters()["Mass Factor"]->set_value_no_update(0.5f);
            player->load_simulation_settings();
            EXPECT_FLOAT_EQ(shipped, player->get_parameters()["Mass Factor"]->get_value<float>());
            EXPECT_FALSE(player->save_simulation_settings());
        }
        EXPECT_EQ(newer, read_text(own_settings));
        QStringList const notices = take_unreadable_file_notices();
        ASSERT_EQ(1, notices.size()) << "told once";
        EXPECT_THAT(notices[0].toStdString(), HasSubstr("Your simulation settings"));
        EXPECT_THAT(notices[0].toStdString(), HasSubstr("newer version of the game"));
        show_failed_save_notices(nullptr);
        EXPECT_TRUE(dialogs.calls.empty()) << "a refused save says nothing more";
    }
}

TEST_F(Players_file_test, damaged_simulation_settings_are_kept_beside_and_the_shipped_defaults_are_left_alone)
{
    std::unique_ptr<Core> core = start_core();
    std::string good;
    {
        Capture_stdout quiet;
        ASSERT_TRUE(core->save_simulation_settings());
        good = read_text(settings);
    }

    // The defaults are the game's own file: refused, but never moved.
    write_text(data.path("default_simulation_settings.data"), "<not an archive");
    std::string const damaged = good.substr(0, good.size() / 2);
    write_text(settings, damaged);
    {
        Capture_stdout quiet;
        core->load_simulation_settings();
    }
    EXPECT_EQ(damaged, read_text(settings + ".unreadable-1"));
    EXPECT_EQ("<not an archive", read_text(data.path("default_simulation_settings.data")));
    QStringList const notices = take_unreadable_file_notices();
    ASSERT_EQ(1, notices.size());
    EXPECT_THAT(notices[0].toStdString(), HasSubstr("Your simulation settings"));
}

// Files cannot grow past `bytes` while it lives, as on a full disk.
class Full_disk
{
public:
    explicit Full_disk(rlim_t bytes) : _previous_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &_previous);
        rlimit full = _previous;
        full.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~Full_disk()
    {
        setrlimit(RLIMIT_FSIZE, &_previous);
        std::signal(SIGXFSZ, _previous_handler);
    }

private:
    void (*_previous_handler)(int);
    rlimit _previous;
};

TEST_F(Players_file_test, a_failed_save_keeps_the_old_file_is_told_once_a_run_and_is_tried_again)
{
    std::unique_ptr<Core> core = start_core();
    core->progress.last_level = 3;
    std::string old_progress;
    std::string old_settings;
    {
        Capture_stdout quiet;
        ASSERT_TRUE(core->save_progress());
        ASSERT_TRUE(core->save_simulation_settings());
        old_progress = read_text(progress);
        old_settings = read_text(settings);
    }

    Scripted_dialogs dialogs;
    core->progress.last_level = 4;
    {
        Capture_stdout out;
        Full_disk full(64);
        for (int save = 0; save < 2; ++save)
        {
            EXPECT_FALSE(core->save_progress());
            EXPECT_FALSE(core->save_simulation_settings());
        }
        EXPECT_THAT(out.text(), HasSubstr("Core::save_progress could not save " + progress));
        EXPECT_THAT(out.text(), HasSubstr("Couldn't save sim settings: " + settings));
    }
    EXPECT_EQ(old_progress, read_text(progress));
    EXPECT_EQ(old_settings, read_text(settings));
    EXPECT_TRUE(QDir(data.data_directory()).entryList({"*.saving-*"}, QDir::Files | QDir::Hidden).isEmpty());

    show_failed_save_notices(nullptr);
    show_failed_save_notices(nullptr);
    ASSERT_EQ(1u, dialogs.calls.size()) << "both files in one box, once";
    EXPECT_EQ("warning", dialogs.calls[0].kind);
    EXPECT_EQ("Could Not Save", dialogs.calls[0].title);
    std::string const told = dialogs.calls[0].text.toStdString();
    EXPECT_THAT(told, HasSubstr("Your progress could not be saved to " + progress + " (" + std::strerror(EFBIG) + ")"));
    EXPECT_THAT(told, HasSubstr("Your simulation settings could not be saved to " + settings));

    // Every later save tries again; failing again tells nothing more.
    {
        Capture_stdout quiet;
        ASSERT_TRUE(core->save_progress());
        EXPECT_EQ(4, load_progress_file(progress).last_level);
        Full_disk full(64);
        EXPECT_FALSE(core->save_progress());
    }
    show_failed_save_notices(nullptr);
    EXPECT_EQ(1u, dialogs.calls.size());
}

} // namespace
