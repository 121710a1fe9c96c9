#include "Renderer_fixture.h"

#include "gl/Mesh.h"
#include "rendering/Atom_spheres.h"
#include "rendering/Shader_renderer.h"
#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>

#include <QImage>

#include <GL/gl.h>

namespace
{

std::string renderer_name(::testing::TestParamInfo<std::string> const& info)
{
    return info.param.substr(0, info.param.find(' '));
}

// Which pixels are brighter than `threshold` in red.
std::vector<bool> covered(std::vector<unsigned char> const& rgba, int threshold)
{
    std::vector<bool> mask(rgba.size() / 4);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = rgba[i * 4] > threshold;
    return mask;
}

} // namespace

// The real shaders replaced by ones that show what reaches them.
class Scene_renderer_diagnostics : public Renderer_test, public ::testing::WithParamInterface<std::string>
{
protected:
    void SetUp() override
    {
        Renderer_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        replace_data_file("shaders/depth_blur_1D.frag",
                          "#version 120\nuniform sampler2D texture;\nuniform sampler2D depth_texture;\n"
                          "varying vec2 uv;\nvoid main() { gl_FragColor = texture2D(texture, uv); }\n");
        QImage black(4, 4, QImage::Format_RGB32);
        black.fill(Qt::black);
        ASSERT_TRUE(black.save(QString::fromStdString(_data.path("textures/background_grid.png"))));
    }

    bool shader_renderer() const { return GetParam() == "Shader Renderer"; }
};

// A uniform temperature grid: 0 is half red, 60 (beyond 50) full, -60 none.
TEST_P(Scene_renderer_diagnostics, the_temperature_display_gets_the_temperature_in_its_colour)
{
    replace_data_file("shaders/temperature.frag", "#version 330 compatibility\nin vec3 vertex_color;\n"
                                                  "void main() { gl_FragColor = vec4(vertex_color, 1.0); }\n");
    auto renderer = make_renderer(GetParam());
    auto target = make_target();

    if (shader_renderer())
    {
        for (auto const& [temperature, red] : {std::pair<float, int>{0.f, 128}, {60.f, 255}, {-60.f, 0}})
        {
            for (int i = 0; i < _level->_temperature_grid.get_count(); ++i)
                _level->_temperature_grid.set_pixel(i, temperature);
            render_frame(*renderer, *_level, *target);
            for (std::array<int, 2> const at : {std::array<int, 2>{width / 2, height / 2}, {width / 2 - 60, 40}})
            {
                std::array<int, 4> const color = pixel(*target, at[0], at[1]);
                EXPECT_NEAR(red, color[0], 1) << temperature;
                EXPECT_EQ(0, color[1]) << temperature;
                EXPECT_EQ(0, color[2]) << temperature;
            }
        }
    }
    else
    {
        // Grey from the Brownian elements and the fluctuation, both nothing here;
        // the front border has a drawn size, and then none: the field's own serves.
        for (int pass = 0; pass < 2; ++pass)
        {
            render_frame(*renderer, *_level, *target);
            for (std::array<int, 2> const at : {std::array<int, 2>{width / 2, height / 2}, {width / 2 - 60, 40}})
            {
                std::array<int, 4> const color = pixel(*target, at[0], at[1]);
                EXPECT_NEAR(128, color[0], 1) << pass;
                EXPECT_NEAR(128, color[1], 1) << pass;
                EXPECT_NEAR(128, color[2], 1) << pass;
            }
            _level->_game_field_borders.at(Level_data::Y_min)->set_extent(boost::none);
        }
    }
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
    Capture_stdout quiet;
    renderer.reset();
}

// The shaders see exactly the fixed-function matrices: an atom drawn through
// the renderer covers the pixels of the same sphere drawn by the fixed pipeline.
TEST_P(Scene_renderer_diagnostics, atoms_land_where_the_fixed_pipeline_puts_the_same_sphere)
{
    replace_with_flat_color(shader_renderer() ? "shaders/molecule_new.frag" : "shaders/molecule.frag", "vec4(1.0)");
    replace_data_file("shaders/temperature.frag", "#version 330 compatibility\nvoid main() { discard; }\n");
    auto renderer = make_renderer(GetParam());
    // The mesh spheres: atom_impostor_tests compares the ray-cast ones with them.
    if (auto* shader = dynamic_cast<Shader_renderer*>(renderer.get()))
    {
        Capture_stdout quiet;
        shader->set_software_shortcuts({});
    }
    auto target = make_target();
    {
        Capture_stdout quiet;
        _level->clear_elements();
    }
    // Off the view axis, so that a matrix handed over transposed misplaces it.
    Eigen::Vector3f const centre(12.f, -6.f, 7.f);
    _camera.setPosition(qglviewer::Vec(-4.0, -50.0, 3.0));
    _camera.setUpVector(qglviewer::Vec(0.0, 0.0, 1.0));
    _camera.lookAt(qglviewer::Vec(0.0, 0.0, 0.0));
    _level->_molecules.push_back(create_molecule("Cl", centre));
    float const radius = atom_sphere_radius(_level->_molecules.front()._atoms.front(), renderer->get_scale());
    render_frame(*renderer, *_level, *target);
    std::vector<bool> const through_shader = covered(pixels(*target), 200);

    Poly_mesh sphere;
    {
        Capture_stdout quiet;
        sphere = load_mesh(_data.path("meshes/icosphere_3.obj"));
    }
    auto reference = make_target();
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, reference->handle());
    gl()->glViewport(0, 0, width, height);
    gl()->glClearColor(0.f, 0.f, 0.f, 1.f);
    gl()->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    _camera.loadProjectionMatrix();
    _camera.loadModelViewMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.f, 1.f, 1.f, 1.f);
    glPushMatrix();
    glTranslatef(centre.x(), centre.y(), centre.z());
    glScalef(radius, radius, radius);
    draw_mesh(sphere);
    glPopMatrix();
    std::vector<bool> const fixed_function = covered(pixels(*reference), 200);

    int const area = int(std::count(fixed_function.begin(), fixed_function.end(), true));
    EXPECT_GT(area, 80);
    EXPECT_EQ(0, pixels_beyond_one_pixel(through_shader, fixed_function, width, height));
    EXPECT_EQ(0, pixels_beyond_one_pixel(fixed_function, through_shader, width, height));
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
    Capture_stdout quiet;
    renderer.reset();
}

INSTANTIATE_TEST_SUITE_P(Both, Scene_renderer_diagnostics, ::testing::Values("Shader Renderer", "Editor Renderer"),
                         renderer_name);
