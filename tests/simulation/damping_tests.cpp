#include "Core_fixture.h"

#include "support/Vector_expect.h"

#include <cmath>

namespace
{

struct Settings
{
    float timestep;
    float damping;
    float mass_factor;
    bool midpoint;
};

std::string describe(Settings const& settings)
{
    return "timestep " + std::to_string(settings.timestep) + " s, damping " + std::to_string(settings.damping) +
           ", mass factor " + std::to_string(settings.mass_factor) + (settings.midpoint ? ", midpoint" : ", plain");
}

class Damping_test : public Core_test
{
protected:
    void apply(Settings const& settings)
    {
        set_level_parameter("Damping", settings.damping);
        core_parameter("Mass Factor").set_value_no_update(settings.mass_factor);
        core_parameter("Use midpoint").set_value_no_update(settings.midpoint);
        core->update_parameters();
    }

    // A lone water molecule in the middle of the field, nothing but damping on it.
    Molecule& water(Eigen::Vector3f const& velocity, Eigen::Vector3f const& spin, float mass_factor)
    {
        core->reset_level(false);
        core->add_molecule(create_molecule("H2O", Eigen::Vector3f::Zero()));
        Molecule& molecule = level()._molecules.front();
        molecule._P = molecule._mass * mass_factor * velocity;
        molecule._L = spin;
        molecule.update_derived(mass_factor);
        return molecule;
    }
};

} // namespace

// A step long against the molecule's inertia used to take more than all the
// spin away, then more than twice: with damping 1 and 30 ms steps the spin grew
// 182-fold in 2 s, with 50 ms past the range of a float.
TEST_F(Damping_test, a_spinning_molecule_slows_where_the_damping_used_to_make_it_spin_faster)
{
    for (Settings const settings : {Settings{0.03f, 1.f, 0.1f, true}, Settings{0.05f, 1.f, 0.1f, true},
                                    Settings{0.078f, 0.3f, 0.1f, true}, Settings{0.1f, 0.3f, 0.1f, false}})
    {
        SCOPED_TRACE(describe(settings));
        apply(settings);
        // About the axis of the smallest moment of inertia, the fastest to decay.
        Molecule const& molecule =
            water(Eigen::Vector3f::Zero(), Eigen::Vector3f(0.f, 0.5f, 0.f), settings.mass_factor);
        step(int(2.f / settings.timestep), settings.timestep);
        EXPECT_LT(molecule._L.norm(), 0.5f * 1e-3f);
    }
}

TEST_F(Damping_test, never_reverses_or_amplifies_motion_at_any_allowed_setting)
{
    Eigen::Vector3f const spins[] = {Eigen::Vector3f(0.4f, 0.f, 0.f), Eigen::Vector3f(0.f, 0.4f, 0.f),
                                     Eigen::Vector3f(0.f, 0.f, 0.4f), Eigen::Vector3f(0.3f, -0.2f, 0.25f)};
    for (float timestep : {0.001f, 0.01f, 1.f / 64.f, 0.03f, 0.05f, 0.078f, 0.1f})
        for (float damping : {0.1f, 0.3f, 1.f})
            for (float mass_factor : {0.1f, 0.5f, 1.f})
                for (bool midpoint : {true, false})
                {
                    Settings const settings{timestep, damping, mass_factor, midpoint};
                    SCOPED_TRACE(describe(settings));
                    apply(settings);
                    for (Eigen::Vector3f const& spin : spins)
                    {
                        Molecule const& molecule = water(Eigen::Vector3f(1.f, -0.5f, 0.25f), spin, mass_factor);
                        int const steps = std::min(int(1.f / timestep), 200);
                        for (int i = 0; i < steps; ++i)
                        {
                            Eigen::Vector3f const P = molecule._P, L = molecule._L;
                            core->update(timestep);
                            ASSERT_LE(molecule._P.norm(), P.norm()) << "step " << i;
                            ASSERT_LE(molecule._L.norm(), L.norm() * (1.f + 1e-6f)) << "step " << i;
                            // A step may stop a motion, up to rounding, but never turn it.
                            ASSERT_GE(molecule._P.dot(P), -1e-6f * P.squaredNorm()) << "step " << i;
                            ASSERT_GE(molecule._L.dot(L), -1e-6f * L.squaredNorm()) << "step " << i;
                        }
                    }
                }
}

TEST_F(Damping_test, at_the_default_settings_damping_is_the_force_it_always_was)
{
    Settings const defaults{0.01f, 0.3f, 0.1f, false};
    apply(defaults);
    Molecule const& molecule = water(Eigen::Vector3f(2.f, 0.f, 0.f), Eigen::Vector3f(0.f, 0.f, 0.4f), 0.1f);
    Eigen::Vector3f const P = molecule._P, v = molecule._v, L = molecule._L, omega = molecule._omega;
    core->update(defaults.timestep);
    expect_near(P - defaults.timestep * 0.3f * v, molecule._P, 1e-6f);
    expect_near(L - defaults.timestep * 0.3f * omega, molecule._L, 1e-6f);
}
