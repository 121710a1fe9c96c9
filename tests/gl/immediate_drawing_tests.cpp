#include "gl/GL_utilities.h"

#include "support/Gl_test.h"

#include <GL/gl.h>

#ifdef BRINDLEMOT_SANITIZE
#include <sanitizer/lsan_interface.h>
#endif

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

struct Fed_back_vertex
{
    Eigen::Vector3f position; // window coordinates
    Eigen::Vector2f texture;
};

// Draws in feedback mode through identity matrices into a 100 x 100 viewport, so a
// window coordinate is 50 (clip coordinate + 1).
class Immediate_drawing : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        reset_fixed_function();
        gl()->glViewport(0, 0, 100, 100);
        prepare_feedback_mode();
    }

    void TearDown() override
    {
        if (!gl()) return;
        gl()->glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
    }

    // Mesa makes the buffers of its feedback mode at the first draw in it and
    // never frees them. A point drawn here, out of the leak check's sight,
    // makes them before the drawing under test, whose leaks stay in sight.
    void prepare_feedback_mode()
    {
#ifdef BRINDLEMOT_SANITIZE
        __lsan::ScopedDisabler const out_of_sight;
#endif
        GLfloat buffer[16];
        gl()->glFeedbackBuffer(16, GL_3D, buffer);
        gl()->glRenderMode(GL_FEEDBACK);
        gl()->glBegin(GL_POINTS);
        gl()->glVertex3f(0.f, 0.f, 0.f);
        gl()->glEnd();
        gl()->glRenderMode(GL_RENDER);
    }

    // Line segments give their start vertex (a line loop then yields its points
    // in order); polygons give all their vertices.
    template <class Draw> std::vector<Fed_back_vertex> feed_back(Draw draw)
    {
        std::vector<GLfloat> buffer(4096);
        gl()->glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        gl()->glRenderMode(GL_FEEDBACK);
        draw();
        GLint const size = gl()->glRenderMode(GL_RENDER);

        auto read_vertex = [&](int& i) {
            Fed_back_vertex v;
            v.position = Eigen::Vector3f(buffer[i], buffer[i + 1], buffer[i + 2]);
            v.texture = Eigen::Vector2f(buffer[i + 7], buffer[i + 8]);
            i += 11; // position 3, colour 4, texture 4
            return v;
        };
        std::vector<Fed_back_vertex> vertices;
        for (int i = 0; i < size;)
        {
            GLenum const token = GLenum(buffer[i++]);
            if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            {
                vertices.push_back(read_vertex(i));
                read_vertex(i);
            }
            else if (token == GL_POLYGON_TOKEN)
            {
                int const count = int(buffer[i++]);
                for (int k = 0; k < count; ++k) vertices.push_back(read_vertex(i));
            }
            else
            {
                ADD_FAILURE() << "unexpected feedback token " << token;
                break;
            }
        }
        return vertices;
    }

    void expect_identity_modelview()
    {
        Eigen::Matrix4f modelview;
        gl()->glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
        EXPECT_TRUE(modelview.isIdentity()) << modelview;
    }
};

Eigen::Vector2f window(Eigen::Vector2f const& clip)
{
    return (clip + Eigen::Vector2f::Ones()) * 50.f;
}

// The outline for an arrow of length L along unit direction d: the shaft is
// centred on the line with its left side (seen along d) at 0.3 L.
std::vector<Eigen::Vector2f> expected_outline(Eigen::Vector2f const& from, Eigen::Vector2f const& to, float head)
{
    float const length = (to - from).norm();
    Eigen::Vector2f const along = (to - from) / length;
    Eigen::Vector2f const left(-along.y(), along.x());
    float const neck = 1.f - head;
    float const outline[7][2] = {{0.2f, 0.f}, {0.8f, 0.f}, {0.8f, neck}, {1.f, neck},
                                 {0.5f, 1.f}, {0.f, neck}, {0.2f, neck}};
    std::vector<Eigen::Vector2f> points;
    for (auto const& p : outline)
        points.push_back(window(from + p[1] * length * along + (0.5f - p[0]) * length * left));
    return points;
}

