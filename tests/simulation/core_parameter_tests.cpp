#include "Core_fixture.h"

#include "foundation/Main_options_window.h"

#include <QFrame>
#include <QGroupBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>

#include <gmock/gmock.h>

TEST_F(Core_test, publishes_its_settings_in_order_with_their_ranges)
{
    std::vector<std::string> names;
    for (Parameter const* parameter : core->get_parameters().get_sorted_parameters()) names.push_back(parameter->_name);
    EXPECT_EQ(
        (std::vector<std::string>{"levels", "Toggle simulation", "Mass Factor", "do_constrain_forces", "max_force",
                                  "max_force_distance", "physics_timestep_ms", "physics_speed", "Use midpoint"}),
        names);

    EXPECT_FALSE(core_parameter("Toggle simulation").get_value<bool>());
    EXPECT_FLOAT_EQ(0.1f, core_parameter("Mass Factor").get_min<float>());
    EXPECT_FLOAT_EQ(500.f, core_parameter("max_force").get_max<float>());
    EXPECT_EQ(100, core_parameter("physics_timestep_ms").get_max<int>());
    EXPECT_FALSE(core_parameter("physics_timestep_ms")._hidden);
    EXPECT_TRUE(core_parameter("physics_speed")._hidden);
    EXPECT_FLOAT_EQ(1.4f, core_parameter("Atomic Force Type/Van der Waals Force/Radius Factor").get_value<float>());
    EXPECT_EQ(Parameter_list::Multi_select,
              core->get_parameters().get_child_helper("Atomic Force Type")->_children_type);
}

TEST_F(Core_test, builds_a_force_plug_in_for_each_enabled_force_type)
{
    EXPECT_TRUE(core->get_forces().empty());

    Parameter& enable = core_parameter("Atomic Force Type/Coulomb Force/multi_enable");
    enable.set_value_no_update(true);
    enable._callback();

    ASSERT_EQ(1u, core->get_forces().size());
    EXPECT_EQ("Coulomb Force", core->get_forces().front()->get_name());
}

TEST_F(Core_test, the_timer_runs_only_while_the_simulation_is_switched_on)
{
    EXPECT_FALSE(core->get_physics_timer().isActive());
    core->set_simulation_state(true);
    EXPECT_TRUE(core->get_physics_timer().isActive());
    EXPECT_EQ(Qt::PreciseTimer, core->get_physics_timer().timerType());
    EXPECT_EQ(10, core->get_physics_timer().interval());
    core->set_simulation_state(false);
    EXPECT_FALSE(core->get_physics_timer().isActive());

    core_parameter("physics_speed").set_value_no_update(2.f);
    core->update_physics();
    EXPECT_FLOAT_EQ(0.02f, core->get_current_time());
}

TEST_F(Core_test, values_out_of_range_from_a_file_are_not_used_as_they_are)
{
    Parameter& mass_factor = core_parameter("Mass Factor");
    mass_factor._value = 0.f; // as a merged file may leave it
    mass_factor._callback();
    Parameter& timestep = core_parameter("physics_timestep_ms");
    timestep._value = 0;
    timestep._callback();

    EXPECT_EQ(1, core->get_physics_timer().interval());
    ASSERT_TRUE(core->add_molecule(create_molecule("Na", Eigen::Vector3f::Zero())));
    step(3, 1.f / 32.f);
    for (Molecule const& molecule : level()._molecules) EXPECT_TRUE(molecule._x.allFinite());
}

