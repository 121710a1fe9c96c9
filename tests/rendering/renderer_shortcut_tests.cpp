// The Shader Renderer's cheaper passes for a software rasteriser keep the
// picture the full passes draw, and its depth-of-field blur stops at the
// window's edges.

#include "Renderer_fixture.h"

#include "rendering/Shader_renderer.h"
#include "simulation/Core.h"
#include "simulation/Molecule_factory.h"
#include "tools/campaign/Campaign.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

namespace
{

QSize const frame_size(640, 360);

struct Picture
{
    std::vector<unsigned char> rgba;
    std::vector<float> depth;

    int channel(int x, int y, int c) const { return rgba[size_t((y * frame_size.width() + x) * 4 + c)]; }
    float depth_at(int x, int y) const { return depth[size_t(y * frame_size.width() + x)]; }
};

class Shader_renderer_shortcuts : public Renderer_test
{
protected:
    void SetUp() override
    {
        Renderer_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        _data.copy_all_from_game();
        _camera.setScreenWidthAndHeight(frame_size.width(), frame_size.height());
        Capture_stdout quiet;
        _renderer = std::make_unique<Shader_renderer>();
        _renderer->init(QGLContext::currentContext(), frame_size);
        _target = std::make_unique<QGLFramebufferObject>(frame_size, QGLFramebufferObject::CombinedDepthStencil);
    }

    void TearDown() override
    {
        _target.reset();
        _renderer.reset();
        Renderer_test::TearDown();
    }

