#include "Core_fixture.h"

#include "simulation/Barrier.h"
#include "simulation/Molecule_factory.h"

#include "support/Vector_expect.h"

#include <QSignalSpy>

#include <gmock/gmock.h>

#include <cmath>

namespace
{

float const sixteenth = 1.f / 16.f;

// A barrier that only records when it is animated.
class Counting_barrier : public Barrier
{
public:
    void accept(Level_element_visitor&) override {}
    void animate(float dt) override { steps.push_back(dt); }
    Eigen::AlignedBox3f get_bounding_box() const override { return Eigen::AlignedBox3f(); }
    std::vector<float> steps;
};

Box_portal* portal_around(Eigen::Vector3f const& centre, float half_size, int needed, int type = 0)
{
    Box_portal* portal =
        new Box_portal(centre - Eigen::Vector3f::Constant(half_size), centre + Eigen::Vector3f::Constant(half_size));
    portal->get_end_condition().set_min_captured_molecules(needed);
    portal->get_end_condition().set_type(type);
    return portal;
}

} // namespace

TEST_F(Core_test, elements_update_every_call_and_portals_count_every_fifth_of_a_second)
{
    Counting_barrier* counter = new Counting_barrier;
    level().add_element(counter);
    core->start_level();

    std::vector<size_t> samples;
    for (int call = 1; call <= 12; ++call)
    {
        core->update(sixteenth);
        samples.push_back(core->get_sensor_data()._data[Sensor_data::Collected_molecules].size());
    }

    EXPECT_EQ(12u, counter->steps.size());
    EXPECT_FLOAT_EQ(sixteenth, counter->steps.front());
    EXPECT_EQ((std::vector<size_t>{0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3}), samples);
    EXPECT_EQ((std::vector<int>{500000, 500000, 500000, 500000}), core->get_sensor_data().score);
}

TEST_F(Core_test, with_the_simulation_off_only_the_molecules_move)
{
    Counting_barrier* counter = new Counting_barrier;
    level().add_element(counter);
    Molecule_releaser* releaser =
        new Molecule_releaser(Eigen::Vector3f(-2, -2, -2), Eigen::Vector3f(2, 2, 2), 0.f, 0.1f);
    releaser->set_molecule_type("Na");
    level().add_element(releaser);
    level().add_element(portal_around(Eigen::Vector3f(10, 0, 0), 5.f, 0));

    core->start_level();
    Molecule na = create_molecule("Na", Eigen::Vector3f(-20, 0, 0));
    na._P = Eigen::Vector3f(1, 0, 0);
    core->add_molecule(na);
    core->set_simulation_state(false);
    step(16, sixteenth);

    EXPECT_TRUE(counter->steps.empty());
    EXPECT_EQ(0, releaser->get_num_released_molecules());
    EXPECT_TRUE(core->get_sensor_data()._data[Sensor_data::Collected_molecules].empty());
    EXPECT_EQ(Core::Running, core->get_game_state()); // a met portal, but no end test
    EXPECT_GT(level()._molecules.front()._x.x(), -20.f);
}

TEST_F(Core_test, a_swallowing_portal_takes_the_molecule_and_leaves_a_short_burst)
{
    Box_portal* swallower = portal_around(Eigen::Vector3f::Zero(), 3.f, 5);
    swallower->set_destroy_on_entering(true);
    Box_portal* behind = portal_around(Eigen::Vector3f::Zero(), 4.f, 5);
    Box_portal* overlapping_a = portal_around(Eigen::Vector3f(20, 0, 0), 3.f, 5);
    Box_portal* overlapping_b = portal_around(Eigen::Vector3f(21, 0, 0), 3.f, 5);
    for (Box_portal* portal : {swallower, behind, overlapping_a, overlapping_b}) level().add_element(portal);

    core->start_level();
    core->add_molecule(create_molecule("Na", Eigen::Vector3f::Zero()));
    core->add_molecule(create_molecule("Cl", Eigen::Vector3f(20.5f, 0, 0)));
    step(4, sixteenth);

    ASSERT_EQ(1u, level()._molecules.size());
    EXPECT_EQ(1, level()._molecules.front()._id);
    EXPECT_EQ(1, swallower->get_end_condition().get_num_captured_molecules());
    EXPECT_EQ(0, behind->get_end_condition().get_num_captured_molecules());
    EXPECT_EQ(1, overlapping_a->get_end_condition().get_num_captured_molecules());
    EXPECT_EQ(1, overlapping_b->get_end_condition().get_num_captured_molecules());
    ASSERT_EQ(1u, level()._temporary_elements.size());
    EXPECT_EQ(100u, level()._temporary_elements.front()->get_particles().size());

    step(18, sixteenth); // past the burst's second of life
    EXPECT_TRUE(level()._temporary_elements.empty());
    EXPECT_EQ(1, swallower->get_end_condition().get_num_captured_molecules());
}

