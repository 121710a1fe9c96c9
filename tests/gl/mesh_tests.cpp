#include "gl/Icosphere.h"
#include "gl/Mesh.h"

#include "support/Capture_stdout.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <Eigen/Geometry>

#include <algorithm>
#include <iostream>
#include <sstream>

namespace
{

Eigen::Vector3f to_eigen(Poly_mesh::Point const& p)
{
    return Eigen::Vector3f(p[0], p[1], p[2]);
}

std::string write_file(QTemporaryDir const& dir, QString const& name, char const* text)
{
    QString const path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return std::string();
    file.write(text);
    return path.toStdString();
}

} // namespace

TEST(Icosphere, keeps_every_level_over_shared_vertices)
{
    Icosphere const sphere(3);
    ASSERT_EQ(4, sphere.get_num_levels());
    EXPECT_EQ(642u, sphere.get_vertices().size());
    EXPECT_EQ(642u, sphere.get_flat_normals().size());
    EXPECT_EQ(642u, sphere.get_smooth_normals().size());

    // One midpoint per shared edge: level n uses 12, 42, 162, 642 vertices.
    int const used_vertices[] = {12, 42, 162, 642};
    for (int level = 0; level < 4; ++level)
    {
        std::vector<int> const& indices = sphere.get_indices(level);
        EXPECT_EQ(size_t(60) << (2 * level), indices.size()) << "level " << level;
        EXPECT_EQ(used_vertices[level] - 1, *std::max_element(indices.begin(), indices.end())) << "level " << level;
    }
    EXPECT_EQ(42u, Icosphere(1).get_vertices().size());
    EXPECT_EQ(162u, Icosphere(2).get_vertices().size());
    EXPECT_EQ(12u, Icosphere(0).get_vertices().size());
}

TEST(Icosphere, vertices_are_on_the_unit_sphere_with_outward_flat_normals)
{
    Icosphere const sphere(2);
    auto const& vertices = sphere.get_vertices();
    for (size_t i = 0; i < vertices.size(); ++i)
    {
        EXPECT_NEAR(1.f, vertices[i].norm(), 1e-6f) << "vertex " << i;
        EXPECT_NEAR(1.f, sphere.get_flat_normals()[i].norm(), 1e-5f) << "vertex " << i;
        // The normal of a small triangle at the vertex is close to the radius.
        EXPECT_GT(sphere.get_flat_normals()[i].dot(vertices[i]), 0.9f) << "vertex " << i;
    }
}

