#include "gl/Curve_particle_system.h"
#include "gl/Targeted_particle_system.h"

#include "foundation/Xml_archive_file.h"
#include "support/Capture_stdout.h"

#include <QFont>
#include <QImage>

#include <boost/serialization/vector.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{

QImage black_image(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    return image;
}

} // namespace

TEST(Targeted_particle_system, generate_walks_columns_first_and_maps_pixels_to_targets)
{
    QImage image = black_image(4, 2);
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(0, 1, qRgb(11, 0, 0));
    image.setPixel(3, 1, qRgb(200, 0, 0));
    image.setPixel(2, 0, qRgb(10, 255, 255)); // red not above 10: dark

    std::srand(3);
    Targeted_particle_system system(2.f);
    Capture_stdout out;
    system.generate(image, Eigen::Vector2f(2.f, 1.f));

    EXPECT_EQ("Targeted_particle_system::generate created 3 particles\n", out.text());
    auto const& particles = system.get_particles();
    ASSERT_EQ(3u, particles.size());
    EXPECT_TRUE(particles[0].target.isApprox(Eigen::Vector3f(-2.f, 0.f, 0.f)));
    EXPECT_TRUE(particles[1].target.isApprox(Eigen::Vector3f(-1.f, 1.f, 0.f)));
    EXPECT_TRUE(particles[2].target.isApprox(Eigen::Vector3f(1.f, 0.f, 0.f)));
    for (Targeted_particle const& p : particles)
    {
        EXPECT_NEAR(1.5f, p.position.norm(), 1e-5f);
        EXPECT_EQ(0.f, p.position.z());
        EXPECT_TRUE(p.initial_speed.isApprox((p.target - p.position) * 2.5f / 2.f));
    }
    EXPECT_GE(system.get_particles().capacity(), 10000u);
}

// Every formula divides the library's rand by 32767: drawn from the full glibc
// range, sizes and colours would leave their intervals.
TEST(Targeted_particle_system, random_sizes_colours_and_angles_stay_in_their_ranges)
{
    QImage image = black_image(20, 20);
    image.fill(qRgb(255, 255, 255));
    std::srand(11);
    Targeted_particle_system system;
    Capture_stdout out;
    system.generate(image, Eigen::Vector2f(1.f, 1.f));
    ASSERT_EQ(400u, system.get_particles().size());

    int left_half = 0;
    for (Targeted_particle const& p : system.get_particles())
    {
        EXPECT_GE(p.size, 0.5f);
        EXPECT_LE(p.size, 3.f);
        EXPECT_EQ(1.f, p.color.r);
        EXPECT_GE(p.color.g, 0.2f);
        EXPECT_LE(p.color.g, 0.46f + 1e-6f);
        EXPECT_EQ(0.05f, p.color.b);
        EXPECT_GE(p.color.a, 0.3f);
        EXPECT_LE(p.color.a, 1.f);
        if (p.position.x() < 0.f) ++left_half;
    }
    EXPECT_GT(left_half, 120);
    EXPECT_LT(left_half, 280);
}

TEST(Targeted_particle_system, dark_image_and_empty_text_make_no_particles)
{
    Targeted_particle_system system;
    {
        Capture_stdout out;
        system.generate(black_image(8, 8), Eigen::Vector2f(1.f, 1.f));
        EXPECT_EQ("Targeted_particle_system::generate created 0 particles\n", out.text());
    }
    Capture_stdout out;
    system.generate_from_text("", QFont(), QRectF(0.0, 0.1, 1.0, 0.2), 1.5f);
    EXPECT_TRUE(system.get_particles().empty());
}

TEST(Targeted_particle_system, text_becomes_particles_on_the_letters_outline)
{
    Targeted_particle_system system;
    Capture_stdout out;
    system.generate_from_text("BRINDLEMOT", QFont(), QRectF(0.0, 0.1, 1.0, 0.2), 2.f);

    ASSERT_GT(system.get_particles().size(), 200u);
    for (Targeted_particle const& p : system.get_particles())
    {
        // Rectangle rows 50..150 of 500 map to y 0.8..0.4; x is squeezed by the aspect.
        EXPECT_LE(p.target.y(), 0.8f + 0.02f);
        EXPECT_GE(p.target.y(), 0.4f - 0.02f);
        EXPECT_LE(std::abs(p.target.x()), 0.5f);
    }
}

