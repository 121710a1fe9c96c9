#include "foundation/Data_config.h"
#include "gl/Mesh.h"

#include "support/Capture_stdout.h"
#include "support/Shader_pairs.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace
{

QString const game_data = TEST_FIXTURE_DIR "/../data/";

QString game_file(std::string const& relative)
{
    return game_data + QString::fromStdString(relative);
}

} // namespace

TEST(Renderer_data_files, every_shader_the_game_builds_is_there)
{
    std::set<std::string> files;
    for (Shader_pair const& pair : game_shader_pairs())
    {
        files.insert(pair.vertex);
        files.insert(pair.fragment);
    }
    for (std::string const& file : files)
    {
        QFile shader(game_file(file));
        ASSERT_TRUE(shader.open(QIODevice::ReadOnly)) << file;
        EXPECT_TRUE(shader.readAll().contains("void main")) << file;
    }
}

TEST(Renderer_data_files, every_texture_loads_and_panels_and_particles_keep_their_alpha)
{
    for (char const* file : {"ice_texture.png", "iss_interior_1.png", "iss_interior_1_blurred.png",
                             "background_grid.png", "molecule_releaser.png"})
        EXPECT_FALSE(QImage(game_file(std::string("textures/") + file)).isNull()) << file;

    for (char const* file : {"brownian_panel.png", "tractor_panel.png", "panel_charged_barrier.png", "particle.png"})
    {
        QImage const image(game_file(std::string("textures/") + file));
        ASSERT_FALSE(image.isNull()) << file;
        EXPECT_TRUE(image.hasAlphaChannel()) << file;
        // Transparent corners: the panels are rounded, the particle a soft disc.
        EXPECT_EQ(0, qAlpha(image.pixel(0, 0))) << file;
    }
}

// The renderers rely on the shapes: the cube spans -1 to 1, the sphere is a
// unit sphere and the grid lies in the x-z square.
TEST(Renderer_data_files, every_mesh_loads_with_the_shape_the_renderers_expect)
{
    Capture_stdout quiet;
    for (char const* file : {"bg_hemisphere.obj", "molecule_releaser.obj", "tractor_circle.obj"})
        EXPECT_GT(load_mesh(game_file(std::string("meshes/") + file).toStdString()).n_faces(), 0u) << file;

    Poly_mesh const sphere = load_mesh(game_file("meshes/icosphere_3.obj").toStdString());
    ASSERT_GT(sphere.n_faces(), 0u);
    for (auto const vertex : sphere.vertices()) EXPECT_NEAR(1.f, sphere.point(vertex).norm(), 1e-4f);

    Poly_mesh const cube = load_mesh(game_file("meshes/grid_cube.obj").toStdString());
    ASSERT_GT(cube.n_faces(), 0u);
    Poly_mesh::Point low(10.f, 10.f, 10.f);
    Poly_mesh::Point high(-10.f, -10.f, -10.f);
    for (auto const vertex : cube.vertices())
    {
        low.minimize(cube.point(vertex));
        high.maximize(cube.point(vertex));
    }
    EXPECT_EQ(Poly_mesh::Point(-1.f, -1.f, -1.f), low);
    EXPECT_EQ(Poly_mesh::Point(1.f, 1.f, 1.f), high);

    Poly_mesh const grid = load_mesh(game_file("meshes/grid_10x10.obj").toStdString());
    ASSERT_GT(grid.n_faces(), 0u);
    for (auto const vertex : grid.vertices())
    {
        Poly_mesh::Point const& p = grid.point(vertex);
        EXPECT_FLOAT_EQ(0.f, p[1]);
        EXPECT_LE(std::abs(p[0]), 1.f);
        EXPECT_LE(std::abs(p[2]), 1.f);
    }
}
