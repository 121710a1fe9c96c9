#include "simulation/Charged_barrier.h"
#include "simulation/Core.h"
#include "simulation/Level_file.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Tractor_barrier.h"
#include "tools/campaign/Campaign.h"
#include "tools/campaign/Campaign_files.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <typeindex>

namespace
{

QString const game_data = TEST_FIXTURE_DIR "/../data";

std::string level_file(std::string const& name)
{
    return (game_data + "/levels/" + QString::fromStdString(name) + ".data").toStdString();
}

// A Core over a scratch copy of the shipped settings and levels.
class Campaign_run
{
public:
    Campaign_run()
    {
        data.copy_from_game("default_simulation_settings.data");
        for (Campaign_level const& level : campaign())
            data.copy_from_game("levels/" + QString::fromStdString(level.name) + ".data");
        Capture_stdout quiet;
        core = std::make_unique<Core>();
    }

    // Starts the level with the random numbers seeded, lets `player` act on it,
    // and runs in steps of `step` until the level is won or `score_times` times
    // its score time factor in seconds has passed. Returns the time taken, or a
    // negative value.
    float play(int index, std::function<void(Level_data&)> const& player, unsigned seed = 1, float score_times = 1.f,
               float step = 1.f / 64.f)
    {
        std::srand(seed);
        Capture_stdout out;
        core->load_level(index);
        core->start_level();
        if (player) player(core->get_level_data());
        time_factor = core->get_level_data()._score_time_factor;
        float const limit = score_times * time_factor;
        while (core->get_current_time() < limit && core->get_game_state() != Core::Finished) core->update(step);
        output = out.text();
        return core->get_game_state() == Core::Finished ? core->get_current_time() : -1.f;
    }

    Scratch_data_tree data;
    std::unique_ptr<Core> core;
    std::string output;
    float time_factor = 0.f;
};

int atoms_of(std::string const& type)
{
    return int(create_molecule(type, Eigen::Vector3f::Zero())._atoms.size());
}

bool inside_the_field(Level_data const& level, Eigen::AlignedBox3f const& box)
{
    Eigen::Vector3f const half(level._game_field_width / 2.f, 100.f, level._game_field_height / 2.f);
    return box.intersects(Eigen::AlignedBox3f(-half, half));
}

} // namespace

TEST(Campaign, lists_its_levels_in_order_in_the_default_settings)
{
    Scratch_data_tree data;
    data.copy_from_game("default_simulation_settings.data");
    Capture_stdout quiet;
    Core core;
    EXPECT_EQ(QString::fromStdString(campaign_level_list()), core.get_level_names().join(","));
    EXPECT_EQ("Intro 0,Intro 1,Intro 2,Level 1", campaign_level_list().substr(0, 31));
    EXPECT_GE(campaign().size(), 3u + 8u);
}

TEST(Campaign, the_generator_writes_the_shipped_files_byte_for_byte)
{
    QTemporaryDir scratch;
    QString const data = scratch.filePath("data");
    {
        Capture_stdout quiet;
        write_campaign_files(data);
    }
    QStringList files{"default_simulation_settings.data"};
    for (Campaign_level const& level : campaign()) files << "levels/" + QString::fromStdString(level.name) + ".data";
    for (QString const& file : files)
    {
        QFile written(data + "/" + file), shipped(game_data + "/" + file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly)) << file.toStdString();
        EXPECT_TRUE(written.readAll() == shipped.readAll()) << file.toStdString() << " differs from a fresh run";
    }
}

class Campaign_level_file : public ::testing::TestWithParam<int>
{
protected:
    Campaign_level const& entry() const { return campaign()[GetParam()]; }
};

