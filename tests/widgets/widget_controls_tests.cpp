#include "foundation/Parameter.h"
#include "widgets/Draggable_atom_label.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_event.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_spinbox.h"
#include "widgets/Draggable_statistics.h"
#include "widgets/Draggable_tooltip.h"

#include "support/Capture_stdout.h"
#include "support/Vector_expect.h"

#include <QGLViewer/camera.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace
{

Eigen::Vector3f const centre(0.5f, 0.5f, 0.f);
Eigen::Vector2f const wide(0.4f, 0.1f);

class Point_element : public Level_element
{
public:
    void accept(Level_element_visitor& /*visitor*/) override {}
    Eigen::AlignedBox3f get_bounding_box() const override { return Eigen::AlignedBox3f(); }
};

// Labels own their texture and composite widgets are parents of their handles:
// a copy would delete the texture twice or leave handles pointing to the original.
static_assert(!std::is_copy_constructible_v<Draggable_label> && !std::is_copy_assignable_v<Draggable_label>);
static_assert(!std::is_copy_constructible_v<Draggable_slider> && !std::is_copy_constructible_v<Draggable_spinbox>);
static_assert(!std::is_copy_constructible_v<Draggable_box> && !std::is_copy_assignable_v<Draggable_box>);

} // namespace

TEST(Draggable_label, has_no_texture_until_one_is_painted)
{
    Draggable_label label(centre, wide, "Score");
    EXPECT_EQ(0u, label.get_texture());
    EXPECT_FALSE(label.is_draggable());
    EXPECT_EQ(std::vector<Draggable*>{&label}, label.get_draggables(0));
    label.set_texture(12345); // not a real name, and no context current: nothing is deleted
}

TEST(Draggable_slider, maps_its_handle_onto_the_parameter_range)
{
    std::vector<std::string> calls;
    Parameter parameter("volume", 5.f, 0.f, 10.f, [&calls] { calls.push_back("parameter"); });
    auto slider = std::make_unique<Draggable_slider>(centre, wide, &parameter, [&calls] { calls.push_back("slider"); });
    Draggable_screen_point& handle = slider->get_handle();
    expect_near(Eigen::Vector3f::Zero(), handle.get_position());
    EXPECT_EQ(std::vector<Draggable*>{&handle}, slider->get_draggables(0));

    handle.set_position(Eigen::Vector3f(0.5f, 0.f, 0.f));
    handle.update();
    EXPECT_FLOAT_EQ(7.5f, parameter.get_value<float>());
    EXPECT_EQ((std::vector<std::string>{"parameter", "slider"}), calls);

    // Dragged in the slider's own frame: its right end is at x = 0.7 on screen.
    handle.drag(Eigen::Vector3f(0.9f, 0.5f, 0.f));
    handle.update();
    EXPECT_FLOAT_EQ(10.f, parameter.get_value<float>());
    expect_near(Eigen::Vector3f(1.f, 0.f, 0.f), handle.get_position());

    parameter.set_value_no_update(2.5f);
    expect_near(Eigen::Vector3f(-0.5f, 0.f, 0.f), handle.get_position());

    slider.reset();
    EXPECT_TRUE(parameter._listeners.empty());
}

TEST(Draggable_slider, puts_a_range_without_width_at_the_track_start)
{
    Parameter flat("flat", 4.f, 4.f, 4.f);
    Draggable_slider slider(centre, wide, &flat, nullptr);
    expect_near(Eigen::Vector3f(-1.f, 0.f, 0.f), slider.get_handle().get_position());
    slider.get_handle().update();
    EXPECT_FLOAT_EQ(4.f, flat.get_value<float>());

    Parameter wrong_type("count", 3, 0, 9);
    Draggable_slider ignoring(centre, wide, &wrong_type, nullptr);
    ignoring.get_handle().update();
    EXPECT_EQ(3, wrong_type.get_value<int>());
}