struct End_case
{
    char const* name;
    std::vector<std::pair<int, bool>> portals; // (type, met)
    bool finishes;
};

TEST_F(Core_test, the_end_test_follows_the_portals_conditions_in_order)
{
    std::vector<End_case> const cases{
        {"no portals", {}, false},
        {"unmet and, met or", {{0, false}, {1, true}}, false},
        {"met or, unmet and", {{1, true}, {0, false}}, true},
        {"every and met", {{0, true}, {0, true}}, true},
        {"only an unmet or", {{1, false}}, false},
    };

    for (End_case const& end_case : cases)
    {
        {
            Capture_stdout quiet;
            core->reset_level_data();
        }
        float x = -30.f;
        for (auto const& portal : end_case.portals)
        {
            level().add_element(portal_around(Eigen::Vector3f(x, 0, 0), 2.f, portal.second ? 0 : 5, portal.first));
            x += 10.f;
        }
        core->start_level();
        QSignalSpy changes(core.get(), &Core::game_state_changed);
        step(8, sixteenth);

        EXPECT_EQ(end_case.finishes ? Core::Finished : Core::Running, core->get_game_state()) << end_case.name;
        EXPECT_EQ(end_case.finishes ? 1 : 0, changes.count()) << end_case.name;
        EXPECT_TRUE(core->get_physics_timer().isActive()) << end_case.name;
    }
}

class Falling_sodium : public Core_test
{
protected:
    void SetUp() override
    {
        Core_test::SetUp();
        set_level_parameter("Game Field Height", 200.f);
        set_level_parameter("gravity", 9.81f);
        core->add_molecule(create_molecule("Na", Eigen::Vector3f(0, 0, 60)));
    }

    Molecule const& sodium() { return level()._molecules.front(); }

    // The step taken by hand in double precision: the pull of gravity, limited,
    // less 0.3 of the velocity.
    struct Reference
    {
        double mass = 0.1 * 3.8189368;
        double pull;
        double z = 60.0, p = 0.0;
        double force(double momentum) const { return pull - 0.3 * momentum / mass; }
        void plain(double dt)
        {
            double const f = force(p);
            z += dt * p / mass;
            p += dt * f;
        }
        void midpoint(double dt)
        {
            double const p_half = p + dt / 2 * force(p);
            z += dt * p_half / mass;
            p += dt * force(p_half);
        }
    };
};

TEST_F(Falling_sodium, feels_its_weight_limited_and_damped)
{
    core_parameter("Use midpoint").set_value_no_update(false);
    core->update(1.f / 32.f);
    expect_near(Eigen::Vector3f(0, 0, -3.7463770f), sodium()._force, 1e-5f);

    core_parameter("max_force").set_value_no_update(1.f);
    core_parameter("max_force")._callback();
    Eigen::Vector3f const v = sodium()._v;
    core->update(1.f / 32.f);
    expect_near(Eigen::Vector3f(0, 0, -1) - 0.3f * v, sodium()._force, 1e-6f);
}

TEST_F(Falling_sodium, plain_and_midpoint_steps_follow_the_hand_made_recurrence)
{
    for (bool midpoint : {false, true})
    {
        core->reset_level(false);
        core->add_molecule(create_molecule("Na", Eigen::Vector3f(0, 0, 60)));
        core_parameter("Use midpoint").set_value_no_update(midpoint);

        Reference reference;
        reference.pull = -0.1 * 3.8189368 * 9.81;
        for (int i = 0; i < 100; ++i)
        {
            core->update(1.f / 32.f);
            midpoint ? reference.midpoint(1.0 / 32) : reference.plain(1.0 / 32);
        }
        EXPECT_NEAR(reference.z, sodium()._x.z(), 1e-5 * std::abs(reference.z)) << midpoint;
        EXPECT_NEAR(reference.p, sodium()._P.z(), 1e-5 * std::abs(reference.p)) << midpoint;
        EXPECT_FLOAT_EQ(0.f, sodium()._x.x());
    }
}

