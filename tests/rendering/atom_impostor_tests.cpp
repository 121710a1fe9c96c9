// On a software rasteriser the Shader Renderer draws atoms as ray-cast squares.
// They must leave the depth, and cover the pixels, of the mesh spheres a
// graphics card draws: the blur, the overlays and picking read that depth.

#include "Renderer_fixture.h"

#include "rendering/Atom_spheres.h"
#include "rendering/Shader_renderer.h"
#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>

namespace
{

class Atom_impostor_test : public Renderer_test
{
protected:
    void SetUp() override
    {
        Renderer_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        replace_atom_shading_with_flat_color("vec4(1.0)");
        _renderer = make_renderer("Shader Renderer");
        _target = make_target();
        Capture_stdout quiet;
        _level->clear_elements();
        // Close enough that a near plane at 10 would cut the spheres.
        _close_camera.setScreenWidthAndHeight(width, height);
        _close_camera.setPosition(qglviewer::Vec(0.0, 0.0, 0.0));
        _close_camera.setUpVector(qglviewer::Vec(0.0, 0.0, 1.0));
        _close_camera.setViewDirection(qglviewer::Vec(0.0, 1.0, 0.0));
    }

    void TearDown() override
    {
        Capture_stdout quiet;
        _target.reset();
        _renderer.reset();
        Renderer_test::TearDown();
    }

    Shader_renderer& shader_renderer() { return dynamic_cast<Shader_renderer&>(*_renderer); }

    // A chlorine ion whose centre is seen at the pixel (from the top left), at
    // `distance` radii from the camera. Returns how far its front, seen at
    // that pixel, lies along the view axis.
    float add_atom_seen_at(QPoint const& pixel, float distance)
    {
        Atom const probe(Atom::Element::Cl, Eigen::Vector3f::Zero());
        _radius = atom_sphere_radius(probe, _renderer->get_scale());
        qglviewer::Vec origin, direction;
        _close_camera.convertClickToLine(pixel, origin, direction);
        direction.normalize();
        qglviewer::Vec const centre = origin + double(distance * _radius) * direction;
        _level->_molecules.push_back(
            create_molecule("Cl", Eigen::Vector3f(float(centre.x), float(centre.y), float(centre.z))));
        return (distance - 1.f) * _radius * float(direction * _close_camera.viewDirection());
    }

    // The distance at a pixel counted from the top left.
    static float at(std::vector<float> const& distances, QPoint const& pixel)
    {
        return distances[size_t(height - 1 - pixel.y()) * width + size_t(pixel.x())];
    }

    // The target's depth as the distance along the view axis, or infinity
    // where nothing was drawn.
    std::vector<float> render_distances(bool impostors)
    {
        {
            Capture_stdout quiet;
            shader_renderer().set_software_shortcuts(Shader_renderer::Software_shortcuts{false, impostors});
        }
        gl()->glBindFramebuffer(GL_FRAMEBUFFER, _target->handle());
        gl()->glViewport(0, 0, width, height);
        gl()->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        _close_camera.loadProjectionMatrix();
        _close_camera.loadModelViewMatrix();
        {
            Capture_stdout quiet;
            _renderer->render(_target.get(), *_level, 0.f, &_close_camera);
        }
        std::vector<float> depth(size_t(width) * height);
        gl()->glBindFramebuffer(GL_READ_FRAMEBUFFER, _target->handle());
        gl()->glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());

        GLdouble projection[16];
        _close_camera.getProjectionMatrix(projection);
        for (float& d : depth) d = d < 1.f ? float(projection[14] / ((2.0 * d - 1.0) + projection[10])) : INFINITY;
        return depth;
    }

    static std::vector<bool> drawn(std::vector<float> const& distances)
    {
        std::vector<bool> mask(distances.size());
        std::transform(distances.begin(), distances.end(), mask.begin(), [](float d) { return std::isfinite(d); });
        return mask;
    }

    // Drawn by both, and by the same surface around it in both: away from the
    // outlines, where a sphere of 1280 facets lies inside the round one, and
    // from where one atom hides the other.
    std::vector<bool> smooth_in_both(std::vector<float> const& a, std::vector<float> const& b) const
    {
        float const step = 0.2f * _radius;
        std::vector<bool> smooth(a.size(), false);
        for (int y = 1; y + 1 < height; ++y)
            for (int x = 1; x + 1 < width; ++x)
            {
                size_t const here = size_t(y) * width + size_t(x);
                bool all = true;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                    {
                        size_t const i = size_t(y + dy) * width + size_t(x + dx);
                        all = all && std::abs(a[i] - a[here]) < step && std::abs(b[i] - b[here]) < step;
                    }
                smooth[here] = all;
            }
        return smooth;
    }

    std::unique_ptr<World_renderer> _renderer;
    std::unique_ptr<QGLFramebufferObject> _target;
    Fixed_clip_camera _close_camera{1.0, 1000.0};
    float _radius = 0.f;
};

} // namespace

// Close to the camera and off its axis, where perspective widens a sphere's
// outline beyond its radius, and one atom partly hidden by the other.
TEST_F(Atom_impostor_test, leave_the_depth_and_cover_the_pixels_of_the_mesh_spheres)
{
    QPoint const nearer(100, height / 2);
    float const nearer_front = add_atom_seen_at(nearer, 3.f);
    add_atom_seen_at(QPoint(185, 50), 5.f);

    std::vector<float> const mesh = render_distances(false);
    std::vector<float> const impostor = render_distances(true);
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());

    std::vector<bool> const mesh_drawn = drawn(mesh);
    std::vector<bool> const impostor_drawn = drawn(impostor);
    int const area = int(std::count(mesh_drawn.begin(), mesh_drawn.end(), true));
    EXPECT_GT(area, 12000);
    EXPECT_EQ(0, pixels_beyond_one_pixel(impostor_drawn, mesh_drawn, width, height));
    EXPECT_EQ(0, pixels_beyond_one_pixel(mesh_drawn, impostor_drawn, width, height));

    // The front of the spheres, not their back or the plane of the square,
    // which lie up to a diameter or a radius further. The round sphere holds
    // the facets, whose centres lie 0.45 % of the radius inside it (more
    // along a grazing line of sight): the impostor is never behind the mesh,
    // and only a little before it.
    std::vector<bool> const smooth = smooth_in_both(mesh, impostor);
    float before = 0.f;
    float behind = 0.f;
    int compared = 0;
    for (size_t i = 0; i < smooth.size(); ++i)
    {
        if (!smooth[i]) continue;
        ++compared;
        before = std::max(before, mesh[i] - impostor[i]);
        behind = std::max(behind, impostor[i] - mesh[i]);
    }
    EXPECT_GT(compared, area * 9 / 10);
    EXPECT_LT(before, 0.03f * _radius);
    EXPECT_LT(behind, 0.002f * _radius);

    // Where the nearer atom's centre is seen: its front, a radius short of the
    // centre along the line of sight.
    EXPECT_NEAR(nearer_front, at(impostor, nearer), 0.005f * _radius);
    EXPECT_NEAR(nearer_front, at(mesh, nearer), 0.01f * _radius);
}
