#include "Renderer_fixture.h"

#include "rendering/Atom_spheres.h"
#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>

#include <GL/gl.h>

namespace
{

struct Depth_case
{
    std::string renderer;
    QGLFramebufferObject::Attachment target_depth;
};

void PrintTo(Depth_case const& depth_case, std::ostream* out)
{
    *out << depth_case.renderer
         << (depth_case.target_depth == QGLFramebufferObject::Depth ? ", depth only" : ", depth and stencil");
}

std::string case_name(::testing::TestParamInfo<Depth_case> const& info)
{
    return info.param.renderer.substr(0, info.param.renderer.find(' ')) +
           (info.param.target_depth == QGLFramebufferObject::Depth ? "_into_depth_only" : "_into_depth_stencil");
}

GLuint scene_depth_texture(World_renderer& renderer)
{
    if (auto* shader = dynamic_cast<Shader_renderer*>(&renderer)) return shader->get_scene_depth_texture();
    return dynamic_cast<Editor_renderer&>(renderer).get_scene_depth_texture();
}

} // namespace

class Scene_renderer_depth : public Renderer_test, public ::testing::WithParamInterface<Depth_case>
{
};

// Overlays drawn after the renderer are depth-tested against the scene, so the
// target must hold the scene's depth, whatever depth layout it has.
TEST_P(Scene_renderer_depth, the_target_holds_the_depth_of_the_scene)
{
    auto renderer = make_renderer(GetParam().renderer);
    auto target = make_target(GetParam().target_depth);
    _level->_molecules.push_back(create_molecule("Na", Eigen::Vector3f::Zero()));
    float const radius = atom_sphere_radius(_level->_molecules.front()._atoms.front(), renderer->get_scale());
    _camera.setPosition(qglviewer::Vec(0.0, -100.0, 0.0));
    _camera.setUpVector(qglviewer::Vec(0.0, 0.0, 1.0));
    _camera.lookAt(qglviewer::Vec(0.0, 0.0, 0.0));

    std::string const printed = render_frame(*renderer, *_level, *target);
    EXPECT_THAT(printed, ::testing::Not(::testing::HasSubstr("depth not copied")));
    EXPECT_THAT(printed, ::testing::Not(::testing::HasSubstr("blit failed")));
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());

    GLdouble projection[16];
    _camera.getProjectionMatrix(projection);
    double const near_point = -(100.0 - radius);
    double const expected = (projection[10] * near_point + projection[14]) / -near_point * 0.5 + 0.5;
    EXPECT_NEAR(expected, depth(*target, width / 2, height / 2), 1e-3);
    EXPECT_FLOAT_EQ(1.f, depth(*target, 2, 2));
    Capture_stdout quiet;
    renderer.reset();
}

INSTANTIATE_TEST_SUITE_P(Both, Scene_renderer_depth,
                         ::testing::Values(Depth_case{"Shader Renderer", QGLFramebufferObject::CombinedDepthStencil},
                                           Depth_case{"Shader Renderer", QGLFramebufferObject::Depth},
                                           Depth_case{"Editor Renderer", QGLFramebufferObject::CombinedDepthStencil},
                                           Depth_case{"Editor Renderer", QGLFramebufferObject::Depth}),
                         case_name);

class Scene_depth_texture : public Renderer_test, public ::testing::WithParamInterface<std::string>
{
};

// Sampled by the blur passes: without these settings the texture is incomplete
// and every sample reads 0.
TEST_P(Scene_depth_texture, samples_plain_depth_values)
{
    auto renderer = make_renderer(GetParam());
    gl()->glBindTexture(GL_TEXTURE_2D, scene_depth_texture(*renderer));
    GLint value = 0;
    for (GLenum filter : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER})
    {
        gl()->glGetTexParameteriv(GL_TEXTURE_2D, filter, &value);
        EXPECT_EQ(GL_NEAREST, value);
    }
    for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T})
    {
        gl()->glGetTexParameteriv(GL_TEXTURE_2D, wrap, &value);
        EXPECT_EQ(GL_CLAMP_TO_EDGE, value);
    }
    gl()->glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &value);
    EXPECT_EQ(GL_NONE, value);
    gl()->glBindTexture(GL_TEXTURE_2D, 0);
    Capture_stdout quiet;
    renderer.reset();
}

INSTANTIATE_TEST_SUITE_P(Both, Scene_depth_texture, ::testing::Values("Shader Renderer", "Editor Renderer"),
                         [](::testing::TestParamInfo<std::string> const& info) {
                             return info.param.substr(0, info.param.find(' '));
                         });