TEST(Draggable_spinbox, steps_an_int_parameter_within_its_range)
{
    Capture_stdout out;
    int called = 0;
    Parameter parameter("count", 8, 0, 9);
    auto spinbox = std::make_unique<Draggable_spinbox>(centre, wide, &parameter, [&called] { ++called; });
    expect_near(Eigen::Vector3f(0.f, 0.75f, 0.f), spinbox->get_up_handle().get_position());
    expect_near(Eigen::Vector3f(0.f, -0.75f, 0.f), spinbox->get_down_handle().get_position());
    EXPECT_FALSE(spinbox->get_up_handle().is_draggable());
    EXPECT_EQ((std::vector<Draggable*>{&spinbox->get_up_handle(), &spinbox->get_down_handle()}),
              spinbox->get_draggables(0));

    spinbox->get_up_handle().update();
    EXPECT_EQ(9, spinbox->get_value());
    spinbox->get_up_handle().update();
    EXPECT_EQ(9, spinbox->get_value());
    spinbox->get_down_handle().update();
    EXPECT_EQ(8, spinbox->get_value());
    EXPECT_EQ(3, called);
    EXPECT_NE(std::string::npos, out.text().find("Draggable_spinbox::update implement!"));

    // Told of a change made elsewhere, it shows the new value and stays put.
    parameter.set_value_no_update(2);
    EXPECT_EQ(2, spinbox->get_value());
    expect_near(centre, spinbox->get_position());

    spinbox.reset();
    EXPECT_TRUE(parameter._listeners.empty());
}

TEST(Draggable_button, toggles_then_calls_back)
{
    std::vector<std::string> calls;
    Draggable_button plain(centre, wide, "Go", [&] { calls.push_back(plain.is_checked() ? "checked" : "unchecked"); });
    plain.set_checkable(true);
    plain.clicked();
    plain.clicked();
    EXPECT_EQ((std::vector<std::string>{"checked", "unchecked"}), calls);
    EXPECT_FALSE(plain.is_draggable());
    EXPECT_EQ(std::vector<Draggable*>{&plain}, plain.get_draggables(0));

    std::string argument, right_argument;
    Draggable_button named(
        centre, wide, "Box", [&argument](std::string const& a) { argument = a; }, "Box_barrier");
    named.right_clicked();
    named.set_right_click_callback([&right_argument](std::string const& a) { right_argument = a; }, "menu");
    named.clicked();
    named.right_clicked();
    EXPECT_EQ("Box_barrier", argument);
    EXPECT_EQ("menu", right_argument);
}

TEST(Draggable_button, shows_its_bound_bool_parameter)
{
    Parameter toggle("Toggle simulation", false);
    auto button = std::make_unique<Draggable_button>(centre, wide, "Run", [] {});
    button->set_checkable(true);
    button->set_parameter(&toggle);
    toggle.set_value_no_update(true);
    EXPECT_TRUE(button->is_checked());
    toggle.set_value_no_update(false);
    EXPECT_FALSE(button->is_checked());
    button.reset();
    EXPECT_TRUE(toggle._listeners.empty());
}

// An element's properties die with the element, which may go before the
// widgets a screen built over them.
TEST(Parameter_binding, widgets_outlive_the_parameter_they_are_bound_to)
{
    auto toggle = std::make_unique<Parameter>("Toggle simulation", true);
    auto strength = std::make_unique<Parameter>("Strength", 0.5f, 0.f, 1.f);
    auto count = std::make_unique<Parameter>("Count", 2, 0, 5);
    auto button = std::make_unique<Draggable_button>(centre, wide, "Run", [] {});
    button->set_parameter(toggle.get());
    auto slider = std::make_unique<Draggable_slider>(centre, wide, strength.get(), std::function<void()>());
    auto spinbox = std::make_unique<Draggable_spinbox>(centre, wide, count.get(), std::function<void()>());
    ASSERT_TRUE(button->is_checked());

    toggle.reset();
    strength.reset();
    count.reset();
    EXPECT_EQ(nullptr, button->get_parameter());
    EXPECT_EQ(nullptr, slider->get_parameter());
    EXPECT_EQ(nullptr, spinbox->get_parameter());
    EXPECT_TRUE(button->is_checked()) << "the last state shown stays";

    Capture_stdout quiet;
    button->notify();
    slider->get_handle().set_position(Eigen::Vector3f(1.f, 0.f, 0.f));
    slider->get_handle().update();
    slider->notify();
    spinbox->get_up_handle().update();
    EXPECT_EQ(0, spinbox->get_value());
    // The destructors reach no parameter either.
    button.reset();
    slider.reset();
    spinbox.reset();

    // Rebinding leaves the old parameter's listeners.
    Parameter first("First", false);
    Parameter second("Second", true);
    Draggable_button rebound(centre, wide, "Run", [] {});
    rebound.set_parameter(&first);
    rebound.set_parameter(&second);
    EXPECT_TRUE(first._listeners.empty());
    EXPECT_EQ(1u, second._listeners.size());
    EXPECT_TRUE(rebound.is_checked());
}

