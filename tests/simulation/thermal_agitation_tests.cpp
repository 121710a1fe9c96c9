#include "simulation/Cpu_force.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Thermal_agitation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{

Frame_buffer<float> uniform_grid(float temperature)
{
    Frame_buffer<float> grid(4, 4);
    for (int i = 0; i < grid.get_count(); ++i) grid.set_pixel(i, temperature);
    return grid;
}

// The default physics of a level: Mass Factor 0.1, forces capped at 10 (torques at
// 1), damping 0.3 of the velocities, plain Euler steps.
struct Rigid_step
{
    float mass_factor = 0.1f;
    float max_force = 10.f;
    float damping = 0.3f;

    void operator()(std::vector<Molecule>& molecules, Eigen::Vector3f const* atom_forces, float dt) const
    {
        int atom = 0;
        for (Molecule& molecule : molecules)
        {
            Eigen::Vector3f force = Eigen::Vector3f::Zero();
            Eigen::Vector3f torque = Eigen::Vector3f::Zero();
            for (Atom const& a : molecule._atoms)
            {
                Eigen::Vector3f const f = atom_forces[atom++];
                force += f;
                torque += 0.1f * (a.get_position() - molecule._x).cross(f);
            }
            if (torque.norm() > 0.1f * max_force) torque = torque.normalized() * 0.1f * max_force;
            if (force.norm() > max_force) force = force.normalized() * max_force;
            force -= damping * molecule._v;
            torque -= damping * molecule._omega;

            molecule._x += dt * molecule._v;
            Eigen::Quaternionf const spin(0.f, molecule._omega.x(), molecule._omega.y(), molecule._omega.z());
            molecule._q.coeffs() += dt * 0.5f * (spin * molecule._q).coeffs();
            molecule._P += dt * force;
            molecule._L += dt * torque;
            molecule.update_derived(mass_factor);
        }
    }
};

// Mean speed of free water molecules shaken by a uniform temperature.
float mean_water_speed(float temperature)
{
    std::vector<Molecule> molecules;
    for (int i = 0; i < 40; ++i)
    {
        molecules.push_back(create_h2o_molecule(Eigen::Vector3f(float(i) * 20.f, 0.f, 0.f)));
        molecules.back().set_id(i);
    }
    Cpu_force force(1);
    force.set_temperature(uniform_grid(temperature));
    Rigid_step const step;

    float const dt = 0.01f;
    double speed_sum = 0.0;
    int samples = 0;
    for (int n = 0; n < 3000; ++n)
    {
        float const time = float(n) * dt;
        step(molecules, force.calc_forces(molecules, 0.f, 0.f, 1.4f, time, Eigen::Vector2f(80.f, 40.f)), dt);
        if (time < 3.f) continue; // let the speeds settle
        for (Molecule const& molecule : molecules) speed_sum += molecule._v.norm();
        samples += int(molecules.size());
    }
    return float(speed_sum / samples);
}

} // namespace

TEST(Thermal_agitation, water_drifts_when_warm_and_moves_briskly_when_hot)
{
    float const warm = mean_water_speed(10.f);
    float const hot = mean_water_speed(50.f);
    EXPECT_GT(warm, 1.f);
    EXPECT_LT(warm, 3.f) << "mean speed at temperature 10";
    EXPECT_GT(hot, 8.f);
    EXPECT_LT(hot, 15.f) << "mean speed at temperature 50";
    EXPECT_EQ(0.f, mean_water_speed(0.f));
}

