#include "Core_fixture.h"

#include "simulation/Molecule_factory.h"
#include "simulation/Tractor_barrier.h"

#include <QFile>
#include <QSignalSpy>

#include <gmock/gmock.h>

#include <cmath>

using ::testing::HasSubstr;

namespace
{

void set_levels(Core& core, std::string const& names)
{
    Parameter& levels = *core.get_parameters()["levels"];
    levels.set_value_no_update(names);
    levels._callback();
}

} // namespace

TEST_F(Core_test, level_indices_outside_the_list_do_nothing)
{
    set_levels(*core, "One,,Two");
    ASSERT_EQ((QStringList{"One", "Two"}), core->get_level_names());
    QSignalSpy changes(core.get(), &Core::level_changed);

    core->load_level(-1);
    core->load_level(2);
    EXPECT_EQ(0, changes.count());
    EXPECT_EQ(0, core->get_current_level());

    Capture_stdout out;
    core->load_next_level(); // to "Two", which has no file
    core->load_next_level();
    EXPECT_EQ(1, core->get_current_level());
    EXPECT_THAT(out.text(), HasSubstr("Core::load_next_level next level: 2\nNo more levels.\n"));
}

TEST_F(Core_test, a_broken_level_file_gives_the_default_level_with_the_simulation_off)
{
    std::string const garbage = data.path("garbage.data");
    std::string error;
    ASSERT_TRUE(write_file_atomically(garbage, "this is not a level", error));
    core->set_simulation_state(true);
    QSignalSpy changes(core.get(), &Core::level_changed);

    Capture_stdout out;
    core->load_level(garbage);

    EXPECT_THAT(out.text(), HasSubstr("Boost Archive Exception. Failed to load level file: " + garbage + ", reason: "));
    EXPECT_GE(changes.count(), 2); // the reset to the default level, then the load's own
    EXPECT_FALSE(core->get_simulation_state());
    EXPECT_EQ(6u, level()._game_field_borders.size());
    EXPECT_EQ(6u, level()._level_elements.size());
}

TEST_F(Core_test, a_listed_level_without_a_file_is_reported_and_gives_the_default_level)
{
    set_levels(*core, "Nowhere");
    Capture_stdout out;
    core->load_level(0);
    EXPECT_THAT(out.text(), HasSubstr("Failed to load level file: "));
    EXPECT_THAT(out.text(), HasSubstr("levels/Nowhere.data, level reset: "));
    EXPECT_EQ(6u, level()._level_elements.size());
}

TEST_F(Core_test, a_saved_level_loads_back_with_its_elements_shared_between_the_lists)
{
    level().add_element(new Box_barrier(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5), 10000.f, 2.f));
    level().add_element(new Box_portal(Eigen::Vector3f(10, -5, -5), Eigen::Vector3f(20, 5, 5)));
    level().add_element(new Brownian_box(Eigen::Vector3f(-20, -5, -5), Eigen::Vector3f(-10, 5, 5), 20.f));
    core->add_molecule(create_molecule("H2O", Eigen::Vector3f(0, 0, 10)));
    std::string const file = data.path("mine.data");
    ASSERT_TRUE(core->save_level(file));

    Capture_stdout quiet;
    core->reset_level_data();
    core->load_level(file);

    EXPECT_EQ(9u, level()._level_elements.size());
    EXPECT_EQ(7u, level()._barriers.size());
    ASSERT_EQ(1u, level()._portals.size());
    ASSERT_EQ(1u, level()._brownian_elements.size());
    EXPECT_EQ(1u, level()._molecules.size());
    bool portal_owned = false;
    for (auto const& element : level()._level_elements) portal_owned |= element.get() == level()._portals.front();
    EXPECT_TRUE(portal_owned);
    EXPECT_EQ(level()._game_field_borders.at(Level_data::Plane(0)), level()._barriers.front());
}

TEST_F(Core_test, a_failed_save_keeps_the_earlier_file)
{
    std::string const file = data.path("mine.data");
    ASSERT_TRUE(core->save_level(file));
    std::string before;
    ASSERT_TRUE(read_file_bytes(file, before));

    level().add_element(new Moving_box_barrier(Eigen::Vector3f(-1, -1, -1), Eigen::Vector3f(1, 1, 1), 1.f, 1.f));
    Capture_stdout out;
    EXPECT_FALSE(core->save_level(file));
    EXPECT_THAT(out.text(), HasSubstr("Core::save_level failed: "));
    std::string after;
    ASSERT_TRUE(read_file_bytes(file, after));
    EXPECT_EQ(before, after);
}

