#include "foundation/Data_config.h"
#include "foundation/Xml_archive_file.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"
#include "support/Text_file.h"

#include <QDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace
{

// The files a player's game writes: progress, settings, the viewer's own
// parameter file and a level from the editor, in two versions each.
class Saved_files
{
public:
    explicit Saved_files(Scratch_data_tree& data)
        : _viewer_file(data.path("boost_parameters_BRINDLEMOT")), _level_file(data.path("state.data"))
    {
        Capture_stdout quiet;
        _core = std::make_unique<Core>();
        _core->reset_level_data();
        // Large enough for a save to take a while.
        for (int i = 0; i < 300; ++i)
            _core->add_molecule(create_molecule("H2O", Eigen::Vector3f(float(i % 30) - 15.f, 0.f, float(i / 30))));
        _viewer.add(&_camera_distance);
        Score run;
        run.sensor_data._data[Sensor_data::Collected_molecules].assign(400, 1.f);
        run.calculate(60.f, 10);
        _runs.assign(8, run);
    }

    std::vector<std::string> paths() const
    {
        return {Data_config::instance()->find_in_data_paths("progress.data", false),
                Data_config::instance()->find_in_data_paths("simulation_settings.data", false), _viewer_file,
                _level_file};
    }

    // Saves every file as the game does, in version 0 or 1; false when one failed.
    bool save(int version)
    {
        Capture_stdout quiet;
        _core->progress.last_level = version;
        _core->progress.scores["Level 1"].assign(_runs.begin(), _runs.begin() + 4 + version * 4);
        _core->get_parameters()["Mass Factor"]->set_value_no_update(version ? 0.5f : 0.2f);
        _camera_distance.set_value_no_update(version ? 7.f : 3.f);
        _core->get_level_data()._molecules.front()._x.x() = version ? 1.f : -1.f;
        return _core->save_progress() && _core->save_simulation_settings() && _viewer.save(_viewer_file) &&
               _core->save_level(_level_file);
    }

private:
    std::string const _viewer_file;
    std::string const _level_file;
    std::unique_ptr<Core> _core;
    Parameter _camera_distance{"camera_distance", 5.f, 0.f, 100.f};
    Parameter_list _viewer;
    std::vector<Score> _runs;
};

std::vector<std::string> contents(std::vector<std::string> const& paths)
{
    std::vector<std::string> bytes;
    for (std::string const& path : paths) bytes.push_back(read_text(path));
    return bytes;
}

int unfinished_copies(QString const& directory)
{
    return QDir(directory).entryList({"*.saving-*"}, QDir::Files | QDir::Hidden).size();
}

} // namespace

// Killed at any moment of a save, the game leaves each file as it was or as the
// save made it, never a part of one.
TEST(Interrupted_saves, leave_each_file_old_or_new_and_loadable)
{
    Scratch_data_tree data;
    data.copy_from_game("default_simulation_settings.data");
    Saved_files files(data);
    std::vector<std::string> const paths = files.paths();

    auto const started = std::chrono::steady_clock::now();
    ASSERT_TRUE(files.save(1));
    std::vector<std::string> const new_bytes = contents(paths);
    ASSERT_TRUE(files.save(0));
    std::vector<std::string> const old_bytes = contents(paths);
    double const save_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() / 2;

    // Both versions are files the game loads.
    {
        Capture_stdout out;
        Core reader;
        reader.load_level(paths[3]);
        reader.load_simulation_settings();
        EXPECT_EQ(std::string::npos, out.text().find("Failed")) << out.text();
        EXPECT_EQ(std::string::npos, out.text().find("Couldn't")) << out.text();
        EXPECT_EQ(0, reader.progress.last_level);
    }

    std::mt19937 random(5);
    int interrupted_writes = 0;
    int const kills = 40;
    for (int kill = 0; kill < kills; ++kill)
    {
        int ready[2];
        ASSERT_EQ(0, pipe(ready));
        pid_t const child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            close(ready[0]);
            char const go = 'g';
            if (write(ready[1], &go, 1) != 1) _exit(1);
            for (int version = 1;; version ^= 1)
            {
                if (!files.save(version)) _exit(2);
            }
        }
        close(ready[1]);
        char go = 0;
        ASSERT_EQ(1, read(ready[0], &go, 1));
        close(ready[0]);
        // Every other kill anywhere within the first two rounds of saves; the
        // others while a file is being written, its unfinished copy in place.
        auto const until = std::chrono::steady_clock::now() + std::chrono::duration<double>(save_seconds * 2.0);
        if (kill % 2 == 0)
        {
            std::this_thread::sleep_until(
                until - std::chrono::duration<double>(save_seconds * 2.0 * (random() % 1000) / 1000.0));
        }
        else
        {
            while (unfinished_copies(data.data_directory()) == 0 && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 300));
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped saving by itself";

        interrupted_writes += unfinished_copies(data.data_directory()) > 0 ? 1 : 0;
        for (std::size_t file = 0; file < paths.size(); ++file)
        {
            std::string const now = read_text(paths[file]);
            EXPECT_TRUE(now == old_bytes[file] || now == new_bytes[file])
                << paths[file] << " is neither version after kill " << kill << " (" << now.size() << " bytes)";
        }
    }
    // Kills that caught a file half written, the point of the test.
    EXPECT_GT(interrupted_writes, kills / 4);

    // The next save clears what the interrupted ones left.
    ASSERT_TRUE(files.save(1));
    EXPECT_EQ(0, unfinished_copies(data.data_directory()));
    EXPECT_EQ(new_bytes, contents(paths));
}