TEST_P(Campaign_level_file, keeps_the_rules_of_a_shipped_level)
{
    Capture_stdout quiet;
    Level_data level;
    ASSERT_NO_THROW(load_level_file(level_file(entry().name), level));

    EXPECT_TRUE(level.has_game_field_borders());
    std::set<std::type_index> const saveable{typeid(Box_barrier),     typeid(Plane_barrier),  typeid(Molecule_releaser),
                                             typeid(Box_portal),      typeid(Sphere_portal),  typeid(Brownian_box),
                                             typeid(Tractor_barrier), typeid(Charged_barrier)};
    for (auto const& element : level._level_elements)
    {
        EXPECT_TRUE(saveable.count(typeid(*element))) << typeid(*element).name();
        EXPECT_TRUE(element->is_persistent());
    }

    for (Portal const* portal : level._portals)
    {
        EXPECT_EQ(0, portal->get_end_condition().get_type());
        EXPECT_GE(portal->get_end_condition().get_min_captured_molecules(), 1);
        EXPECT_TRUE(inside_the_field(level, portal->get_bounding_box()));
    }

    int atoms = 0;
    for (Molecule const& molecule : level._molecules) atoms += int(molecule._atoms.size());
    for (Molecule_releaser const* releaser : level._molecule_releasers)
    {
        std::string const type = releaser->get_molecule_type();
        EXPECT_TRUE(type == "H2O" || type == "Na" || type == "Cl") << type;
        atoms += releaser->get_num_max_molecules() * atoms_of(type);
    }
    EXPECT_LT(atoms, 4066);

    std::vector<std::string> kinds;
    for (auto const& available : level._available_elements)
    {
        kinds.push_back(available.first);
        EXPECT_GE(available.second, 0);
        EXPECT_LE(available.second, 9);
    }
    EXPECT_THAT(kinds, ::testing::UnorderedElementsAre("Box_barrier", "Brownian_box", "Box_portal", "Sphere_portal",
                                                       "Molecule_releaser", "Charged_barrier", "Tractor_barrier"));

    EXPECT_TRUE(QFileInfo::exists(game_data + "/textures/" + QString::fromStdString(level._background_name)));
    EXPECT_EQ(level._translation_damping, level._rotation_damping);
    EXPECT_EQ(level._translation_fluctuation, level._rotation_fluctuation);
    float const gravity = level.get_parameters()["gravity"]->get_value<float>();
    EXPECT_GE(gravity, 0.f);
    EXPECT_LE(gravity, 10.f);
}

INSTANTIATE_TEST_SUITE_P(Shipped, Campaign_level_file, ::testing::Range(0, int(campaign().size())),
                         [](auto const& info) { return "level_" + std::to_string(info.param); });

// What the tutorial's events look for in the first levels.
TEST(Campaign_tutorial, levels_hold_what_the_tutorial_points_at)
{
    Capture_stdout quiet;
    Level_data intro_0, intro_1, intro_2, level_1;
    load_level_file(level_file("Intro 0"), intro_0);
    load_level_file(level_file("Intro 1"), intro_1);
    load_level_file(level_file("Intro 2"), intro_2);
    load_level_file(level_file("Level 1"), level_1);

    EXPECT_EQ(0.f, intro_0.get_parameters()["gravity"]->get_value<float>());
    ASSERT_EQ(1u, intro_0._molecule_releasers.size());
    EXPECT_EQ("H2O", intro_0._molecule_releasers.front()->get_molecule_type());
    EXPECT_LT(intro_0._molecule_releasers.front()->get_first_release() +
                  intro_0._molecule_releasers.front()->get_interval(),
              5.f);
    EXPECT_TRUE(intro_0._portals.empty());
    for (auto const& available : intro_0._available_elements) EXPECT_EQ(0, available.second);

    ASSERT_FALSE(intro_1._portals.empty());
    EXPECT_GT(intro_1._portals.back()->get_position().x(), 10.f);
    Eigen::Vector3f const collector = intro_1._portals.back()->get_bounding_box().sizes();
    EXPECT_GT(collector.x(), collector.z()) << "its gauge must hang under it, where the tutorial shows it";
    ASSERT_FALSE(intro_1._brownian_elements.empty());
    EXPECT_LT(static_cast<Brownian_box*>(intro_1._brownian_elements.back())->get_strength(), 15.f);
    EXPECT_EQ(Level_element::Property, intro_1._brownian_elements.back()->get_user_editable());

    ASSERT_FALSE(intro_2._brownian_elements.empty());
    EXPECT_EQ(50.f, static_cast<Brownian_box*>(intro_2._brownian_elements.back())->get_strength());
    EXPECT_EQ(Level_element::Translate | Level_element::Scale, intro_2._brownian_elements.back()->get_user_editable());
    EXPECT_FALSE(intro_2._portals.empty());

    EXPECT_TRUE(level_1._brownian_elements.empty());
    EXPECT_GE(level_1._available_elements.at("Brownian_box"), 1);
    EXPECT_EQ(0, level_1._available_elements.at("Box_barrier"));
    EXPECT_EQ(0, level_1._available_elements.at("Box_portal"));
    ASSERT_FALSE(level_1._portals.empty());
    EXPECT_GT(level_1._portals.back()->get_position().x(), 10.f);
}