void expect_points(std::vector<Eigen::Vector2f> const& expected, std::vector<Fed_back_vertex> const& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_NEAR(expected[i].x(), actual[i].position.x(), 1e-3f) << "point " << i;
        EXPECT_NEAR(expected[i].y(), actual[i].position.y(), 1e-3f) << "point " << i;
    }
}

} // namespace

TEST_F(Immediate_drawing, arrow_runs_from_start_to_tip_in_any_direction)
{
    struct Case
    {
        Eigen::Vector2f from, to;
        float head;
    };
    Case const cases[] = {
        {{-0.5f, -0.25f}, {0.3f, -0.25f}, 0.2f}, // +x
        {{0.2f, -0.4f}, {-0.1f, 0.f}, 0.3f},     // up and to the left
        {{0.1f, 0.5f}, {0.1f, -0.3f}, 0.5f},     // -y
    };
    for (Case const& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "from " << c.from.transpose() << " to " << c.to.transpose());
        std::vector<Fed_back_vertex> const drawn = feed_back([&] {
            draw_arrow(Eigen::Vector3f(c.from.x(), c.from.y(), 0.f), Eigen::Vector3f(c.to.x(), c.to.y(), 0.f), c.head);
        });
        expect_points(expected_outline(c.from, c.to, c.head), drawn);
        expect_identity_modelview();
    }
}

TEST_F(Immediate_drawing, box_spans_its_scaled_size_and_leaves_the_polygon_mode_set)
{
    Eigen::Vector3f const center(0.1f, 0.2f, 0.f);
    Eigen::Vector3f const size(0.4f, 0.6f, 0.8f);
    std::vector<Fed_back_vertex> const drawn = feed_back([&] { draw_box(center, size, 0.5f, true); });
    ASSERT_FALSE(drawn.empty());
    Eigen::Vector3f low = drawn.front().position, high = low;
    for (auto const& v : drawn)
    {
        low = low.cwiseMin(v.position);
        high = high.cwiseMax(v.position);
    }
    EXPECT_NEAR(50.f, low.x(), 1e-3f);
    EXPECT_NEAR(60.f, high.x(), 1e-3f);
    EXPECT_NEAR(52.5f, low.y(), 1e-3f);
    EXPECT_NEAR(67.5f, high.y(), 1e-3f);
    EXPECT_NEAR(0.4f, low.z(), 1e-4f); // depth (z + 1) / 2 of -0.2
    EXPECT_NEAR(0.6f, high.z(), 1e-4f);
    expect_identity_modelview();

    GLint mode[2] = {0, 0};
    gl()->glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(GL_LINE, mode[0]);
    EXPECT_EQ(GL_LINE, mode[1]);

    draw_box(center, size, 1.f, false);
    gl()->glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(GL_FILL, mode[0]);
}

TEST_F(Immediate_drawing, fullscreen_quad_maps_texture_coordinates_onto_clip_space)
{
    std::vector<Fed_back_vertex> const drawn = feed_back(draw_fullscreen_quad);
    ASSERT_GE(drawn.size(), 4u);
    int corners_seen = 0;
    for (auto const& v : drawn)
    {
        EXPECT_NEAR(v.position.x() / 100.f, v.texture.x(), 1e-5f);
        EXPECT_NEAR(v.position.y() / 100.f, v.texture.y(), 1e-5f);
        bool const at_x_edge = v.position.x() == 0.f || v.position.x() == 100.f;
        bool const at_y_edge = v.position.y() == 0.f || v.position.y() == 100.f;
        if (at_x_edge && at_y_edge) ++corners_seen;
    }
    EXPECT_GE(corners_seen, 4);
}