TEST_F(Falling_sodium, stops_accelerating_at_its_terminal_speed)
{
    float const terminal = 0.1f * 3.8189368f * 9.81f / 0.3f;
    EXPECT_NEAR(12.4879f, terminal, 1e-4f);

    level()._molecules.front()._P = Eigen::Vector3f(0, 0, -terminal * 0.1f * 3.8189368f);
    level()._molecules.front().update_derived(0.1f);
    step(10, 1.f / 32.f);
    EXPECT_NEAR(-terminal, sodium()._v.z(), 1e-3f);
    EXPECT_NEAR(0.f, sodium()._force.norm(), 1e-4f);
}

class Free_rotation : public Core_test
{
protected:
    bool unstable_options() const override { return true; }
};

TEST_F(Free_rotation, keeps_the_rotation_proper_and_the_angular_momentum)
{
    set_level_parameter("Damping", 0.f);
    ASSERT_FLOAT_EQ(0.f, level()._rotation_damping);

    Molecule water = create_molecule("H2O", Eigen::Vector3f::Zero());
    water._L = Eigen::Vector3f(0.3f, -0.5f, 1.f);
    water.update_derived(0.1f);
    core->add_molecule(water);
    float const momentum = water._L.norm();

    step(200, 1.f / 32.f);

    Molecule const& spun = level()._molecules.front();
    EXPECT_NEAR(1.f, spun._q.norm(), 1e-5f);
    EXPECT_TRUE((spun._R * spun._R.transpose()).isIdentity(1e-4f));
    EXPECT_NEAR(1.f, spun._R.determinant(), 1e-4f);
    EXPECT_NEAR(momentum, spun._L.norm(), 1e-5f);
    EXPECT_FALSE(spun._q.isApprox(water._q, 1e-3f)); // it did turn
}

TEST_F(Core_test, releases_stop_at_the_atom_limit_but_prepared_molecules_still_leave)
{
    Molecule_releaser* late = new Molecule_releaser(Eigen::Vector3f(-30, -5, -5), Eigen::Vector3f(-20, 5, 5), 1.f, 1.f);
    late->set_molecule_type("Na");
    Molecule_releaser* early = new Molecule_releaser(Eigen::Vector3f(20, -5, -5), Eigen::Vector3f(30, 5, 5), 0.f, 0.5f);
    early->set_molecule_type("Na");
    level().add_element(late);
    level().add_element(early);
    core->start_level();
    core->update(sixteenth); // the early releaser prepares its molecule

    for (int i = 0; i < 1355; ++i)
    {
        Eigen::Vector3f const place(-36.f + (i % 37) * 2.f, -15.f + (i / 37 % 10) * 3.f, -15.f + i / 370 * 8.f);
        core->add_molecule(create_molecule("H2O", place));
    }
    core->add_molecule(create_molecule("Na", Eigen::Vector3f(0, 0, 18)));
    ASSERT_EQ(4066, core->get_atom_count());

    Capture_stdout out;
    step(31, sixteenth);

    EXPECT_THAT(out.text(), ::testing::HasSubstr("Core::update_level_elements Reached max number of atoms\n"));
    EXPECT_EQ(1, early->get_num_released_molecules());
    EXPECT_EQ(0, late->get_num_released_molecules());
    EXPECT_EQ(4067, core->get_atom_count());
}

TEST_F(Core_test, refuses_molecules_beyond_what_the_force_pass_holds)
{
    for (int i = 0; i < 4096; ++i) ASSERT_TRUE(core->add_molecule(create_molecule("Na", Eigen::Vector3f::Zero())));
    Capture_stdout out;
    EXPECT_FALSE(core->add_molecule(create_molecule("Na", Eigen::Vector3f::Zero())));
    EXPECT_EQ("Core::add_molecule Reached max number of atoms\n", out.text());
    EXPECT_EQ(4096u, level()._molecules.size());
}
