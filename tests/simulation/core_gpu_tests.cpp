#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"
#include "support/Gl_test.h"
#include "support/Scratch_data_tree.h"

#include <QGLWidget>
#include <QOpenGLContext>

#include <memory>

// Two cores on the same scene, one with the GPU pass and one on the CPU, must
// move their molecules alike.
class Core_with_gpu : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        data = std::make_unique<Scratch_data_tree>();
        data->copy_from_game("default_simulation_settings.data");
        data->copy_from_game("shaders/force_calc.vert");
        data->copy_from_game("shaders/force_calc.frag");
    }

    std::unique_ptr<Core> make_core()
    {
        Capture_stdout quiet;
        auto core = std::make_unique<Core>();
        core->reset_level_data();
        core->add_molecule(create_molecule("Na", Eigen::Vector3f(-3, 0, 0)));
        core->add_molecule(create_molecule("Cl", Eigen::Vector3f(3, 1, 0)));
        core->add_molecule(create_molecule("H2O", Eigen::Vector3f(0, 4, 2)));
        return core;
    }

    std::unique_ptr<Scratch_data_tree> data;
};

TEST_F(Core_with_gpu, the_gpu_pass_moves_molecules_as_the_cpu_does)
{
    auto on_gpu = make_core();
    {
        Capture_stdout out;
        on_gpu->gl_init(QOpenGLContext::currentContext());
    }
    on_gpu->set_gpu_forces_enabled(true);
    ASSERT_TRUE(on_gpu->uses_gpu_forces());
    auto on_cpu = make_core();
    EXPECT_FALSE(on_cpu->uses_gpu_forces());

    for (int i = 0; i < 20; ++i)
    {
        on_gpu->update(1.f / 32.f);
        on_cpu->update(1.f / 32.f);
    }

    auto gpu = on_gpu->get_level_data()._molecules.begin();
    for (Molecule const& cpu : on_cpu->get_level_data()._molecules)
    {
        EXPECT_LT((gpu->_x - cpu._x).norm(), 1e-4f);
        EXPECT_LT((gpu->_P - cpu._P).norm(), 1e-4f);
        EXPECT_GT(cpu._P.norm(), 0.f);
        ++gpu;
    }

    // A second initialisation replaces the pass.
    Capture_stdout quiet;
    on_gpu->gl_init(QOpenGLContext::currentContext());
    on_gpu->set_gpu_forces_enabled(true);
    on_gpu->update(1.f / 32.f);
    EXPECT_TRUE(on_gpu->get_level_data()._molecules.front()._x.allFinite());
}

// The pass gets the temperature grid only while it is in use: switched on after
// the grid was rebuilt, it must be handed the grid, or it agitates by the old one.
TEST_F(Core_with_gpu, thermal_agitation_matches_after_switching_to_the_gpu_pass)
{
    auto switched = make_core();
    {
        Capture_stdout out;
        switched->gl_init(QOpenGLContext::currentContext());
    }
    switched->set_gpu_forces_enabled(false);
    auto on_cpu = make_core();
    for (Core* core : {switched.get(), on_cpu.get()})
    {
        Parameter& temperature = *core->get_level_data().get_parameters()["Temperature"];
        temperature.set_value_no_update(50.f);
        temperature._callback();
        core->set_simulation_state(true);
        // The second step rebuilds the grid.
        core->update(1.f / 32.f);
        core->update(1.f / 32.f);
    }

    switched->set_gpu_forces_enabled(true);
    ASSERT_TRUE(switched->uses_gpu_forces());
    // Short of the next element update, which would upload the grid anyway.
    switched->update(1.f / 64.f);
    on_cpu->update(1.f / 64.f);

    auto gpu = switched->get_level_data()._molecules.begin();
    for (Molecule const& cpu : on_cpu->get_level_data()._molecules)
    {
        EXPECT_LT((gpu->_P - cpu._P).norm(), 1e-4f);
        ++gpu;
    }
}
