#include "app/Drawing_2d.h"
#include "foundation/Parameter.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_statistics.h"
#include "widgets/Ui_renderer.h"

#include "gl/Render_target.h"
#include "support/Gl_test.h"

#include <QRect>

#include <GL/gl.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>

namespace
{

int const target_size = 100;

// Draws in the 2D mode into a black 100 x 100 target with blending off, so each
// pixel shows exactly the colour a widget was drawn with.
class Drawing_2d : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        target = std::make_unique<Render_target>(*gl(), target_size);
        ASSERT_TRUE(target->complete());
        reset_fixed_function();
        gl()->glDisable(GL_BLEND);
        gl()->glDisable(GL_DEPTH_TEST);
        gl()->glEnable(GL_TEXTURE_2D);
    }

    void TearDown() override
    {
        if (!gl()) return;
        for (GLuint texture : textures) gl()->glDeleteTextures(1, &texture);
        gl()->glDisable(GL_TEXTURE_2D);
        target.reset();
        EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
    }

    // A 2 x 2 texture of one opaque colour; deleted after the test.
    GLuint plain_texture(std::array<unsigned char, 4> rgba)
    {
        std::array<unsigned char, 16> pixels{};
        for (int i = 0; i < 4; ++i)
            for (int c = 0; c < 4; ++c) pixels[size_t(i * 4 + c)] = rgba[size_t(c)];
        GLuint texture = 0;
        gl()->glGenTextures(1, &texture);
        gl()->glBindTexture(GL_TEXTURE_2D, texture);
        gl()->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        gl()->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl()->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl()->glBindTexture(GL_TEXTURE_2D, 0);
        textures.push_back(texture);
        return texture;
    }

    void in_2d(std::function<void()> const& draw)
    {
        begin_2d_drawing();
        draw();
        end_2d_drawing();
    }

    // The pixel at a point in normalised window coordinates.
    std::array<unsigned char, 4> at(float x, float y) const
    {
        return target->pixel(int(x * target_size), int(y * target_size));
    }

    // The smallest rectangle (in pixels, y up) holding every pixel of this colour.
    QRect bounds_of(std::array<unsigned char, 4> rgb) const
    {
        std::vector<unsigned char> const all = target->pixels();
        QRect bounds;
        for (int y = 0; y < target_size; ++y)
            for (int x = 0; x < target_size; ++x)
            {
                unsigned char const* p = &all[size_t((y * target_size + x) * 4)];
                if (p[0] == rgb[0] && p[1] == rgb[1] && p[2] == rgb[2]) bounds |= QRect(x, y, 1, 1);
            }
        return bounds;
    }

    std::array<float, 4> current_color() const
    {
        std::array<float, 4> color{};
        gl()->glGetFloatv(GL_CURRENT_COLOR, color.data());
        return color;
    }

    void clear()
    {
        gl()->glClearColor(0.f, 0.f, 0.f, 0.f);
        gl()->glClear(GL_COLOR_BUFFER_BIT);
    }

    std::unique_ptr<Render_target> target;
    std::vector<GLuint> textures;
};

// Equal within one step of a byte, for colours that fall between two bytes.
::testing::AssertionResult near(std::array<unsigned char, 4> actual, std::array<int, 4> expected)
{
    for (size_t i = 0; i < 4; ++i)
        if (std::abs(int(actual[i]) - expected[i]) > 1)
            return ::testing::AssertionFailure()
                   << "channel " << i << " is " << int(actual[i]) << ", not " << expected[i];
    return ::testing::AssertionSuccess();
}

std::array<float, 16> matrix(GLenum which)
{
    std::array<float, 16> values{};
    glGetFloatv(which, values.data());
    return values;
}

