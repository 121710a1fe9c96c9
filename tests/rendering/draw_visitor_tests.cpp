#include "Renderer_fixture.h"

#include "rendering/Frame_scope.h"
#include "rendering/Level_element_draw_visitor.h"
#include "rendering/Level_element_ui_draw_visitor.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Tractor_barrier.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>

#include <GL/gl.h>

// The visitors alone, drawing into a cleared target through the framing camera.
class Element_draw_visitors : public Renderer_test
{
protected:
    void SetUp() override
    {
        Renderer_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Capture_stdout quiet;
        _scene.init(widget()->context(), QSize(width, height));
        _panels.init(widget()->context(), QSize(width, height));
        _target = make_target();
    }

    void begin_frame()
    {
        gl()->glBindFramebuffer(GL_FRAMEBUFFER, _target->handle());
        gl()->glViewport(0, 0, width, height);
        gl()->glClearColor(0.f, 0.f, 0.f, 1.f);
        gl()->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        _camera.loadProjectionMatrix();
        _camera.loadModelViewMatrix();
        glEnable(GL_DEPTH_TEST);
        set_scene_light();
    }

    int lit_pixels()
    {
        std::vector<unsigned char> const all = pixels(*_target);
        int lit = 0;
        for (size_t i = 0; i < all.size(); i += 4)
            if (all[i] > 8 || all[i + 1] > 8 || all[i + 2] > 8) ++lit;
        return lit;
    }

    Level_element_draw_visitor _scene;
    Level_element_ui_draw_visitor _panels;
    std::unique_ptr<QGLFramebufferObject> _target;
};

TEST_F(Element_draw_visitors, every_visit_leaves_polygons_filled_after_its_outlines)
{
    add_every_kind_of_element(*_level);
    begin_frame();
    for (auto const& element : _level->_level_elements)
    {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        element->accept(_scene);
        GLint mode[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, mode);
        EXPECT_EQ(GL_FILL, mode[0]) << typeid(*element).name();
        EXPECT_EQ(GL_FILL, mode[1]) << typeid(*element).name();
    }
    EXPECT_GT(lit_pixels(), 1000);
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
}

// Whether an element is lit is its own business: drawn after a lit element or
// after an unlit one, it looks the same, and the next one finds the lighting as
// it was.
TEST_F(Element_draw_visitors, every_element_looks_the_same_whatever_lighting_it_finds_and_leaves_it_so)
{
    add_every_kind_of_element(*_level);
    std::vector<Level_element*> elements;
    for (auto const& element : _level->_level_elements) elements.push_back(element.get());
    for (auto const& element : _level->_temporary_elements) elements.push_back(element.get());

    for (Level_element* element : elements)
    {
        std::vector<unsigned char> drawn[2];
        for (bool const lit : {false, true})
        {
            begin_frame();
            if (lit)
                glEnable(GL_LIGHTING);
            else
                glDisable(GL_LIGHTING);
            element->accept(_scene);
            EXPECT_EQ(lit, glIsEnabled(GL_LIGHTING) == GL_TRUE) << typeid(*element).name();
            drawn[lit] = pixels(*_target);
        }
        EXPECT_TRUE(drawn[0] == drawn[1]) << typeid(*element).name() << " depends on the lighting drawn before it";
    }
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
}

TEST_F(Element_draw_visitors, a_plane_barrier_is_drawn_only_with_an_extent)
{
    Plane_barrier unbounded(Eigen::Vector3f(0, 0, 0), Eigen::Vector3f(0, -1, 0), 10.f, 2.f);
    unbounded.set_selected(true);
    begin_frame();
    unbounded.accept(_scene);
    EXPECT_EQ(0, lit_pixels());

    Plane_barrier bounded(Eigen::Vector3f(0, 0, 0), Eigen::Vector3f(0, -1, 0), 10.f, 2.f, Eigen::Vector2f(20, 10));
    begin_frame();
    bounded.accept(_scene);
    EXPECT_GT(lit_pixels(), 50);
}

TEST_F(Element_draw_visitors, only_elements_whose_properties_the_player_edits_get_a_panel)
{
    using V = Eigen::Vector3f;
    Brownian_box heat(V(-10, -10, -10), V(10, 10, 10), 20.f);
    Charged_barrier charged(V(-5, -5, -5), V(5, 5, 5), 100.f, 3.f, 4.f);
    Tractor_barrier tractor(V(-5, -5, -5), V(5, 5, 5), 3.f);
    std::vector<Level_element*> const elements{&heat, &charged, &tractor};
    for (Level_element* element : elements)
    {
        element->set_user_editable(Level_element::Translate | Level_element::Scale | Level_element::Rotate);
        begin_frame();
        element->accept(_panels);
        EXPECT_EQ(0, lit_pixels()) << typeid(*element).name();

        element->set_user_editable(Level_element::Property);
        begin_frame();
        element->accept(_panels);
        EXPECT_GT(lit_pixels(), 150) << typeid(*element).name();
    }
    EXPECT_THAT(gl_errors(), ::testing::IsEmpty());
}
