#include "foundation/Parameter.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_spinbox.h"
#include "widgets/Draggable_statistics.h"
#include "widgets/Draggable_tooltip.h"
#include "widgets/Ui_renderer.h"

#include "gl/Render_target.h"
#include "support/Capture_stdout.h"
#include "support/Gl_test.h"
#include "support/Scratch_data_tree.h"

#include <QGLContext>
#include <QGLWidget>

#include <gmock/gmock.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace
{

QStringList const renderer_files{"fonts/Matiz.ttf", "textures/spinbox_arrowup.png", "textures/spinbox_arrowdown.png",
                                 "shaders/particle.vert", "shaders/particle.frag"};

class Ui_renderer_test : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        _data = std::make_unique<Scratch_data_tree>();
    }

    void TearDown() override
    {
        if (gl())
        {
            EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
        }
    }

    // A renderer initialised on a data tree with the game's files, less the skipped one.
    std::unique_ptr<Ui_renderer> make_renderer(QSize const& size, QString const& skipped = QString())
    {
        for (QString const& file : renderer_files)
            if (file != skipped) _data->copy_from_game(file);
        auto renderer = std::make_unique<Ui_renderer>();
        Capture_stdout quiet;
        renderer->init(QGLContext::currentContext(), size);
        return renderer;
    }

    struct Texels
    {
        int width = 0;
        int height = 0;
        std::vector<float> rgba;
        float alpha(int x, int y) const { return rgba[size_t((y * width + x) * 4 + 3)]; }
    };

    Texels texels(GLuint texture)
    {
        Texels result;
        gl()->glBindTexture(GL_TEXTURE_2D, texture);
        gl()->glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &result.width);
        gl()->glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &result.height);
        result.rgba.resize(size_t(result.width * result.height * 4));
        gl()->glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, result.rgba.data());
        gl()->glBindTexture(GL_TEXTURE_2D, 0);
        return result;
    }

    std::unique_ptr<Scratch_data_tree> _data;
};

} // namespace

TEST_F(Ui_renderer_test, init_makes_ten_bordered_digits_and_both_arrows)
{
    auto renderer = make_renderer(QSize(1280, 720));
    ASSERT_EQ(10u, renderer->get_digit_textures().size());
    for (GLuint digit : renderer->get_digit_textures())
    {
        ASSERT_TRUE(gl()->glIsTexture(digit));
        Texels const t = texels(digit);
        ASSERT_GT(t.width, 4);
        ASSERT_GT(t.height, 4);
        float border = 0.f, inside = 0.f;
        for (int y = 0; y < t.height; ++y)
        {
            for (int x = 0; x < t.width; ++x)
            {
                bool const on_border = x < 2 || y < 2 || x >= t.width - 2 || y >= t.height - 2;
                (on_border ? border : inside) += t.alpha(x, y);
            }
        }
        EXPECT_EQ(0.f, border) << "digit texture " << digit;
        EXPECT_GT(inside, 10.f) << "digit texture " << digit;
    }
    for (GLuint arrow : {renderer->get_arrow_up_texture(), renderer->get_arrow_down_texture()})
    {
        Texels const t = texels(arrow);
        EXPECT_EQ(64, t.width);
        EXPECT_EQ(0.f, t.alpha(0, 0));
        EXPECT_EQ(1.f, t.alpha(32, 32));
    }
    EXPECT_FALSE(renderer->get_font().family().isEmpty());
}

TEST_F(Ui_renderer_test, stops_on_a_missing_font_or_arrow)
{
    for (QString const skipped : {"fonts/Matiz.ttf", "textures/spinbox_arrowdown.png"})
    {
        _data = std::make_unique<Scratch_data_tree>();
        try
        {
            make_renderer(QSize(640, 480), skipped);
            ADD_FAILURE() << "no error without " << skipped.toStdString();
        }
        catch (std::runtime_error const& error)
        {
            EXPECT_STREQ("No such file.", error.what());
        }
    }
}