TEST(Thermal_agitation, temperature_grid_is_read_bilinearly_and_clamped_to_its_edges)
{
    // 3 x 2 cells over an 80 x 40 field: columns at x = -40, 0, 40, rows at z = -20, 20.
    Frame_buffer<float> grid(3, 2);
    float const cells[] = {0.f, 10.f, 20.f, 30.f, 40.f, 50.f};
    for (int i = 0; i < 6; ++i) grid.set_pixel(i, cells[i]);
    Eigen::Vector2f const field(80.f, 40.f);

    EXPECT_FLOAT_EQ(0.f, sample_temperature(grid, field, -40.f, -20.f));
    EXPECT_FLOAT_EQ(50.f, sample_temperature(grid, field, 40.f, 20.f));
    EXPECT_FLOAT_EQ(25.f, sample_temperature(grid, field, 0.f, 0.f));
    EXPECT_FLOAT_EQ(5.f + 15.f, sample_temperature(grid, field, -20.f, 0.f));
    // Outside the field: the nearest edge cell.
    EXPECT_FLOAT_EQ(20.f, sample_temperature(grid, field, 500.f, -300.f));
    EXPECT_FLOAT_EQ(30.f, sample_temperature(grid, field, -500.f, 300.f));

    float const nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FLOAT_EQ(0.f, sample_temperature(grid, field, nan, nan));
    EXPECT_FLOAT_EQ(0.f, sample_temperature(Frame_buffer<float>(), field, 0.f, 0.f));
}

TEST(Thermal_agitation, is_zero_without_heat_and_a_smooth_repeatable_function_of_atom_and_time)
{
    for (float cold : {0.f, -0.f, -30.f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(Eigen::Vector3f::Zero(), thermal_agitation(7, cold, 12.3f));

    Eigen::Vector3f const force = thermal_agitation(7, 20.f, 12.3f);
    EXPECT_GT(force.norm(), 0.f);
    EXPECT_EQ(force, thermal_agitation(7, 20.f, 12.3f));
    EXPECT_EQ(2.f * force, thermal_agitation(7, 40.f, 12.3f));
    EXPECT_NE(force, thermal_agitation(8, 20.f, 12.3f));
    EXPECT_NE(force, thermal_agitation(7, 20.f, 13.1f));
    EXPECT_LE(force.cwiseAbs().maxCoeff(), thermal_agitation_scale * 20.f);

    // No jumps from one step to the next, across a change of random set included.
    float const period = 1.f / thermal_agitation_rate;
    for (float time : {0.f, period, 5.f * period, -3.f * period})
    {
        Eigen::Vector3f const before = thermal_agitation(3, 50.f, time - 0.001f);
        Eigen::Vector3f const after = thermal_agitation(3, 50.f, time + 0.001f);
        EXPECT_LT((after - before).norm(), 0.01f) << "at time " << time;
    }

    // Different atoms are shaken independently: no shared direction on average.
    Eigen::Vector3f sum = Eigen::Vector3f::Zero();
    for (std::uint32_t atom = 0; atom < 3000; ++atom) sum += thermal_agitation(atom, 1.f, 4.2f);
    EXPECT_LT(sum.norm() / 3000.f, 0.05f * thermal_agitation_scale);
}

TEST(Thermal_agitation, shakes_the_atoms_computed_on_the_cpu)
{
    std::vector<Molecule> molecules{create_na_molecule(Eigen::Vector3f(-30.f, 0.f, 15.f)),
                                    create_cl_molecule(Eigen::Vector3f(30.f, 0.f, -15.f))};
    molecules[1].set_id(1);
    Eigen::Vector2f const field(80.f, 40.f);
    Cpu_force force(1);
    Eigen::Vector3f const* cold = force.calc_forces(molecules, 1.f, 0.1f, 1.4f, 2.f, field);
    Eigen::Vector3f const pair = cold[0];

    // Warm only at the sodium's end of the field.
    Frame_buffer<float> grid(3, 3);
    grid.set_pixel(0, 2, 30.f);
    force.set_temperature(grid);
    Eigen::Vector3f const* warm = force.calc_forces(molecules, 1.f, 0.1f, 1.4f, 2.f, field);
    float const sodium_temperature = sample_temperature(grid, field, -30.f, 15.f);
    EXPECT_GT(sodium_temperature, 0.f);
    EXPECT_LT((warm[0] - pair - thermal_agitation(0, sodium_temperature, 2.f)).norm(), 1e-6f);
    EXPECT_LT((warm[1] + pair).norm(), 1e-6f) << "the chloride sits where the grid is 0";
}