TEST(Targeted_particle_system, particle_arrives_at_rest_and_then_hovers_about_its_target)
{
    QImage image = black_image(10, 10);
    image.setPixel(7, 2, qRgb(255, 0, 0));
    std::srand(5);
    float const duration = 2.f;
    Targeted_particle_system system(duration);
    Capture_stdout out;
    system.generate(image, Eigen::Vector2f(1.f, 1.f));
    Targeted_particle const start = system.get_particles().at(0);
    float const ring_distance = (start.target - start.position).norm();

    float const dt = 1.f / 64.f;
    for (int step = 0; step < int(duration / dt); ++step) system.update(dt);

    Targeted_particle const& arrived = system.get_particles()[0];
    EXPECT_FLOAT_EQ(1.f, arrived.age);
    EXPECT_NEAR(0.f, arrived.speed.norm(), 1e-6f);
    EXPECT_LE((arrived.target - arrived.position).norm(), 0.03f * ring_distance);
    EXPECT_FLOAT_EQ(duration, system.get_time());

    for (int step = 0; step < 256; ++step) system.update(dt);
    EXPECT_LE((arrived.target - arrived.position).norm(), 0.1f);
}

TEST(Targeted_particle_system, a_title_settles_on_its_letters_at_the_frame_rate)
{
    // The main menu's flight: ten seconds in frames of 16 ms. Letters a few
    // pixels wide only read when no particle ends far beside its target.
    QImage image = black_image(20, 20);
    for (int x = 0; x < 20; ++x) image.setPixel(x, 5, qRgb(255, 0, 0));
    std::srand(11);
    Targeted_particle_system system(10.f);
    Capture_stdout out;
    system.generate(image, Eigen::Vector2f(1.f, 1.f));
    std::vector<Targeted_particle> const start = system.get_particles();

    for (int frame = 0; frame < 625; ++frame) system.update(0.016f);
    for (size_t i = 0; i < start.size(); ++i)
    {
        float const flown = (start[i].target - start[i].position).norm();
        EXPECT_LE((system.get_particles()[i].target - system.get_particles()[i].position).norm(), 0.004f * flown);
    }
}

namespace
{

// From (0,0,0) to (1,0,0) in one second: a step of 0.25 s covers 0.25 units, and
// the emitter leaves a particle every 0.03 units.
Curve_particle_system straight_system()
{
    Curve_particle_system system({{0.f, 0.f, 0.f}, {1.f, 0.f, 0.f}}, 1.f);
    system.set_start_color(Color4(0.2f, 0.4f, 0.6f, 1.f));
    system.set_end_color(Color4(0.1f, 0.3f, 0.5f, 1.f));
    system.set_rate(2.f);
    return system;
}

} // namespace

TEST(Curve_particle_system, emits_one_trail_particle_and_two_sparks_per_step_along_the_curve)
{
    std::srand(9);
    Curve_particle_system system = straight_system();
    system.update(0.25f);

    auto const& trail = system.get_trail_particles();
    auto const& sparks = system.get_spark_particles();
    ASSERT_EQ(9u, trail.size()); // 0, 0.03, ..., 0.24
    ASSERT_EQ(18u, sparks.size());
    for (Particle const& p : trail)
    {
        EXPECT_GE(p.position.x(), 0.f);
        EXPECT_LE(p.position.x(), 0.28f);
        EXPECT_LE(std::abs(p.position.y()), 0.005f);
        EXPECT_EQ(0.2f, p.color.r);
        EXPECT_EQ(0.6f, p.color.b);
        EXPECT_GE(p.color.a, 0.4f);
        EXPECT_LE(p.color.a, 1.f);
        EXPECT_FLOAT_EQ(1.4f, p.display_color.g);
        EXPECT_EQ(p.color.a, p.display_color.a);
        EXPECT_GE(p.size, 0.3f);
        EXPECT_LE(p.size, 2.3f);
        EXPECT_TRUE(p.speed.isZero());
    }
    for (Particle const& p : sparks)
    {
        EXPECT_EQ(0.3f, p.color.g);
        EXPECT_FLOAT_EQ(1.5f, p.display_color.b);
        // Forward at 0.1 x rate, scattered by at most 0.05 per axis.
        EXPECT_NEAR(0.2f, p.speed.x(), 0.05f + 1e-6f);
        EXPECT_LE(std::abs(p.speed.y()), 0.05f + 1e-6f);
        EXPECT_GE(p.size, 0.1f);
        EXPECT_LE(p.size, 2.1f);
    }
}

