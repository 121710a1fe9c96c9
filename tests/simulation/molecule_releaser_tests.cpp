#include "simulation/Atom_cannon.h"
#include "simulation/Molecule_releaser.h"

#include "support/Capture_stdout.h"
#include "support/Property_list.h"
#include "support/Vector_expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{

float const step = 1.f / 16.f;

Molecule_releaser water_releaser()
{
    Molecule_releaser releaser(Eigen::Vector3f(-10.f, -5.f, -10.f), Eigen::Vector3f(10.f, 15.f, 10.f), 1.f, 1.f);
    releaser.set_molecule_type("H2O");
    return releaser;
}

struct Release_log
{
    std::vector<float> preparations;
    std::vector<float> releases;
    std::vector<Molecule> molecules;
};

// Polls the releaser as the game does, every 1/16 s, until `end`.
Release_log run(Molecule_releaser& releaser, float end, float start = step)
{
    Release_log result;
    for (float t = start; t <= end; t += step)
    {
        int const queued = releaser.get_queued_atom_count();
        bool const due = releaser.check_release(t, true);
        if (releaser.get_queued_atom_count() > queued) result.preparations.push_back(t);
        if (!due) continue;
        result.releases.push_back(t);
        result.molecules.push_back(releaser.make_molecule(t));
    }
    return result;
}

// Stands for a releaser read from a level: its molecule prepared, its queue gone.
class Loaded_releaser : public Molecule_releaser
{
public:
    Loaded_releaser() : Molecule_releaser(Eigen::Vector3f::Zero(), Eigen::Vector3f::Ones(), 1.f, 1.f) {}
    void restore_prepared(Molecule const& molecule)
    {
        _next_molecule = molecule;
        _next_molecule_prepared = true;
    }
};

} // namespace

TEST(Molecule_releaser, prepares_half_a_second_ahead_and_releases_every_interval)
{
    Molecule_releaser releaser = water_releaser();
    Release_log const result = run(releaser, 3.5f);
    EXPECT_EQ((std::vector<float>{1.5625f, 2.625f}), result.preparations);
    EXPECT_EQ((std::vector<float>{2.0625f, 3.125f}), result.releases);
    EXPECT_EQ(2, releaser.get_num_released_molecules());
    EXPECT_EQ(0, releaser.get_queued_atom_count());
}

TEST(Molecule_releaser, molecule_leaves_through_the_plus_x_face_along_the_releaser_x_axis)
{
    std::srand(17);
    Molecule_releaser releaser = water_releaser();
    Eigen::Matrix4f turn = Eigen::Matrix4f::Identity();
    turn.topLeftCorner<3, 3>() = Eigen::AngleAxisf(float(M_PI) / 2.f, Eigen::Vector3f::UnitZ()).toRotationMatrix();
    releaser.set_transform(turn);

    for (int i = 0; i < 20; ++i)
    {
        Release_log const result = run(releaser, 2.1f);
        ASSERT_EQ(1u, result.molecules.size());
        Molecule const& molecule = result.molecules.front();
        Eigen::Vector3f const local = releaser.to_local(molecule._x);
        EXPECT_FLOAT_EQ(10.f, local.x());
        EXPECT_LE(std::abs(local.y()), 8.f);
        EXPECT_LE(std::abs(local.z()), 8.f);
        EXPECT_GE(molecule._P.norm(), 4.f);
        EXPECT_LE(molecule._P.norm(), 8.f);
        expect_near(Eigen::Vector3f::UnitY(), molecule._P.normalized(), 1e-5f);
        for (Atom const& atom : molecule._atoms) expect_near(molecule._x + atom._r_0, atom.get_position(), 1e-5f);

        // The particles of that preparation fly to the atoms' surfaces.
        ASSERT_EQ(1u, releaser.get_particle_groups().size());
        Targeted_particle_system const& group = releaser.get_particle_groups().front();
        EXPECT_EQ(0.5f, group.get_duration());
        ASSERT_EQ(100u, group.get_particles().size());
        for (Targeted_particle const& particle : group.get_particles())
        {
            EXPECT_TRUE(releaser.get_box().contains(particle.position));
            float nearest_gap = 1e9f;
            for (Atom const& atom : molecule._atoms)
                nearest_gap =
                    std::min(nearest_gap, std::abs((particle.target - local - atom._r_0).norm() - atom._radius));
            EXPECT_LT(nearest_gap, 1e-4f);
        }
        for (int frame = 0; frame < 10; ++frame) releaser.animate(0.06f);
        EXPECT_TRUE(releaser.get_particle_groups().empty());
        releaser.reset();
    }
}