TEST(Draggable_event, fades_and_moves_along_its_easing_and_finishes_once)
{
    auto label = std::make_shared<Draggable_label>(centre, wide, "Hello");
    int finished = 0;
    Draggable_event fade(label, Draggable_event::Fade_in, 1.f);
    fade.duration = 2.f;
    fade.active = true;
    fade.finished_callback = [&finished] { ++finished; };

    fade.update(0.5f, 0.5f);
    EXPECT_FLOAT_EQ(1.f, label->get_alpha()); // not started yet
    fade.update(1.5f, 0.5f);
    EXPECT_NEAR(QEasingCurve(QEasingCurve::InOutQuad).valueForProgress(0.25), label->get_alpha(), 1e-6);
    for (int i = 0; i < 5; ++i) fade.update(2.f + i, 0.5f);
    EXPECT_EQ(1, finished);
    EXPECT_FALSE(fade.active);
    EXPECT_FLOAT_EQ(1.f, label->get_alpha());

    Draggable_event move(label, 0, 0.f, QEasingCurve::OutCubic);
    move.set_move(Eigen::Vector3f::Zero(), Eigen::Vector3f(1.f, 0.f, 0.f));
    EXPECT_EQ(Draggable_event::Move, move.flags);
    move.restart();
    move.update(0.f, 0.25f);
    float const expected = float(QEasingCurve(QEasingCurve::OutCubic).valueForProgress(0.25));
    expect_near(Eigen::Vector3f(expected, 0.f, 0.f), label->get_position());
    EXPECT_FLOAT_EQ(1.f, label->get_alpha()); // a move does not fade

    Draggable_event fade_out(label, Draggable_event::Fade_out, 0.f);
    fade_out.duration = 0.f;
    fade_out.active = true;
    fade_out.update(0.f, 0.1f);
    EXPECT_FLOAT_EQ(0.f, label->get_alpha());
}

TEST(Draggable_event, runs_the_target_animation_with_flag_16_even_when_inactive)
{
    auto tooltip = std::make_shared<Draggable_tooltip>(centre, wide);
    tooltip->reset_fade();
    Draggable_event event(tooltip, Draggable_event::Animate_target, 0.f);
    event.update(0.f, 0.15f);
    EXPECT_FLOAT_EQ(0.5f, tooltip->get_alpha());
}

TEST(Draggable_tooltip, fades_in_and_out)
{
    Capture_stdout out;
    {
        Draggable_tooltip tooltip(centre, wide);
        tooltip.animate(0.1f);
        EXPECT_FLOAT_EQ(1.f, tooltip.get_alpha()); // steady

        tooltip.reset_fade();
        EXPECT_EQ(Draggable_tooltip::Fading_in, tooltip.get_fade_state());
        tooltip.animate(0.15f);
        EXPECT_FLOAT_EQ(0.5f, tooltip.get_alpha());
        tooltip.animate(0.3f);
        EXPECT_FLOAT_EQ(1.f, tooltip.get_alpha());
        EXPECT_EQ(Draggable_tooltip::Steady, tooltip.get_fade_state());

        tooltip.start_fade_out();
        tooltip.animate(0.075f);
        EXPECT_FLOAT_EQ(0.75f, tooltip.get_alpha());
        tooltip.animate(1.f);
        EXPECT_FLOAT_EQ(0.f, tooltip.get_alpha());
        EXPECT_EQ(Draggable_tooltip::Steady, tooltip.get_fade_state());
    }
    EXPECT_NE(std::string::npos, out.text().find("Draggable_tooltip::~Draggable_tooltip"));
}