class Campaign_play : public ::testing::TestWithParam<int>
{
protected:
    Campaign_level const& entry() const { return campaign()[GetParam()]; }
};

TEST_P(Campaign_play, is_won_with_its_solution_within_its_score_time_for_several_seeds)
{
    Campaign_run run;
    for (unsigned seed : {1u, 2u, 3u})
    {
        float const solved = run.play(GetParam(), entry().solve, seed);
        EXPECT_GT(solved, 0.f) << entry().name << " was not won within " << run.time_factor << " s, seed " << seed;
        EXPECT_THAT(run.output, ::testing::Not(::testing::HasSubstr("Reached max number of atoms")));
        std::cout << entry().name << ", seed " << seed << ": won in " << solved << " s of " << run.time_factor << " s"
                  << std::endl;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, Campaign_play, ::testing::Range(1, int(campaign().size())),
                         [](auto const& info) { return "level_" + std::to_string(info.param); });

// A player who places nothing and waits must not win, however long they wait:
// five times the score time, in the tests' steps and in the longer ones of the
// game's doubled speed. One process each, so that ctest spreads them.
struct Idle_run
{
    int level;
    unsigned seed;
    float step;
};

void PrintTo(Idle_run const& run, std::ostream* out)
{
    *out << "level " << run.level << ", seed " << run.seed << ", step 1/" << int(1.f / run.step);
}

class Campaign_idle : public ::testing::TestWithParam<Idle_run>
{
protected:
    Campaign_level const& entry() const { return campaign()[GetParam().level]; }
};

TEST_P(Campaign_idle, is_not_won_by_waiting_five_times_its_score_time)
{
    Campaign_run run;
    float const waited = run.play(GetParam().level, nullptr, GetParam().seed, 5.f, GetParam().step);
    EXPECT_LT(waited, 0.f) << entry().name << " was won by doing nothing after " << waited << " s (score time "
                           << run.time_factor << " s)";
    EXPECT_THAT(run.output, ::testing::Not(::testing::HasSubstr("Reached max number of atoms")));
}

std::vector<Idle_run> idle_runs()
{
    std::vector<Idle_run> runs;
    for (int level = 1; level < int(campaign().size()); ++level)
    {
        for (unsigned seed : {1u, 2u}) runs.push_back({level, seed, 1.f / 64.f});
        runs.push_back({level, 3u, 1.f / 32.f});
    }
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Shipped, Campaign_idle, ::testing::ValuesIn(idle_runs()), [](auto const& info) {
    return "level_" + std::to_string(info.param.level) + "_seed_" + std::to_string(info.param.seed) + "_step_1_" +
           std::to_string(int(1.f / info.param.step));
});