TEST(Mesh_loading, quad_becomes_two_triangles_with_normals)
{
    QTemporaryDir dir;
    std::string const path = write_file(dir, "quad.obj",
                                        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                        "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                                        "f 1/1 2/2 3/3 4/4\n");
    Capture_stdout out;
    Poly_mesh const mesh = load_mesh(path);

    EXPECT_EQ(4u, mesh.n_vertices());
    EXPECT_EQ(2u, mesh.n_faces());
    EXPECT_EQ("Mesh loaded: " + path + " Vertices: 4 Faces: 2 \nvnormals? 1\nvertex.texcoord2D? 1\n", out.text());
    for (auto const vertex : mesh.vertices())
    {
        EXPECT_TRUE(to_eigen(mesh.normal(vertex)).isApprox(Eigen::Vector3f::UnitZ())) << vertex.idx();
        // The texture coordinate of each corner is its position here.
        EXPECT_FLOAT_EQ(mesh.point(vertex)[0], mesh.texcoord2D(vertex)[0]);
        EXPECT_FLOAT_EQ(mesh.point(vertex)[1], mesh.texcoord2D(vertex)[1]);
    }
}

TEST(Mesh_loading, colours_come_from_the_file_or_are_white)
{
    QTemporaryDir dir;
    std::string const plain = write_file(dir, "plain.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3\n");
    std::string const coloured =
        write_file(dir, "coloured.obj", "v 0 0 0 1 0 0\nv 1 0 0 0 1 0\nv 1 1 0 0 0 1\nf 1 2 3\n");
    Capture_stdout out;
    Poly_mesh const white = load_mesh(plain, true);
    ASSERT_TRUE(white.has_vertex_colors());
    for (auto const vertex : white.vertices()) EXPECT_EQ(Poly_mesh::Color(255, 255, 255), white.color(vertex));

    Poly_mesh const own = load_mesh(coloured, true);
    ASSERT_EQ(3u, own.n_vertices());
    EXPECT_EQ(Poly_mesh::Color(255, 0, 0), own.color(Poly_mesh::VertexHandle(0)));
    EXPECT_EQ(Poly_mesh::Color(0, 0, 255), own.color(Poly_mesh::VertexHandle(2)));
}

TEST(Mesh_loading, missing_file_reports_on_standard_error_and_yields_an_empty_mesh)
{
    QTemporaryDir dir;
    std::string const path = dir.filePath("absent.obj").toStdString();
    std::ostringstream errors;
    std::streambuf* const previous = std::cerr.rdbuf(errors.rdbuf());
    Poly_mesh const mesh = load_mesh(path);
    std::cerr.rdbuf(previous);

    EXPECT_NE(std::string::npos, errors.str().find("Can't read mesh from file: " + path + "\n"));
    EXPECT_EQ(0u, mesh.n_vertices());
    EXPECT_EQ(0u, mesh.n_faces());
}

namespace
{

struct Shipped_mesh
{
    char const* name;
    Eigen::Vector3f box_min;
    Eigen::Vector3f box_max;
    // Flat models face +y; solids face away from their centre.
    bool flat;
};

std::ostream& operator<<(std::ostream& out, Shipped_mesh const& mesh)
{
    return out << mesh.name;
}

class Shipped_meshes : public ::testing::TestWithParam<Shipped_mesh>
{
};

} // namespace

TEST_P(Shipped_meshes, load_fill_their_box_and_face_outward)
{
    Shipped_mesh const expected = GetParam();
    Capture_stdout out;
    Poly_mesh const mesh = load_mesh(std::string(TEST_FIXTURE_DIR "/../data/meshes/") + expected.name);
    ASSERT_GT(mesh.n_faces(), 0u);

    Eigen::AlignedBox3f box;
    for (auto const vertex : mesh.vertices()) box.extend(to_eigen(mesh.point(vertex)));
    EXPECT_TRUE(box.min().isApprox(expected.box_min, 1e-3f)) << box.min().transpose();
    EXPECT_TRUE(box.max().isApprox(expected.box_max, 1e-3f)) << box.max().transpose();

    for (auto const face : mesh.faces())
    {
        EXPECT_EQ(3u, mesh.valence(face));
        Eigen::Vector3f const normal = to_eigen(mesh.normal(face));
        Eigen::Vector3f centre = Eigen::Vector3f::Zero();
        for (auto const vertex : mesh.fv_range(face)) centre += to_eigen(mesh.point(vertex)) / 3.f;
        if (expected.flat)
            EXPECT_GT(normal.y(), 0.99f) << "face " << face.idx();
        else
            EXPECT_GT(normal.dot(centre), 0.f) << "face " << face.idx();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, Shipped_meshes,
    ::testing::Values(Shipped_mesh{"icosphere_3.obj", -Eigen::Vector3f::Ones(), Eigen::Vector3f::Ones(), false},
                      Shipped_mesh{"grid_10x10.obj", {-1.f, 0.f, -1.f}, {1.f, 0.f, 1.f}, true},
                      Shipped_mesh{"grid_cube.obj", -Eigen::Vector3f::Ones(), Eigen::Vector3f::Ones(), false},
                      Shipped_mesh{"bg_hemisphere.obj", {-100.f, -100.f, 0.f}, {100.f, 100.f, 100.f}, false},
                      Shipped_mesh{"molecule_releaser.obj", {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, false},
                      Shipped_mesh{"tractor_circle.obj", {-0.5f, 0.f, -0.5f}, {0.5f, 0.f, 0.5f}, true}));

TEST(Shipped_meshes, sphere_is_the_unit_icosphere_with_outward_vertex_normals)
{
    Capture_stdout out;
    Poly_mesh const mesh = load_mesh(TEST_FIXTURE_DIR "/../data/meshes/icosphere_3.obj");
    ASSERT_EQ(642u, mesh.n_vertices());
    EXPECT_EQ(1280u, mesh.n_faces());
    for (auto const vertex : mesh.vertices())
    {
        Eigen::Vector3f const p = to_eigen(mesh.point(vertex));
        EXPECT_NEAR(1.f, p.norm(), 1e-5f);
        EXPECT_GT(to_eigen(mesh.normal(vertex)).dot(p), 0.99f);
    }
}

TEST(Shipped_meshes, grid_carries_texture_coordinates_from_its_position)
{
    Capture_stdout out;
    Poly_mesh const mesh = load_mesh(TEST_FIXTURE_DIR "/../data/meshes/grid_10x10.obj");
    ASSERT_EQ(121u, mesh.n_vertices());
    for (auto const vertex : mesh.vertices())
    {
        EXPECT_NEAR(mesh.point(vertex)[0] * 0.5f + 0.5f, mesh.texcoord2D(vertex)[0], 1e-5f);
        EXPECT_NEAR(mesh.point(vertex)[2] * 0.5f + 0.5f, mesh.texcoord2D(vertex)[1], 1e-5f);
    }
}