TEST(Molecule_releaser, refused_preparation_waits_but_a_prepared_molecule_still_leaves)
{
    Molecule_releaser releaser = water_releaser();
    EXPECT_FALSE(releaser.check_release(1.6f, false));
    EXPECT_EQ(0, releaser.get_queued_atom_count());
    EXPECT_FALSE(releaser.check_release(1.7f, true));
    EXPECT_EQ(3, releaser.get_queued_atom_count());
    EXPECT_TRUE(releaser.check_release(2.1f, false));
    EXPECT_EQ(3u, releaser.make_molecule(2.1f)._atoms.size());
}

TEST(Molecule_releaser, stops_at_its_maximum_until_reset)
{
    Molecule_releaser releaser = water_releaser();
    releaser.set_num_max_molecules(2);
    EXPECT_EQ(2u, run(releaser, 10.f).releases.size());
    EXPECT_EQ(2, releaser.get_num_released_molecules());

    releaser.animate(0.25f);
    EXPECT_EQ(0.25f, releaser.get_release_progress());
    releaser.reset();
    EXPECT_EQ(0, releaser.get_num_released_molecules());
    EXPECT_EQ(0, releaser.get_queued_atom_count());
    EXPECT_EQ(0.f, releaser.get_release_progress());
    EXPECT_EQ((std::vector<float>{2.0625f, 3.125f}), run(releaser, 10.f).releases);
}

TEST(Molecule_releaser, without_a_known_type_prepares_nothing_and_says_why)
{
    for (std::string const type : {"", "Xe"})
    {
        Molecule_releaser releaser = water_releaser();
        releaser.set_molecule_type(type);
        Capture_stdout output;
        EXPECT_TRUE(run(releaser, 5.f).releases.empty());
        EXPECT_EQ(0, releaser.get_queued_atom_count());
        EXPECT_NE(std::string::npos,
                  output.text().find("Molecule_releaser::check_release unknown molecule type: " + type + "\n"));
    }
}

TEST(Molecule_releaser, loaded_with_a_prepared_molecule_releases_that_molecule)
{
    Capture_stdout quiet;
    Loaded_releaser releaser;
    Molecule prepared(Eigen::Vector3f(1.f, 2.f, 3.f));
    prepared.add_atom(Atom(Atom::Element::Na, Eigen::Vector3f::Zero()));
    releaser.restore_prepared(prepared);

    ASSERT_TRUE(releaser.check_release(2.5f, true));
    Molecule const released = releaser.make_molecule(2.5f);
    EXPECT_EQ(Eigen::Vector3f(1.f, 2.f, 3.f), released._x);
    EXPECT_EQ(1u, released._atoms.size());
}

TEST(Atom_cannon, fires_atoms_with_its_charge_at_its_speed_every_interval_up_to_its_maximum)
{
    std::srand(23);
    Atom_cannon cannon(Eigen::Vector3f(-10.f, -10.f, -10.f), Eigen::Vector3f(10.f, 10.f, 10.f), 1.f, 1.f, 20.f, 0.5f);
    cannon.set_num_max_molecules(3);
    cannon.set_position(Eigen::Vector3f(5.f, 0.f, 0.f));

    Release_log const result = run(cannon, 10.f);
    EXPECT_EQ((std::vector<float>{2.0625f, 3.125f, 4.1875f}), result.releases);
    for (Molecule const& molecule : result.molecules)
    {
        ASSERT_EQ(1u, molecule._atoms.size());
        EXPECT_EQ(0.5f, molecule._atoms[0]._charge);
        EXPECT_EQ(0.5f, molecule._accumulated_charge);
        EXPECT_FLOAT_EQ(20.f, molecule._P.norm());
        EXPECT_GT(molecule._P.x(), 0.f);
        EXPECT_FLOAT_EQ(15.f, molecule._x.x());
        expect_near(molecule._x, molecule._atoms[0].get_position());
    }

    cannon.apply_parameters(Property_list().set("speed", 30.f).set("charge", -1.f).list());
    cannon.reset();
    Molecule const shot = run(cannon, 2.1f).molecules.at(0);
    EXPECT_FLOAT_EQ(30.f, shot._P.norm());
    EXPECT_EQ(-1.f, shot._accumulated_charge);
}
