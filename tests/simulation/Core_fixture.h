#ifndef TESTS_SIMULATION_CORE_FIXTURE_H
#define TESTS_SIMULATION_CORE_FIXTURE_H

#include "foundation/Xml_archive_file.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Portal.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"

#include <gtest/gtest.h>

#include <memory>

// A Core over a scratch data tree holding the game's default settings, with the
// default level loaded and the simulation off. Time is driven by hand.
class Core_test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.copy_from_game("default_simulation_settings.data");
        Capture_stdout quiet;
        core = std::make_unique<Core>(unstable_options());
        core->reset_level_data();
    }

    virtual bool unstable_options() const { return false; }

    Level_data& level() { return core->get_level_data(); }
    Parameter& core_parameter(std::string const& path) { return *core->get_parameters()[path]; }
    Parameter& level_parameter(std::string const& path) { return *level().get_parameters()[path]; }

    // Sets a level parameter as the options window would: value, then callback.
    void set_level_parameter(std::string const& name, float value)
    {
        Parameter& parameter = level_parameter(name);
        parameter.set_value_no_update(value);
        if (parameter._callback) parameter._callback();
    }

    void step(int count, float dt)
    {
        for (int i = 0; i < count; ++i) core->update(dt);
    }

    Scratch_data_tree data;
    std::unique_ptr<Core> core;
};

#endif