TEST(Draggable_statistics, builds_its_curve_from_any_number_of_values)
{
    Draggable_statistics plot(centre, wide, "Collected Molecules");
    EXPECT_FLOAT_EQ(0.f, plot.get_min_value());
    EXPECT_FLOAT_EQ(0.f, plot.get_max_value());

    plot.init_particles({});
    EXPECT_FALSE(plot.has_data());
    EXPECT_TRUE(plot.get_particles().get_curve().get_points().empty());
    plot.animate(0.5f);
    EXPECT_TRUE(plot.get_particles().get_trail_particles().empty());

    plot.init_particles({7.f});
    ASSERT_EQ(2u, plot.get_particles().get_curve().get_points().size());
    expect_near(Eigen::Vector3f(1.f, 0.f, 0.f), plot.get_particles().get_curve().get_points().back());

    plot.init_particles({2.f, 2.f, 2.f});
    for (Eigen::Vector3f const& point : plot.get_particles().get_curve().get_points()) EXPECT_FLOAT_EQ(0.f, point.y());

    plot.init_particles({1.f, 3.f, 2.f});
    EXPECT_FLOAT_EQ(1.f, plot.get_min_value());
    EXPECT_FLOAT_EQ(3.f, plot.get_max_value());
    auto const& points = plot.get_particles().get_curve().get_points();
    ASSERT_EQ(3u, points.size());
    expect_near(Eigen::Vector3f(0.5f, 1.f, 0.f), points[1]);
    expect_near(Eigen::Vector3f(1.f, 0.5f, 0.f), points[2]);

    plot.init_particles({1.f, 3.f}, 0.f, 4.f);
    EXPECT_FLOAT_EQ(4.f, plot.get_max_value());
    expect_near(Eigen::Vector3f(1.f, 0.75f, 0.f), plot.get_particles().get_curve().get_points()[1]);
}

TEST(Draggable_statistics, runs_for_its_duration_then_reports_finished)
{
    Draggable_statistics plot(centre, wide, "Energy");
    plot.set_duration(1.f);
    plot.init_particles({0.f, 1.f});
    int finished = 0;
    plot.set_finished_callback([&finished] { ++finished; });
    plot.animate(0.5f);
    EXPECT_EQ(0, finished);
    EXPECT_FALSE(plot.get_particles().get_trail_particles().empty());
    plot.animate(0.6f);
    EXPECT_FLOAT_EQ(1.001f, plot.get_time());
    EXPECT_EQ(1, finished);
    plot.animate(0.1f);
    EXPECT_EQ(2, finished);

    plot.restart();
    EXPECT_FLOAT_EQ(0.f, plot.get_time());
    EXPECT_TRUE(plot.get_particles().get_trail_particles().empty());
}

TEST(Draggable_atom_label, fades_in_and_follows_its_atom_on_screen)
{
    qglviewer::Camera camera;
    camera.setScreenWidthAndHeight(800, 600);
    camera.setPosition(qglviewer::Vec(0.0, 0.0, 50.0));
    camera.lookAt(qglviewer::Vec(0.0, 0.0, 0.0));
    // The viewer computes these before every frame.
    camera.computeProjectionMatrix();
    camera.computeModelViewMatrix();

    Point_element atom;
    {
        Draggable_atom_label label(centre, wide, "Na+", &atom, &camera);
        EXPECT_FLOAT_EQ(0.f, label.get_alpha());
        label.animate(2.5f);
        EXPECT_FLOAT_EQ(0.5f, label.get_alpha());
        label.animate(2.f);
        EXPECT_FLOAT_EQ(0.9f, label.get_alpha());

        atom.set_position(Eigen::Vector3f(0.f, 0.f, 1.f));
        expect_near(Eigen::Vector3f(0.5f, 0.5f, 0.f), label.get_position(), 1e-4f);
        atom.set_position(Eigen::Vector3f(0.f, 1.f, 1.f));
        EXPECT_GT(label.get_position().y(), 0.5f);

        atom.set_position(Eigen::Vector3f(0.f, 0.f, -1.f));
        expect_near(Eigen::Vector3f(1000.f, 1000.f, 0.f), label.get_position());
    }
    atom.set_position(Eigen::Vector3f::Zero());
}
