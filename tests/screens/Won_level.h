#ifndef TESTS_SCREENS_WON_LEVEL_H
#define TESTS_SCREENS_WON_LEVEL_H

#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Portal.h"

#include "support/Capture_stdout.h"

#include <vector>

// Wins a made-up level in place of the current one (whose index, and so the
// name a run is saved under, stays): one swallowing portal that asks for a
// molecule per capture time, each molecule dropped into it at its time. The
// run's sensor data stays in the Core; the simulation ends switched off.
inline void win_level(Core& core, std::vector<float> const& capture_times)
{
    Capture_stdout quiet;
    core.reset_level_data();
    auto* portal = new Box_portal(Eigen::Vector3f(-5.f, -5.f, -5.f), Eigen::Vector3f(5.f, 5.f, 5.f));
    portal->get_end_condition().set_min_captured_molecules(int(capture_times.size()));
    portal->set_destroy_on_entering(true);
    core.get_level_data().add_element(portal);
    core.start_level();

    float const step = 1.f / 16.f;
    size_t dropped = 0;
    while (core.get_game_state() != Core::Finished && core.get_current_time() < 120.f)
    {
        if (dropped < capture_times.size() && core.get_current_time() >= capture_times[dropped])
        {
            core.add_molecule(create_molecule("Na", Eigen::Vector3f::Zero()));
            ++dropped;
        }
        core.update(step);
    }
    core.set_simulation_state(false);
}

#endif