TEST_F(Drawing_2d, the_2d_mode_maps_the_window_to_0_to_1_and_puts_both_matrices_back)
{
    gl()->glMatrixMode(GL_PROJECTION);
    gl()->glOrtho(-3, 5, -2, 7, 1, 50);
    gl()->glMatrixMode(GL_MODELVIEW);
    gl()->glTranslatef(4.f, 5.f, 6.f);
    std::array<float, 16> const projection = matrix(GL_PROJECTION_MATRIX);
    std::array<float, 16> const modelview = matrix(GL_MODELVIEW_MATRIX);

    begin_2d_drawing();
    std::array<float, 16> const ortho = matrix(GL_PROJECTION_MATRIX);
    EXPECT_FLOAT_EQ(ortho[0], 2.f); // x 0..1 onto -1..1
    EXPECT_FLOAT_EQ(ortho[12], -1.f);
    EXPECT_FLOAT_EQ(ortho[5], 2.f);
    EXPECT_FLOAT_EQ(ortho[13], -1.f);
    EXPECT_FLOAT_EQ(ortho[10], 2.f); // near 0, far -1
    EXPECT_FLOAT_EQ(ortho[14], -1.f);
    std::array<float, 16> const identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), identity);
    end_2d_drawing();

    EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelview);
    GLint mode = 0;
    gl()->glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(Drawing_2d, buttons_cover_their_rectangle_and_leave_white_at_the_given_alpha)
{
    Draggable_button button(Eigen::Vector3f(0.5f, 0.3f, 0.f), Eigen::Vector2f(0.4f, 0.2f), "Go", [] {});
    button.set_texture(plain_texture({255, 255, 255, 255}));

    // Picking: the bare quad in the caller's colour, over exactly the button.
    in_2d([&] {
        glColor4f(0.f, 1.f, 0.f, 1.f);
        draw_button(button, true, 1.f);
    });
    EXPECT_EQ(bounds_of({0, 255, 0, 255}), QRect(30, 20, 40, 20));

    // A plain button in the caller's colour, an unchecked checkable one tinted,
    // a checked one in the caller's colour again.
    auto const drawn = [&](float alpha) {
        clear();
        in_2d([&] {
            glColor4f(1.f, 0.f, 0.f, 1.f);
            draw_button(button, false, alpha);
        });
        EXPECT_EQ(current_color(), (std::array<float, 4>{1.f, 1.f, 1.f, alpha}));
        return at(0.5f, 0.3f);
    };
    EXPECT_EQ(drawn(0.5f), (std::array<unsigned char, 4>{255, 0, 0, 255}));
    button.set_checkable(true);
    EXPECT_TRUE(near(drawn(1.f), {204, 204, 230, 179}));
    EXPECT_TRUE(near(drawn(0.5f), {204, 204, 230, 89}));
    button.set_checked(true);
    EXPECT_EQ(drawn(0.25f), (std::array<unsigned char, 4>{255, 0, 0, 255}));
}

TEST_F(Drawing_2d, a_label_is_drawn_in_its_own_colour_and_alpha_whatever_colour_was_current)
{
    Draggable_label label(Eigen::Vector3f(0.25f, 0.75f, 0.f), Eigen::Vector2f(0.2f, 0.1f), "Hot");
    label.set_texture(plain_texture({255, 255, 255, 255}));
    label.set_color(Color4(1.f, 0.f, 0.f, 1.f));
    label.set_alpha(0.5f);
    in_2d([&] {
        glColor4f(0.f, 0.f, 1.f, 1.f);
        draw_label(label);
    });
    EXPECT_EQ(at(0.25f, 0.75f), (std::array<unsigned char, 4>{255, 0, 0, 128}));
    EXPECT_EQ(bounds_of({255, 0, 0, 128}), QRect(15, 70, 20, 10));
}

TEST_F(Drawing_2d, the_slider_handle_is_drawn_where_the_picking_pass_puts_it)
{
    Parameter value("speed", 7.5f, 0.f, 10.f, [] {});
    Draggable_slider slider(Eigen::Vector3f(0.6f, 0.5f, 0.f), Eigen::Vector2f(0.5f, 0.1f), &value, [] {});
    slider.set_texture(plain_texture({0, 0, 255, 255}));
    slider.set_handle_texture(plain_texture({255, 0, 0, 255}));
    float const aspect = 1.f;

    in_2d([&] { draw_slider(slider, false, 1.f, aspect); });
    QRect const drawn = bounds_of({255, 0, 0, 255});
    // The handle at 75 % of the track, 0.02 wide; the icon left of the track's start.
    EXPECT_TRUE(drawn.contains(QPoint(72, 50))) << drawn.x() << " " << drawn.y();
    EXPECT_LE(drawn.width(), 3);
    EXPECT_EQ(at(0.6f - 0.25f - 0.05f, 0.5f), (std::array<unsigned char, 4>{0, 0, 255, 255}));
    EXPECT_TRUE(near(at(0.5f, 0.5f), {51, 51, 77, 255}) || near(at(0.5f, 0.49f), {51, 51, 77, 255})); // the track

    // The picking colour comes from the picking program; here the quad is white.
    clear();
    in_2d([&] { draw_slider(slider, true, 1.f, aspect); });
    EXPECT_EQ(bounds_of({255, 255, 255, 255}), drawn);
    EXPECT_EQ(at(0.5f, 0.5f), (std::array<unsigned char, 4>{0, 0, 0, 0})); // no track while picking
    EXPECT_EQ(at(0.3f, 0.5f), (std::array<unsigned char, 4>{0, 0, 0, 0})); // nor icon
}

TEST_F(Drawing_2d, a_plot_shows_its_frame_only_once_it_has_data)
{
    Draggable_statistics plot(Eigen::Vector3f(0.5f, 0.5f, 0.f), Eigen::Vector2f(0.6f, 0.4f), "Energy");
    plot.set_texture(plain_texture({0, 255, 255, 255}));
    Ui_renderer renderer; // without a particle program it draws no curve
    in_2d([&] { draw_statistics(plot, renderer, target_size); });
    EXPECT_TRUE(bounds_of({0, 255, 255, 255}).isEmpty());

    plot.init_particles({1.f, 3.f, 2.f});
    in_2d([&] { draw_statistics(plot, renderer, target_size); });
    EXPECT_EQ(bounds_of({0, 255, 255, 255}), QRect(20, 30, 60, 40));
}

} // namespace
