#include "Renderer_fixture.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>

#include <QImage>

#include <GL/gl.h>

#include <stdexcept>

namespace
{

QSize texture_size(QOpenGLFunctions_3_3_Compatibility& gl, GLuint texture)
{
    GLint w = 0;
    GLint h = 0;
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    gl.glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    gl.glBindTexture(GL_TEXTURE_2D, 0);
    return QSize(w, h);
}

} // namespace

class Renderer_resources : public Renderer_test
{
protected:
    std::unique_ptr<Shader_renderer> shader_renderer()
    {
        return std::unique_ptr<Shader_renderer>(
            static_cast<Shader_renderer*>(make_renderer("Shader Renderer").release()));
    }

    void write_background(QString const& name, QSize const& size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(40, 90, 160));
        ASSERT_TRUE(image.save(QString::fromStdString(_data.path("textures/" + name))));
    }

    std::string load_background(Shader_renderer& renderer, std::string const& name)
    {
        _level->_background_name = name;
        Capture_stdout out;
        renderer.load_texture(*_level);
        return out.text();
    }

    bool is_texture(GLuint name) const { return gl()->glIsTexture(name) == GL_TRUE; }
};

TEST_F(Renderer_resources, resize_rebuilds_every_target_at_the_new_size_and_keeps_the_depth_texture_name)
{
    auto shader = shader_renderer();
    auto editor = make_renderer("Editor Renderer");
    auto& editor_renderer = static_cast<Editor_renderer&>(*editor);
    GLuint const shader_depth = shader->get_scene_depth_texture();
    GLuint const editor_depth = editor_renderer.get_scene_depth_texture();

    QSize const larger(320, 200);
    for (QSize const size : {larger, QSize(300, 180), larger})
    {
        Capture_stdout out;
        shader->resize(size);
        editor->resize(size);
        EXPECT_THAT(out.text(), ::testing::HasSubstr("Shader_renderer::resize\n"));
    }
    EXPECT_EQ(larger, shader->get_scene_target()->size());
    EXPECT_EQ(larger, shader->get_composite_target()->size());
    EXPECT_EQ(larger, texture_size(*gl(), shader->get_blur_texture(0)));
    EXPECT_EQ(larger, texture_size(*gl(), shader->get_blur_texture(1)));
    EXPECT_EQ(larger, texture_size(*gl(), shader->get_scene_depth_texture()));
    EXPECT_EQ(larger, editor_renderer.get_scene_target()->size());
    EXPECT_EQ(larger, editor_renderer.get_composite_target()->size());
    EXPECT_EQ(larger, texture_size(*gl(), editor_renderer.get_scene_depth_texture()));
    EXPECT_FLOAT_EQ(200.f / 768.f, shader->get_draw_visitor().get_particle_height_scale());
    EXPECT_EQ(320, shader->get_width());
    EXPECT_EQ(200, editor->get_height());

    EXPECT_EQ(shader_depth, shader->get_scene_depth_texture());
    EXPECT_EQ(editor_depth, editor_renderer.get_scene_depth_texture());
    Capture_stdout quiet;
    shader.reset();
    editor.reset();
}

TEST_F(Renderer_resources, a_missing_data_file_stops_init_with_no_such_file)
{
    for (auto const& [name, file] :
         {std::pair<char const*, char const*>{"Shader Renderer", "shaders/molecule_new.frag"},
          {"Editor Renderer", "shaders/simple.vert"},
          {"Shader Renderer", "meshes/grid_cube.obj"},
          {"Editor Renderer", "textures/tractor_panel.png"}})
    {
        QFile::copy(QString::fromStdString(_data.path(file)), QString::fromStdString(_data.path(file)) + ".kept");
        remove_data_file(file);
        Capture_stdout quiet;
        std::unique_ptr<World_renderer> renderer(Class_registry<World_renderer>::instance().create(name));
        try
        {
            renderer->init(widget()->context(), QSize(width, height));
            ADD_FAILURE() << name << " started without " << file;
        }
        catch (std::runtime_error const& error)
        {
            EXPECT_STREQ("No such file.", error.what()) << file;
        }
        renderer.reset();
        QFile::rename(QString::fromStdString(_data.path(file)) + ".kept", QString::fromStdString(_data.path(file)));
    }
}

TEST_F(Renderer_resources, a_background_that_cannot_be_read_keeps_the_current_pair)
{
    auto renderer = shader_renderer();
    GLuint const background = renderer->get_background_texture();
    GLuint const blurred = renderer->get_blurred_background_texture();

    std::string const missing = load_background(*renderer, "no_such_background.png");
    EXPECT_THAT(missing, ::testing::HasSubstr("Shader_renderer::load_texture"));
    EXPECT_THAT(missing, ::testing::HasSubstr("No such file."));
    replace_data_file("textures/garbled.png", "not an image at all");
    EXPECT_THAT(load_background(*renderer, "garbled.png"), ::testing::HasSubstr("Shader_renderer::load_texture"));

    EXPECT_EQ(background, renderer->get_background_texture());
    EXPECT_EQ(blurred, renderer->get_blurred_background_texture());
    EXPECT_TRUE(is_texture(background));
    EXPECT_TRUE(is_texture(blurred));
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
    Capture_stdout quiet;
    renderer.reset();
}

TEST_F(Renderer_resources, a_new_background_replaces_and_frees_the_old_pair_even_when_tiny)
{
    auto renderer = shader_renderer();
    GLuint const background = renderer->get_background_texture();
    GLuint const blurred = renderer->get_blurred_background_texture();

    write_background("wide.png", QSize(400, 200));
    EXPECT_EQ("", load_background(*renderer, "wide.png"));
    EXPECT_EQ(QSize(400, 200), texture_size(*gl(), renderer->get_background_texture()));
    EXPECT_EQ(QSize(20, 10), texture_size(*gl(), renderer->get_blurred_background_texture()));
    for (GLuint old : {background, blurred})
        EXPECT_TRUE(!is_texture(old) || old == renderer->get_background_texture() ||
                    old == renderer->get_blurred_background_texture());

    // Five per cent of a small image is less than a pixel; the copy keeps one.
    write_background("tiny.png", QSize(10, 10));
    EXPECT_EQ("", load_background(*renderer, "tiny.png"));
    EXPECT_EQ(QSize(1, 1), texture_size(*gl(), renderer->get_blurred_background_texture()));
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
    Capture_stdout quiet;
    renderer.reset();
}

// A renderer switch or the editor's rebuild runs init again on a live renderer.
TEST_F(Renderer_resources, init_again_frees_what_it_replaces_and_keeps_the_level_background)
{
    auto renderer = shader_renderer();
    write_background("level.png", QSize(64, 32));
    ASSERT_EQ("", load_background(*renderer, "level.png"));
    GLuint const background = renderer->get_background_texture();
    GLuint const particle_program = renderer->get_particle_program()->programId();
    GLuint const depth = renderer->get_scene_depth_texture();

    {
        Capture_stdout quiet;
        renderer->init(widget()->context(), QSize(width, height));
    }
    EXPECT_EQ(QSize(64, 32), texture_size(*gl(), renderer->get_background_texture()));
    EXPECT_TRUE(!is_texture(background) || background == renderer->get_background_texture());
    EXPECT_TRUE(!gl()->glIsProgram(particle_program) ||
                particle_program == renderer->get_particle_program()->programId());
    EXPECT_EQ(depth, renderer->get_scene_depth_texture());

    auto target = make_target();
    render_frame(*renderer, *_level, *target);
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
    Capture_stdout quiet;
    renderer.reset();
}
