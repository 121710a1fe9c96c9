#include "widgets/Draggable.h"

#include "support/Vector_expect.h"

#include <Eigen/Geometry>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

class Point_element : public Level_element
{
public:
    void accept(Level_element_visitor& /*visitor*/) override {}
    Eigen::AlignedBox3f get_bounding_box() const override { return Eigen::AlignedBox3f(); }
};

// A parent whose transform is fixed and that records which child was updating
// each time its update ran.
class Recording_parent : public Draggable
{
public:
    explicit Recording_parent(Eigen::Matrix4f const& transform) : _frame(transform) {}

    Eigen::Matrix4f get_transform() const override { return _frame; }
    void update() override
    {
        for (Draggable const* child : children) seen_updating.push_back(child->is_updating());
    }

    std::vector<Draggable const*> children;
    std::vector<bool> seen_updating;

private:
    Eigen::Matrix4f _frame;
};

Eigen::Matrix4f translate_and_turn(Eigen::Vector3f const& offset, float angle)
{
    Eigen::Affine3f frame = Eigen::Affine3f::Identity();
    frame.translate(offset);
    frame.rotate(Eigen::AngleAxisf(angle, Eigen::Vector3f::UnitZ()));
    return frame.matrix();
}

} // namespace

TEST(Draggable_drag, takes_the_world_point_into_the_parent_frame_then_constrains_in_order)
{
    Draggable free_widget;
    EXPECT_TRUE(free_widget.get_transform().isIdentity());
    free_widget.drag(Eigen::Vector3f(1.f, 2.f, 3.f));
    expect_near(Eigen::Vector3f(1.f, 2.f, 3.f), free_widget.get_position());

    Recording_parent parent(translate_and_turn(Eigen::Vector3f(10.f, 0.f, 0.f), float(EIGEN_PI / 2)));
    Draggable_point handle;
    handle.set_parent(&parent);
    handle.drag(Eigen::Vector3f(10.f, 5.f, 1.f));
    expect_near(Eigen::Vector3f(5.f, 0.f, 1.f), handle.get_position(), 1e-5f);
    expect_near(Eigen::Vector3f(10.f, 5.f, 1.f), handle.get_world_position(), 1e-5f);

    // The second constraint sees what the first made of the point.
    handle.add_constraint(
        std::make_shared<Range_constraint>(Eigen::Vector3f(0.f, -1.f, 0.f), Eigen::Vector3f(2.f, 1.f, 0.f)));
    handle.add_constraint(
        std::make_shared<Range_constraint>(Eigen::Vector3f(1.5f, -9.f, -9.f), Eigen::Vector3f(9.f, 9.f, 9.f)));
    handle.drag(Eigen::Vector3f(10.f, 5.f, 1.f));
    expect_near(Eigen::Vector3f(2.f, 0.f, 0.f), handle.get_position(), 1e-5f);
    handle.drag(Eigen::Vector3f(10.f, -5.f, 1.f));
    expect_near(Eigen::Vector3f(1.5f, 0.f, 0.f), handle.get_position(), 1e-5f);
}

TEST(Draggable_update, marks_the_child_only_while_the_parent_runs)
{
    Recording_parent parent(Eigen::Matrix4f::Identity());
    Draggable_point first, second;
    for (Draggable_point* child : {&first, &second})
    {
        child->set_parent(&parent);
        parent.children.push_back(child);
    }

    second.update();
    EXPECT_EQ((std::vector<bool>{false, true}), parent.seen_updating);
    EXPECT_FALSE(second.is_updating());

    Draggable lone;
    lone.update();
    EXPECT_FALSE(lone.is_updating());
    EXPECT_EQ(&parent, second.get_root());
    EXPECT_EQ(&lone, lone.get_root());
}

TEST(Draggable_click, runs_the_callback_with_the_widget_when_one_is_set)
{
    Draggable widget;
    widget.clicked();
    Draggable* clicked = nullptr;
    widget.set_click_callback([&clicked](Draggable* d) { clicked = d; });
    widget.clicked();
    EXPECT_EQ(&widget, clicked);
}

TEST(Draggable_binding, follows_its_element_and_lets_go_of_it)
{
    Point_element element;
    {
        Draggable widget;
        widget.notify(); // without an element there is nothing to follow
        expect_near(Eigen::Vector3f::Zero(), widget.get_position());

        widget.set_level_element(&element);
        element.set_position(Eigen::Vector3f(1.f, 2.f, 3.f));
        expect_near(Eigen::Vector3f(1.f, 2.f, 3.f), widget.get_position());

        Draggable copy(widget);
        element.set_position(Eigen::Vector3f(4.f, 5.f, 6.f));
        expect_near(Eigen::Vector3f(4.f, 5.f, 6.f), copy.get_position());
    }
    // Both widgets unregistered when destroyed, so this reaches no freed memory.
    element.set_position(Eigen::Vector3f(1.f, 1.f, 1.f));

    Draggable detached;
    detached.set_level_element(&element);
    element.set_position(Eigen::Vector3f(7.f, 8.f, 9.f));
    detached.detach();
    element.set_position(Eigen::Vector3f::Zero());
    expect_near(Eigen::Vector3f(7.f, 8.f, 9.f), detached.get_position());
    EXPECT_EQ(nullptr, detached.get_level_element());
}

TEST(Draggable_binding, forgets_an_element_destroyed_first_and_follows_no_copy_of_it)
{
    auto element = std::make_unique<Point_element>();
    auto widget = std::make_unique<Draggable>();
    widget->set_level_element(element.get());

    // Atoms are copied with their molecules: a copy is another element, and
    // its moves and its end are not the widget's element's.
    auto copy = std::make_unique<Point_element>(*element);
    copy->set_position(Eigen::Vector3f(1.f, 2.f, 3.f));
    expect_near(Eigen::Vector3f::Zero(), widget->get_position());
    copy.reset();
    EXPECT_EQ(element.get(), widget->get_level_element());

    // A copy made while the widget lives keeps moving after the widget is gone.
    Point_element later(*element);
    widget.reset();
    later.set_position(Eigen::Vector3f(4.f, 5.f, 6.f));

    widget = std::make_unique<Draggable>();
    widget->set_level_element(element.get());
    element.reset();
    EXPECT_EQ(nullptr, widget->get_level_element());
    widget->notify();
}
