#include "Child_process.h"
#include "Damaged_copies.h"
#include "Game_entry_points.h"

#include "foundation/Data_config.h"
#include "foundation/Xml_archive_file.h"
#include "simulation/Core.h"
#include "simulation/Level_file.h"

#include "support/Capture_stdout.h"
#include "support/Full_level.h"
#include "support/Scratch_data_tree.h"
#include "support/Text_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

// Thousands of damaged copies of every file the game reads, each handed to the
// game's own entry point in a child process under a memory and a time limit.
// Whatever the damage, the game must neither crash, abort, let an exception out
// nor run out of memory, and must either take the file or refuse it with its
// message and its documented fallback.

#ifdef BRINDLEMOT_SANITIZE
// A failed allocation throws as it would without the sanitizer, instead of
// ending the process with a report.
extern "C" char const* __asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=1024:quarantine_size_mb=8:malloc_context_size=8";
}
#endif

namespace
{

std::size_t const memory_headroom = std::size_t(1) << 30;
int const seconds_per_file = 60;
// CTest reserves as many processors for each of these tests.
int const children_at_once = 2;
#ifdef BRINDLEMOT_SANITIZE
// Under the sanitizers a child costs ten times as much: they play every other
// input of each shard, and the release build the whole corpus.
std::size_t const input_stride = 2;
#else
std::size_t const input_stride = 1;
#endif

std::string game_file(std::string const& relative)
{
    return read_text(TEST_FIXTURE_DIR "/../data/" + relative);
}

std::string fixture(std::string const& relative)
{
    return read_text(TEST_FIXTURE_DIR "/" + relative);
}

std::string full_level_file()
{
    Capture_stdout quiet;
    Full_level full;
    return write_xml_archive("_level_data", full.level);
}

std::string progress_file()
{
    Progress progress;
    progress.last_level = 3;
    progress.sandbox_warning_seen = true;
    Score run;
    run.sensor_data._data[Sensor_data::Collected_molecules] = {0, 1, 2, 4};
    run.sensor_data._data[Sensor_data::Released_molecules] = {1, 3, 5, 6};
    run.sensor_data._data[Sensor_data::Average_temperature] = {1.5f, 2.5f, -3.f, 0.f};
    run.sensor_data._data[Sensor_data::Energy_consumption] = {0.5f, 1.5f, 0.f, 0.f};
    run.calculate(60.f, 4);
    progress.scores["Level 1"] = {run, run};
    progress.scores["Intro 2"] = {run};
    return write_xml_archive("_progress", progress);
}

// The shipped defaults as a player's saved settings, with a few values moved.
std::string settings_file(Parameter_list& parameters)
{
    parameters["Mass Factor"]->set_value_no_update(0.5f);
    parameters["physics_timestep_ms"]->set_value_no_update(20);
    return write_xml_archive("simulation_settings.data", parameters);
}

struct Base_file
{
    std::string name;
    std::string bytes;
    bool thorough;
};

typedef std::function<int(std::string const& directory, std::string const& bytes, std::string& note)> Entry_point;

struct Shard
{
    std::string loader;
    std::vector<Base_file> files;
    Entry_point entry_point;
};

struct Input
{
    std::string what;
    std::size_t base;
    Damaged_copy copy;
};

// Every base file damaged in every way, the other formats' files and files that
// were never archives.
std::vector<Input> corpus(Shard const& shard, std::vector<Base_file> const& strangers, unsigned seed)
{
    std::vector<Input> inputs;
    for (std::size_t base = 0; base < shard.files.size(); ++base)
    {
        Base_file const& file = shard.files[base];
        inputs.push_back({file.name + " as it is", base, Damaged_copy{}});
        for (Damaged_copy& copy : damaged_copies(file.bytes, seed++, file.thorough))
            inputs.push_back({file.name + ": " + copy.what, base, std::move(copy)});
    }
    std::string const& first = shard.files.front().bytes;
    for (Base_file const& stranger : strangers)
        inputs.push_back({"another file: " + stranger.name, 0, Damaged_copy{"", {{0, first.size(), stranger.bytes}}}});
    for (Damaged_copy& copy : foreign_files(first, seed)) inputs.push_back({copy.what, 0, std::move(copy)});
    return inputs;
}

struct Tally
{
    int loaded = 0;
    int fell_back = 0;
    std::vector<std::string> failures;
};

// Saves flush to the disk; memory-backed storage makes that free.
QString scratch_place()
{
    return QDir("/dev/shm").exists() ? "/dev/shm/damaged-files-XXXXXX" : QDir::temp().filePath("damaged-files-XXXXXX");
}

Tally run_corpus(Shard const& shard, std::vector<Input> const& inputs)
{
    QTemporaryDir scratch(scratch_place());
    auto const play = [&](std::size_t index, std::string& note) {
        std::string const directory = scratch.filePath(QString::number(index)).toStdString();
        Input const& input = inputs[index];
        return shard.entry_point(directory, input.copy.bytes(shard.files[input.base].bytes), note);
    };
    std::vector<Child_end> const ends =
        run_in_children(inputs.size(), play, children_at_once, memory_headroom, seconds_per_file);

    Tally tally;
    for (std::size_t i = 0; i < ends.size(); ++i)
    {
        if (ends[i].exited && ends[i].code == file_loaded)
            ++tally.loaded;
        else if (ends[i].exited && ends[i].code == fell_back)
            ++tally.fell_back;
        else
            tally.failures.push_back(inputs[i].what + " -> " + ends[i].describe());
    }
    return tally;
}

class Damaged_files : public ::testing::TestWithParam<std::string>
{
protected:
    static void SetUpTestSuite()
    {
        Capture_stdout quiet;
        Scratch_data_tree empty;
        code_values = new Parameter_values(values_of(Core().get_parameters()));
        Scratch_data_tree shipped;
        shipped.copy_from_game("default_simulation_settings.data");
        Core core;
        default_values = new Parameter_values(values_of(core.get_parameters()));
        saved_settings = new std::string(settings_file(core.get_parameters()));
    }