TEST_F(Core_test, starting_a_level_clears_the_run_and_switches_the_simulation_on)
{
    Box_barrier* placed = new Box_barrier(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5), 10000.f, 2.f);
    placed->set_persistent(false);
    Box_barrier* kept = new Box_barrier(Eigen::Vector3f(10, -5, -5), Eigen::Vector3f(20, 5, 5), 10000.f, 2.f);
    kept->set_selected(true);
    level().add_element(placed);
    level().add_element(kept);
    level()._game_field_borders.at(Level_data::Z_min)->set_persistent(false); // borders stay whatever they say
    core->add_molecule(create_molecule("Na", Eigen::Vector3f::Zero()));
    step(5, 1.f / 16.f);
    QSignalSpy states(core.get(), &Core::game_state_changed);
    QSignalSpy changes(core.get(), &Core::level_changed);

    core->start_level();

    EXPECT_EQ(Core::Running, core->get_game_state());
    EXPECT_EQ(1, states.count());
    EXPECT_EQ(1, changes.count());
    EXPECT_EQ(1, changes.front().front().toInt());
    EXPECT_EQ(7u, level()._level_elements.size());
    EXPECT_EQ(6u, level()._game_field_borders.size());
    EXPECT_FALSE(kept->is_selected());
    EXPECT_TRUE(level()._molecules.empty());
    EXPECT_EQ(0, core->get_atom_count());
    EXPECT_EQ(std::vector<int>{500000}, core->get_sensor_data().score);
    EXPECT_FLOAT_EQ(80.f * 40.f, core->get_sensor_data().area);
    EXPECT_FLOAT_EQ(0.f, core->get_current_time());
    EXPECT_TRUE(core->get_simulation_state());
}

TEST_F(Core_test, resetting_while_keeping_the_molecules_renumbers_them)
{
    for (int i = 0; i < 3; ++i) core->add_molecule(create_molecule("Cl", Eigen::Vector3f(i * 5.f, 0, 0)));
    level()._molecules.pop_front();
    level()._molecules.front()._P = Eigen::Vector3f(1, 2, 3);

    core->reset_level(true);

    std::vector<int> ids;
    for (Molecule const& molecule : level()._molecules) ids.push_back(molecule._id);
    EXPECT_EQ((std::vector<int>{0, 1}), ids);
    EXPECT_EQ(Eigen::Vector3f(1, 2, 3), level()._molecules.front()._P);
    EXPECT_FLOAT_EQ(5.f, level()._molecules.front()._x.x());
    EXPECT_EQ(0, level()._molecules.front()._atoms.front()._parent_id);
}

TEST_F(Core_test, every_shipped_level_loads_and_runs_without_losing_a_molecule_to_infinity)
{
    ASSERT_FALSE(core->get_level_names().isEmpty());
    for (QString const& name : core->get_level_names()) data.copy_from_game("levels/" + name + ".data");

    for (int index = 0; index < core->get_level_names().size(); ++index)
    {
        std::string const name = core->get_level_name(index);
        Capture_stdout out;
        core->load_level(index);
        EXPECT_THAT(out.text(), ::testing::Not(HasSubstr("Failed"))) << name;
        core->start_level();
        step(30 * 16, 1.f / 16.f);
        for (Molecule const& molecule : level()._molecules)
        {
            ASSERT_TRUE(molecule._x.allFinite()) << name;
            ASSERT_TRUE(molecule._P.allFinite()) << name;
        }
    }
}

TEST_F(Core_test, placed_elements_give_their_counts_back_on_every_reset_of_the_started_level)
{
    Parameter& shown = level_parameter("Available elements/Tractor_barrier");
    auto const make_available = [&shown](int count) { // as the editor's slider does
        shown.set_value_no_update(count);
        shown._callback();
    };
    make_available(1);
    auto const place_tractor = [this] {
        if (!level().take_available_element("Tractor_barrier")) return false;
        auto* tractor = new Tractor_barrier(Eigen::Vector3f(-10, -20, -10), Eigen::Vector3f(10, 20, 10), 10000.f);
        tractor->set_persistent(false);
        level().add_element(tractor);
        return true;
    };
    auto const available = [this] { return level()._available_elements.at("Tractor_barrier"); };
    core->start_level();

    ASSERT_TRUE(place_tractor());
    EXPECT_EQ(0, available());
    EXPECT_EQ(0, shown.get_value<int>());
    EXPECT_FALSE(place_tractor()) << "nothing left to place";

    core->reset_level(false); // "Restart Level"
    EXPECT_EQ(1, available());
    EXPECT_EQ(1, shown.get_value<int>());
    EXPECT_EQ(6u, level()._level_elements.size()) << "the placed tractor went with the restart";

    ASSERT_TRUE(place_tractor());
    core->set_game_state(Core::Finished);
    core->start_level(); // "Play Again"
    EXPECT_EQ(1, available());

    // Back in the editor the designer's own counts hold for the next test play.
    ASSERT_TRUE(place_tractor());
    core->reset_level(false);
    core->set_game_state(Core::Not_running);
    EXPECT_EQ(1, available());
    make_available(3);
    core->start_level();
    EXPECT_EQ(3, available());

    // A level loaded afresh starts from its own file.
    ASSERT_TRUE(place_tractor());
    std::string const file = data.path("two_tractors.data");
    make_available(2);
    ASSERT_TRUE(core->save_level(file));
    Capture_stdout quiet;
    core->load_level(file);
    core->start_level();
    EXPECT_EQ(2, available());
}