TEST_F(Ui_renderer_test, a_new_texture_replaces_and_deletes_the_old_one)
{
    auto renderer = make_renderer(QSize(1000, 500));
    Capture_stdout out;

    Draggable_button button(Eigen::Vector3f(0.5f, 0.5f, 0.f), Eigen::Vector2f(0.2f, 0.1f), "Start", [] {});
    renderer->generate_button_texture(button);
    GLuint const first = button.get_texture();
    EXPECT_EQ(200, texels(first).width);
    renderer->generate_button_texture(button);
    EXPECT_NE(first, button.get_texture());
    EXPECT_FALSE(gl()->glIsTexture(first));
    EXPECT_THAT(out.text(), testing::HasSubstr("Ui_renderer::generate_button_texture constructing button texture"));

    Draggable_label label(Eigen::Vector3f(0.5f, 0.5f, 0.f), Eigen::Vector2f(0.4f, 0.1f), "Score");
    renderer->generate_label_texture(label, Qt::AlignCenter);
    GLuint const label_texture = label.get_texture();
    EXPECT_EQ(400, texels(label_texture).width);

    label.set_text("Molecules move faster where it is warm.");
    Eigen::Vector2f const size = renderer->generate_flowing_text_label(label, 0.5f);
    EXPECT_FALSE(gl()->glIsTexture(label_texture));
    EXPECT_TRUE(size.isApprox(label.get_size()));
    Texels const flowing = texels(label.get_texture());
    EXPECT_FLOAT_EQ(flowing.width / 1000.f, size.x());
    EXPECT_FLOAT_EQ(flowing.height / 500.f, size.y());

    Draggable_statistics plot(Eigen::Vector3f(0.5f, 0.5f, 0.f), Eigen::Vector2f(0.45f, 0.35f), "Energy");
    plot.init_particles({1.f, 2.f});
    renderer->generate_statistics_texture(plot, 60.f, 30.f);
    GLuint const plot_texture = plot.get_texture();
    renderer->generate_statistics_texture(plot, 60.f, -1.f);
    EXPECT_FALSE(gl()->glIsTexture(plot_texture));
    EXPECT_THAT(out.text(),
                testing::HasSubstr("Ui_renderer::generate_statistics_texture constructing statistic texture"));

    std::unique_ptr<Draggable_tooltip> tooltip =
        renderer->generate_tooltip(Eigen::Vector3f(0.5f, 0.02f, 0.f), Eigen::Vector3f(0.05f, 0.05f, 0.f), "Move it");
    EXPECT_TRUE(gl()->glIsTexture(tooltip->get_texture()));
    EXPECT_GT(tooltip->get_position().y(), 0.02f); // no room below: above the widget
    EXPECT_EQ(Draggable_tooltip::Steady, tooltip->get_fade_state());
    EXPECT_TRUE(tooltip->get_text().empty());

    GLuint const owned = tooltip->get_texture();
    tooltip.reset();
    EXPECT_FALSE(gl()->glIsTexture(owned));
}

TEST_F(Ui_renderer_test, draws_the_spinbox_digit_and_arrows_at_their_places)
{
    int const side = 800;
    auto renderer = make_renderer(QSize(side, side));
    Parameter count("count", 8, 0, 9);
    Draggable_spinbox spinbox(Eigen::Vector3f(0.5f, 0.5f, 0.f), Eigen::Vector2f(0.2f, 0.4f), &count, nullptr);

    Render_target target(*gl(), side);
    gl()->glMatrixMode(GL_PROJECTION);
    gl()->glLoadIdentity();
    gl()->glOrtho(0, 1, 0, 1, 0, -1);
    gl()->glMatrixMode(GL_MODELVIEW);
    gl()->glLoadIdentity();
    gl()->glDisable(GL_DEPTH_TEST);
    gl()->glEnable(GL_BLEND);
    gl()->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl()->glEnable(GL_TEXTURE_2D);

    // Up and down arrows 0.75 of the half height above and below the centre.
    int const centre = side / 2, up = int(side * 0.65f), down = int(side * 0.35f), corner = 7;
    auto const lit = [&target](int x, int y) { return target.pixel(x, y)[0] > 128; };
    auto const lit_near = [&](int x, int y, int reach) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (lit(x + dx, y + dy)) return true;
        return false;
    };

    renderer->draw_spinbox(spinbox, true, 1.f);
    for (int y : {up, down})
    {
        EXPECT_TRUE(lit(centre, y));
        EXPECT_TRUE(lit(centre + corner, y + corner)); // a bare quad fills its corners
        EXPECT_FALSE(lit(centre + 12, y));
    }
    EXPECT_TRUE(lit_near(centre, centre, 12));
    EXPECT_FALSE(lit(centre + 20, centre));

    gl()->glClear(GL_COLOR_BUFFER_BIT);
    count._value_list.clear(); // a value beyond the digits is shown as the nearest one
    count.set_value_no_update(42);
    renderer->draw_spinbox(spinbox, false, 1.f);
    for (int y : {up, down})
    {
        EXPECT_TRUE(lit(centre, y));
        EXPECT_FALSE(lit(centre + corner, y + corner)); // the arrow image is clear there
    }
    EXPECT_TRUE(lit_near(centre, centre, 12));
    GLint bound = -1;
    gl()->glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(0, bound);

    gl()->glDisable(GL_TEXTURE_2D);
    gl()->glDisable(GL_BLEND);
    gl()->glEnable(GL_DEPTH_TEST);
}