    static void TearDownTestSuite()
    {
        delete code_values;
        delete default_values;
        delete saved_settings;
    }

    static Shard shard(std::string const& name)
    {
        auto const levels = [](std::initializer_list<char const*> names) {
            std::vector<Base_file> files;
            for (char const* level : names)
                files.push_back({level, game_file(std::string("levels/") + level + ".data"), false});
            return files;
        };
        Entry_point const level = play_level_file;
        if (name == "intro_levels") return {"levels", levels({"Intro 0", "Intro 1", "Intro 2"}), level};
        if (name == "first_levels") return {"levels", levels({"Level 1", "Level 2", "Level 3", "Level 4"}), level};
        if (name == "last_levels") return {"levels", levels({"Level 5", "Level 6", "Level 7", "Level 8"}), level};
        if (name == "every_kind_level") return {"levels", {{"a level of every kind", full_level_file(), true}}, level};
        if (name == "older_levels")
            return {"levels",
                    {{"a level of version 2", fixture("simulation/fixtures/level_version_2.data"), false},
                     {"a level of version 3", fixture("simulation/fixtures/level_version_3.data"), false},
                     {"a level of old shared pointers", fixture("simulation/fixtures/level_old_shared_pointers.data"),
                      true}},
                    level};
        if (name == "progress") return {"progress", {{"progress", progress_file(), true}}, start_with_progress_file};
        Parameter_values const& code = *code_values;
        Parameter_values const& defaults = *default_values;
        if (name == "defaults")
            return {"defaults",
                    {{"the shipped defaults", game_file("default_simulation_settings.data"), true}},
                    [&code](std::string const& directory, std::string const& bytes, std::string& note) {
                        return start_with_defaults_file(directory, bytes, code, note);
                    }};
        return {"settings",
                {{"saved settings", *saved_settings, false},
                 {"settings of the earlier format", fixture("foundation/fixtures/simulation_settings.data"), false}},
                [&defaults](std::string const& directory, std::string const& bytes, std::string& note) {
                    return load_settings_file(directory, bytes, defaults, note);
                }};
    }

    // One file of each other format.
    static std::vector<Base_file> strangers(std::string const& loader)
    {
        std::vector<Base_file> files;
        if (loader != "levels") files.push_back({"a level", game_file("levels/Level 4.data"), false});
        if (loader != "progress") files.push_back({"progress", progress_file(), false});
        if (loader != "defaults" && loader != "settings")
            files.push_back({"settings", game_file("default_simulation_settings.data"), false});
        return files;
    }

    static Parameter_values* code_values;
    static Parameter_values* default_values;
    static std::string* saved_settings;
};

Parameter_values* Damaged_files::code_values = nullptr;
Parameter_values* Damaged_files::default_values = nullptr;
std::string* Damaged_files::saved_settings = nullptr;

} // namespace

TEST_P(Damaged_files, never_crash_the_game_and_load_or_fall_back)
{
    // "name" or "name part/parts": the corpus of a large shard in even parts.
    std::istringstream parameter(GetParam());
    std::string name;
    int part = 1, parts = 1;
    char slash = '/';
    parameter >> name >> part >> slash >> parts;

    Shard const tested = shard(name);
    std::vector<Input> inputs = corpus(tested, strangers(tested.loader), 20);
    std::vector<Input> share;
    for (std::size_t i = 0; i < inputs.size(); ++i)
    {
        if (int(i % std::size_t(parts)) == part - 1) share.push_back(std::move(inputs[i]));
    }
    std::vector<Input> played;
    for (std::size_t i = 0; i < share.size(); i += input_stride) played.push_back(std::move(share[i]));
    share = std::move(played);
    auto const started = std::chrono::steady_clock::now();
    Tally const tally = run_corpus(tested, share);
    double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::cout << "Damaged " << tested.loader << " files (" << GetParam() << "): " << share.size() << " inputs, "
              << tally.loaded << " loaded, " << tally.fell_back << " refused with the fallback, "
              << tally.failures.size() << " failures, " << seconds << " s" << std::endl;
    for (std::size_t i = 0; i < tally.failures.size() && i < 40; ++i) ADD_FAILURE() << tally.failures[i];
    EXPECT_EQ(0u, tally.failures.size());
}

INSTANTIATE_TEST_SUITE_P(Corpus, Damaged_files,
                         ::testing::Values("intro_levels", "first_levels", "last_levels", "every_kind_level 1/2",
                                           "every_kind_level 2/2", "older_levels 1/2", "older_levels 2/2", "progress",
                                           "defaults", "settings"),
                         [](auto const& info) {
                             std::string name = info.param;
                             for (char& c : name)
                             {
                                 if (c == ' ' || c == '/') c = '_';
                             }
                             return name;
                         });
