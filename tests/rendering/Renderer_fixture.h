#ifndef TESTS_RENDERING_RENDERER_FIXTURE_H
#define TESTS_RENDERING_RENDERER_FIXTURE_H

#include "rendering/Level_view.h"
#include "rendering/Scene_renderers.h"
#include "simulation/Level_data.h"

#include "support/Gl_test.h"
#include "support/Scratch_data_tree.h"

#include <QGLFramebufferObject>

#include <array>
#include <memory>
#include <string>
#include <vector>

// A GL context, a scratch copy of the game's shaders, meshes and textures that
// a test may change, and what it takes to render one frame: the default level,
// a target with depth and a camera framing the field.
class Renderer_test : public Gl_test
{
protected:
    static constexpr int width = 256;
    static constexpr int height = 144;

    void SetUp() override;
    void TearDown() override;

    void replace_data_file(QString const& relative, QByteArray const& contents);
    void remove_data_file(QString const& relative);
    // A fragment shader that paints every fragment of its program in one colour.
    void replace_with_flat_color(QString const& fragment_file, char const* color_expression);
    // Atoms in one colour, however their spheres are drawn.
    void replace_atom_shading_with_flat_color(char const* color_expression);

    // Created by name and initialised at the test size, quietly.
    std::unique_ptr<World_renderer> make_renderer(std::string const& name);

    // Binds the target, clears it to `clear` and renders the level into it
    // through the camera's matrices. Returns what the renderer printed.
    std::string render_frame(World_renderer& renderer, Level_data& level, QGLFramebufferObject& target,
                             std::array<float, 4> const& clear = {0.f, 0.f, 0.f, 1.f}, float time = 0.f);

    std::unique_ptr<QGLFramebufferObject>
    make_target(QGLFramebufferObject::Attachment depth = QGLFramebufferObject::CombinedDepthStencil) const;

    // Reading back a target, (x, y) from the bottom left.
    std::array<int, 4> pixel(QGLFramebufferObject const& target, int x, int y) const;
    std::vector<unsigned char> pixels(QGLFramebufferObject const& target) const;
    float depth(QGLFramebufferObject const& target, int x, int y) const;

    // Everything the GL reported since the last call.
    std::vector<GLenum> gl_errors() const;

    Scratch_data_tree _data;
    std::unique_ptr<Level_data> _level;
    Fixed_clip_camera _camera;
};

// Pixels set in `a` with none set in `b` within one pixel.
int pixels_beyond_one_pixel(std::vector<bool> const& a, std::vector<bool> const& b, int width, int height);

// A level with one element of every kind, some selected and some editable by
// the player, a temporary burst and a few molecules.
void add_every_kind_of_element(Level_data& level);

#endif