    Picture render(Level_data& level, Shader_renderer::Software_shortcuts shortcuts)
    {
        _renderer->set_software_shortcuts(shortcuts);
        _renderer->load_texture(level);
        frame_game_field(_camera, level);
        Capture_stdout quiet;
        _target->bind();
        glViewport(0, 0, frame_size.width(), frame_size.height());
        glClearColor(0.f, 0.f, 0.f, 1.f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        _camera.loadProjectionMatrix();
        _camera.loadModelViewMatrix();
        _renderer->render(_target.get(), level, 1.f, &_camera);
        Picture picture;
        picture.rgba.resize(size_t(frame_size.width() * frame_size.height() * 4));
        picture.depth.resize(size_t(frame_size.width() * frame_size.height()));
        glReadPixels(0, 0, frame_size.width(), frame_size.height(), GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
        glReadPixels(0, 0, frame_size.width(), frame_size.height(), GL_DEPTH_COMPONENT, GL_FLOAT, picture.depth.data());
        _target->release();
        return picture;
    }

    std::unique_ptr<Shader_renderer> _renderer;
    std::unique_ptr<QGLFramebufferObject> _target;
};

// Pixels within `reach` of a jump in depth: the outlines of molecules and
// elements, where a half-size blur and coarser spheres may differ.
std::vector<bool> near_edges(Picture const& picture, int reach)
{
    int const w = frame_size.width();
    int const h = frame_size.height();
    std::vector<bool> edge(size_t(w * h), false);
    for (int y = 0; y + 1 < h; ++y)
        for (int x = 0; x + 1 < w; ++x)
        {
            float const d = picture.depth_at(x, y);
            if (std::abs(d - picture.depth_at(x + 1, y)) < 1e-4f && std::abs(d - picture.depth_at(x, y + 1)) < 1e-4f)
                continue;
            for (int v = std::max(0, y - reach); v <= std::min(h - 1, y + reach); ++v)
                for (int u = std::max(0, x - reach); u <= std::min(w - 1, x + reach); ++u)
                    edge[size_t(v * w + u)] = true;
        }
    return edge;
}

// Per-pixel differences of the colour channels over a part of two pictures.
struct Difference
{
    int pixels = 0;
    int largest = 0;
    double sum = 0.0;

    void add(Picture const& a, Picture const& b, int x, int y)
    {
        ++pixels;
        for (int c = 0; c < 3; ++c)
        {
            int const difference = std::abs(a.channel(x, y, c) - b.channel(x, y, c));
            largest = std::max(largest, difference);
            sum += difference;
        }
    }
    double mean() const { return pixels ? sum / (3.0 * pixels) : 0.0; }
};

// The hall behind, blurred, and the sharp field: molecules and elements away
// from their outlines.
struct Hall_and_field
{
    Difference hall;
    Difference field;
};

Hall_and_field compare(Picture const& full, Picture const& other, std::vector<bool> const& edges)
{
    Hall_and_field difference;
    for (int y = 0; y < frame_size.height(); ++y)
        for (int x = 0; x < frame_size.width(); ++x)
        {
            if (edges[size_t(y * frame_size.width() + x)]) continue;
            (full.depth_at(x, y) < 1.f ? difference.field : difference.hall).add(full, other, x, y);
        }
    return difference;
}

TEST_F(Shader_renderer_shortcuts, keep_the_picture_of_campaign_levels_outside_the_outlines)
{
    for (std::string const name : {"Level 1", "Level 7"})
    {
        // The same molecules whatever ran before.
        std::srand(1);
        Core core;
        {
            Capture_stdout quiet;
            core.load_level(core.get_level_names().indexOf(QString::fromStdString(name)));
            core.start_level();
            for (Campaign_level const& level : campaign())
                if (level.name == name && level.solve) level.solve(core.get_level_data());
            while (core.get_current_time() < 10.f && core.get_game_state() != Core::Finished) core.update(1.f / 64.f);
        }
        Level_data& level = core.get_level_data();
        ASSERT_FALSE(level._molecules.empty()) << name;

        Picture const full = render(level, {});
        Picture const ray_cast = render(level, {false, true});
        Picture const cheap = render(level, {true, true});
        std::vector<bool> const edges = near_edges(full, 3);

        auto const [hall, field] = compare(full, cheap, edges);
        EXPECT_GT(hall.pixels + field.pixels, frame_size.width() * frame_size.height() * 3 / 4) << name;
        EXPECT_GT(field.pixels, 1000) << name;
        // On llvmpipe the hall differs by 0.9 on average and 13 at most, the
        // field by 0.3 to 0.6 and some 19 to 28, in 255.
        EXPECT_LE(hall.mean(), 1.5) << name;
        EXPECT_LE(hall.largest, 20) << name;
        EXPECT_LE(field.mean(), 1.0) << name;
        EXPECT_LE(field.largest, 40) << name;

        // The ray-cast spheres alone change the field by 0.01 to 0.04 on
        // average (a few pixels where two atoms meet by up to 28), and the
        // blurred hall by a step of rounding here and there.
        auto const [hall_behind_spheres, spheres] = compare(full, ray_cast, edges);
        EXPECT_LE(hall_behind_spheres.mean(), 0.05) << name;
        EXPECT_LE(spheres.mean(), 0.15) << name;
        EXPECT_LE(spheres.largest, 40) << name;
    }
}

TEST_F(Shader_renderer_shortcuts, blur_the_top_edge_with_nothing_of_the_bottom)
{
    // A molecule close before the camera at the bottom edge, far from the
    // focus and so blurred most, painted pure red.
    replace_atom_shading_with_flat_color("vec4(1.0, 0.0, 0.0, 1.0)");
    Capture_stdout quiet;
    _renderer->init(QGLContext::currentContext(), frame_size);
    for (bool const shortcuts : {false, true})
    {
        Level_data level;
        level.reset();
        frame_game_field(_camera, level);
        qglviewer::Vec origin, direction;
        _camera.convertClickToLine(QPoint(frame_size.width() / 2, frame_size.height() - 1), origin, direction);
        qglviewer::Vec const near_bottom = origin + 15.0 * direction;
        level._molecules.push_back(
            create_molecule("H2O", Eigen::Vector3f(float(near_bottom.x), float(near_bottom.y), float(near_bottom.z))));
        Picture const picture = render(level, {shortcuts, shortcuts});

        int const x = frame_size.width() / 2;
        ASSERT_GT(picture.channel(x, 0, 0), 150) << "the molecule is not at the bottom edge";
        int const top = frame_size.height() - 1;
        // The top rows show the hall as the rows below them do.
        for (int y = top; y > top - 3; --y)
            EXPECT_NEAR(picture.channel(x, y, 0), picture.channel(x, top - 12, 0), 12)
                << "row " << y << (shortcuts ? ", half-size blur" : ", full-size blur");
    }
}

} // namespace