TEST_F(Core_test, a_damaged_defaults_file_leaves_the_values_built_in_code)
{
    // One character of the shipped file changed: this made the game abort at every start.
    std::string defaults;
    ASSERT_TRUE(read_file_bytes(data.path("default_simulation_settings.data"), defaults));
    defaults.replace(defaults.find("<second class_id=\"3\""), 20, "<second class_id=\"4\"");
    std::string error;
    ASSERT_TRUE(write_file_atomically(data.path("default_simulation_settings.data"), defaults, error));
    core.reset();

    Capture_stdout out;
    Core damaged;
    EXPECT_THAT(out.text(), HasSubstr("Couldn't load simulation settings file: default_simulation_settings.data, "
                                      "damaged archive: "));
    EXPECT_TRUE(damaged.get_level_names().isEmpty());
    EXPECT_EQ(0.1f, damaged.get_parameters()["Mass Factor"]->get_value<float>());
}

TEST_F(Core_test, progress_points_at_a_level_of_the_list)
{
    set_levels(*core, "Intro 0,Intro 1,Intro 2");
    ASSERT_TRUE(core->save_simulation_settings());
    std::string const defaults = data.path("default_simulation_settings.data");
    QFile::remove(QString::fromStdString(defaults));
    QFile::rename(QString::fromStdString(data.path("simulation_settings.data")), QString::fromStdString(defaults));
    for (int stored : {-7, 100000})
    {
        core.reset();
        Progress progress;
        progress.last_level = stored;
        ASSERT_TRUE(save_progress_file(progress, data.path("progress.data")));
        Capture_stdout quiet;
        core = std::make_unique<Core>();
        EXPECT_EQ(stored < 0 ? 0 : 3, core->progress.last_level) << stored;
    }
}

TEST_F(Core_test, a_portal_wanting_two_billion_molecules_loads_and_runs)
{
    auto* portal = new Box_portal(Eigen::Vector3f(10, -5, -5), Eigen::Vector3f(20, 5, 5));
    level().add_element(portal);
    std::string const file = data.path("greedy.data");
    ASSERT_TRUE(core->save_level(file));
    std::string text;
    ASSERT_TRUE(read_file_bytes(file, text));
    std::string const wanted = "<_min_captured_molecules>10</_min_captured_molecules>";
    text.replace(text.find(wanted), wanted.size(), "<_min_captured_molecules>2000000000</_min_captured_molecules>");
    std::string error;
    ASSERT_TRUE(write_file_atomically(file, text, error));

    Capture_stdout out;
    core->load_level(file);
    EXPECT_THAT(out.text(), ::testing::Not(HasSubstr("Failed")));
    ASSERT_EQ(1u, level()._portals.size());
    auto const* loaded = static_cast<Box_portal const*>(level()._portals.front());
    EXPECT_EQ(Core::max_live_atoms, loaded->get_end_condition().get_min_captured_molecules());
    EXPECT_LE(loaded->get_particles().size(), swarm_particle_limit);
    core->start_level();
    step(100, 1.f / 64.f);
}

TEST_F(Core_test, a_level_holding_nan_is_refused_and_the_earlier_file_kept)
{
    std::string const file = data.path("mine.data");
    ASSERT_TRUE(core->save_level(file));
    std::string before;
    ASSERT_TRUE(read_file_bytes(file, before));

    auto* box = new Box_barrier(Eigen::Vector3f(-1, -1, -1), Eigen::Vector3f(1, 1, 1), 1.f, 1.f);
    box->set_position(Eigen::Vector3f(std::nanf(""), 0.f, 0.f));
    level().add_element(box);
    Capture_stdout out;
    EXPECT_FALSE(core->save_level(file));
    EXPECT_THAT(out.text(), HasSubstr("Core::save_level failed: the level could not be loaded back: "));
    std::string after;
    ASSERT_TRUE(read_file_bytes(file, after));
    EXPECT_EQ(before, after);
}