TEST_F(Core_test, settings_fall_back_to_the_defaults_and_save_into_the_first_data_directory)
{
    core_parameter("max_force").set_value_no_update(42.f);
    {
        Capture_stdout out;
        core->load_simulation_settings();
        EXPECT_THAT(out.text(), ::testing::HasSubstr("Couldn't load simulation settings file: "
                                                     "simulation_settings.data, No such file.\n"));
    }
    EXPECT_FLOAT_EQ(10.f, core_parameter("max_force").get_value<float>());

    core_parameter("max_force").set_value_no_update(42.f);
    ASSERT_TRUE(core->save_simulation_settings());
    core_parameter("max_force").set_value_no_update(3.f);
    {
        Capture_stdout quiet;
        core->load_simulation_settings();
    }
    EXPECT_FLOAT_EQ(42.f, core_parameter("max_force").get_value<float>());

    std::string text;
    ASSERT_TRUE(read_file_bytes(data.path("simulation_settings.data"), text));
    EXPECT_THAT(text, ::testing::HasSubstr("<simulation_settings.data class_id="));
}

TEST_F(Core_test, a_broken_settings_file_falls_back_to_the_defaults)
{
    std::string error;
    ASSERT_TRUE(write_file_atomically(data.path("simulation_settings.data"), "<broken", error));
    core_parameter("max_force").set_value_no_update(42.f);
    Capture_stdout out;
    core->load_simulation_settings();
    EXPECT_THAT(out.text(), ::testing::HasSubstr("Couldn't load simulation settings file: simulation_settings.data, "));
    EXPECT_FLOAT_EQ(10.f, core_parameter("max_force").get_value<float>());
}

TEST_F(Core_test, progress_lives_in_the_first_data_directory)
{
    core->progress.last_level = 2;
    ASSERT_TRUE(core->save_progress());

    Capture_stdout quiet;
    Core second;
    EXPECT_EQ(2, second.progress.last_level);
}

TEST(Core_start_up, without_a_progress_file_says_so_and_starts_empty)
{
    Scratch_data_tree data;
    data.copy_from_game("default_simulation_settings.data");
    Capture_stdout out;
    Core core;
    EXPECT_THAT(out.text(), ::testing::HasSubstr("No progress file found\n"));
    EXPECT_EQ(0, core.progress.last_level);
    EXPECT_FALSE(core.get_level_names().isEmpty());
}

TEST(Core_start_up, shows_its_settings_in_the_options_window_while_it_lives)
{
    Scratch_data_tree data;
    data.copy_from_game("default_simulation_settings.data");
    auto const titles = [] {
        QStringList names;
        for (QGroupBox* box : Main_options_window::instance()->get_options_frame()->findChildren<QGroupBox*>(
                 QString(), Qt::FindDirectChildrenOnly))
            names << box->title();
        return names;
    };
    {
        Capture_stdout quiet;
        Core core;
        core.reset_level_data();
        EXPECT_TRUE(titles().contains("Core"));
        EXPECT_TRUE(titles().contains("Level Data"));
    }
    EXPECT_FALSE(titles().contains("Core"));
    EXPECT_FALSE(titles().contains("Level Data"));
}

TEST_F(Core_test, the_physics_keeps_pace_with_the_wall_clock_when_frames_hold_the_timer_up)
{
    // Paints of 60 ms, as a software rasteriser takes them, between the timer's events.
    QTimer slow_frames;
    QObject::connect(&slow_frames, &QTimer::timeout, [] { QThread::msleep(60); });
    slow_frames.start(0);
    QElapsedTimer wall;
    wall.start();
    core->set_simulation_state(true);
    QEventLoop loop;
    QTimer::singleShot(600, &loop, &QEventLoop::quit);
    loop.exec();
    core->set_simulation_state(false);
    slow_frames.stop();

    double const seconds = double(wall.elapsed()) / 1000.0;
    EXPECT_GT(core->get_current_time(), 0.85 * seconds);
    EXPECT_LT(core->get_current_time(), 1.05 * seconds + 0.011);

    // A stall of a second is not made up beyond a quarter of it.
    float const before = core->get_current_time();
    core->set_simulation_state(true);
    QThread::msleep(1000);
    core->update_physics();
    EXPECT_LE(core->get_current_time() - before, 0.25f + 1e-4f);
    EXPECT_GT(core->get_current_time() - before, 0.1f);
}