TEST(Curve_particle_system, stops_emitting_at_the_end_and_restarts_only_when_looping)
{
    std::srand(9);
    Curve_particle_system system = straight_system();
    system.update(0.f);
    EXPECT_TRUE(system.get_trail_particles().empty());

    for (int i = 0; i < 4; ++i) system.update(0.25f);
    size_t const emitted = system.get_trail_particles().size();
    EXPECT_NEAR(36.f, float(emitted), 1.f); // nine per quarter

    Eigen::Vector3f const spark_before = system.get_spark_particles()[0].position;
    for (int i = 0; i < 3; ++i) system.update(0.25f);
    EXPECT_EQ(emitted, system.get_trail_particles().size());
    EXPECT_FALSE(system.get_spark_particles()[0].position.isApprox(spark_before));

    system.set_loop(true);
    system.update(0.25f); // past the end: back to the start
    system.update(0.25f);
    EXPECT_GT(system.get_trail_particles().size(), emitted);

    system.reset();
    EXPECT_TRUE(system.get_trail_particles().empty());
    EXPECT_TRUE(system.get_spark_particles().empty());
    EXPECT_EQ(0.f, system.get_time());
}

TEST(Curve_particle_system, curve_without_length_moves_particles_but_emits_nothing)
{
    Curve_particle_system empty;
    empty.update(0.25f);
    EXPECT_TRUE(empty.get_trail_particles().empty());

    Curve_particle_system point({{1.f, 1.f, 0.f}, {1.f, 1.f, 0.f}}, 1.f);
    Curve_particle_system single({{1.f, 1.f, 0.f}}, 1.f);
    Curve_particle_system vertical({{1.f, 0.f, 0.f}, {1.f, 1.f, 0.f}}, 1.f);
    vertical.set_use_x(true);
    for (Curve_particle_system* system : {&point, &single, &vertical})
    {
        for (int i = 0; i < 4; ++i) system->update(0.25f);
        EXPECT_TRUE(system->get_trail_particles().empty());
        EXPECT_TRUE(system->get_spark_particles().empty());
    }
}

TEST(Particle, position_speed_and_colour_round_trip_through_an_archive)
{
    std::vector<Particle> particles(2);
    particles[0].position = Eigen::Vector3f(1.5f, -2.25f, 3.125f);
    particles[0].speed = Eigen::Vector3f(0.1f, 0.2f, -0.3f);
    particles[0].color = Color4(1.f, 0.3f, 0.05f, 0.75f);
    particles[0].age = 0.5f;
    particles[1].position = Eigen::Vector3f(-7.f, 0.f, 1e-3f);

    std::string const xml = write_xml_archive("_particles", particles);
    // Vectors are one "v" per coefficient.
    EXPECT_NE(std::string::npos, xml.find("<position"));
    EXPECT_NE(std::string::npos, xml.find("<v>1.5"));

    std::vector<Particle> loaded;
    read_xml_archive(xml, "_particles", loaded);
    ASSERT_EQ(2u, loaded.size());
    for (size_t i = 0; i < 2; ++i)
    {
        EXPECT_EQ(particles[i].position, loaded[i].position);
        EXPECT_EQ(particles[i].speed, loaded[i].speed);
        EXPECT_EQ(particles[i].color.g, loaded[i].color.g);
        EXPECT_EQ(particles[i].color.a, loaded[i].color.a);
    }
    EXPECT_EQ(0.f, loaded[0].age); // not stored
}
