#include "Renderer_fixture.h"

#include "simulation/Box_barrier.h"
#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>

#include <GL/gl.h>

namespace
{

std::string renderer_name(::testing::TestParamInfo<std::string> const& info)
{
    return info.param.substr(0, info.param.find(' '));
}

} // namespace

class Scene_renderer_frame : public Renderer_test, public ::testing::WithParamInterface<std::string>
{
protected:
    // The message a frame prints when the field has not all six borders.
    std::string missing_borders_message() const
    {
        return GetParam() == "Shader Renderer"
                   ? "Shader_renderer::draw_temperature_cube no game field borders or too many/few, not drawing "
                     "temperature mesh\n"
                   : "Editor_renderer::draw_temperature_mesh no game field borders or too many/few, not drawing "
                     "temperature mesh: ";
    }
};

TEST_P(Scene_renderer_frame, renders_without_gl_errors_and_leaves_the_promised_state)
{
    auto renderer = make_renderer(GetParam());
    {
        Capture_stdout quiet;
        renderer->resize(QSize(width + 32, height + 16));
        renderer->resize(QSize(width, height));
    }
    auto target = make_target();
    GLuint other = 0;
    gl()->glGenFramebuffers(1, &other);

    Level_data every_kind;
    {
        Capture_stdout quiet;
        every_kind.reset();
    }
    add_every_kind_of_element(every_kind);

    for (Level_data* level : {_level.get(), &every_kind})
    {
        render_frame(*renderer, *level, *target);
        EXPECT_THAT(gl_errors(), ::testing::IsEmpty());

        // A caller drawing into another framebuffer gets it back, whatever the target.
        gl()->glBindFramebuffer(GL_FRAMEBUFFER, other);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        {
            Capture_stdout quiet;
            renderer->render(target.get(), *level, 1.f, &_camera);
        }
        EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        GLint mode[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, mode);
        EXPECT_EQ(GL_FILL, mode[0]);
        EXPECT_EQ(GL_FILL, mode[1]);
        GLint value = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &value);
        EXPECT_EQ(0, value);
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &value);
        EXPECT_EQ(GLint(other), value);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &value);
        EXPECT_EQ(GLint(other), value);
    }
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, 0);
    gl()->glDeleteFramebuffers(1, &other);
    Capture_stdout quiet;
    renderer.reset();
}

// Outlines of selected elements switch polygons to lines; the full-screen
// passes after them must still cover every pixel.
TEST_P(Scene_renderer_frame, a_frame_after_wireframes_still_covers_the_whole_target)
{
    auto renderer = make_renderer(GetParam());
    auto target = make_target();
    add_every_kind_of_element(*_level);

    gl()->glBindFramebuffer(GL_FRAMEBUFFER, target->handle());
    gl()->glClearColor(1.f, 0.f, 1.f, 1.f);
    gl()->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl()->glClearColor(0.f, 0.f, 0.f, 1.f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    _camera.loadProjectionMatrix();
    _camera.loadModelViewMatrix();
    {
        Capture_stdout quiet;
        renderer->render(target.get(), *_level, 0.f, &_camera);
    }

    std::vector<unsigned char> const all = pixels(*target);
    int magenta = 0;
    for (size_t i = 0; i < all.size(); i += 4)
        if (all[i] == 255 && all[i + 1] == 0 && all[i + 2] == 255) ++magenta;
    EXPECT_EQ(0, magenta);
    Capture_stdout quiet;
    renderer.reset();
}

TEST_P(Scene_renderer_frame, a_field_without_its_six_borders_is_reported_and_the_rest_still_drawn)
{
    auto renderer = make_renderer(GetParam());
    auto target = make_target();
    {
        Capture_stdout quiet;
        _level->add_element(new Box_barrier(Eigen::Vector3f(10, -5, -5), Eigen::Vector3f(20, 5, 5), 100.f, 3.f));
        _level->_molecules.push_back(create_molecule("Na", Eigen::Vector3f(-15.f, 0.f, 0.f)));
    }
    Eigen::Vector3f const wall_point(15.f, -5.f, 0.f);
    Eigen::Vector3f const atom_point(-15.f, 0.f, 0.f);
    auto pixel_at = [&](Eigen::Vector3f const& point) {
        qglviewer::Vec const p = _camera.projectedCoordinatesOf(qglviewer::Vec(point.x(), point.y(), point.z()));
        return pixel(*target, int(p.x), height - 1 - int(p.y));
    };

    std::string const complete = render_frame(*renderer, *_level, *target);
    EXPECT_THAT(complete, ::testing::Not(::testing::HasSubstr("no game field borders")));
    std::array<int, 4> const wall = pixel_at(wall_point);
    std::array<int, 4> const atom = pixel_at(atom_point);

    _level->delete_element(_level->_game_field_borders.at(Level_data::Z_max));
    std::string const five = render_frame(*renderer, *_level, *target);
    EXPECT_THAT(five, ::testing::HasSubstr(missing_borders_message()));
    if (GetParam() == "Editor Renderer")
    {
        EXPECT_THAT(five, ::testing::HasSubstr("temperature mesh: 5\n"));
    }
    // Without the temperature display the wall and the sodium look as they are.
    std::array<int, 4> const bare_wall = pixel_at(wall_point);
    std::array<int, 4> const bare_atom = pixel_at(atom_point);
    EXPECT_GT(bare_wall[0], 90);
    EXPECT_NEAR(bare_wall[0], bare_wall[1], 12);
    EXPECT_NEAR(bare_wall[1], bare_wall[2], 12);
    EXPECT_GT(bare_atom[0], bare_atom[1] + 40);
    EXPECT_GT(bare_atom[2], bare_atom[1] + 40);
    EXPECT_NEAR(wall[1], bare_wall[1], 40);
    EXPECT_NEAR(atom[1], bare_atom[1], 40);

    // Six entries, one of them empty, are no field either.
    _level->_game_field_borders[Level_data::Z_max] = nullptr;
    std::string const with_hole = render_frame(*renderer, *_level, *target);
    EXPECT_THAT(with_hole, ::testing::HasSubstr(missing_borders_message()));
    if (GetParam() == "Editor Renderer")
    {
        EXPECT_THAT(with_hole, ::testing::HasSubstr("temperature mesh: 6\n"));
    }
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
    Capture_stdout quiet;
    renderer.reset();
}

INSTANTIATE_TEST_SUITE_P(Both, Scene_renderer_frame, ::testing::Values("Shader Renderer", "Editor Renderer"),
                         renderer_name);
