#include "simulation/Element_watch.h"
#include "simulation/Level_element.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

class Box_element : public Level_element
{
public:
    Box_element(Eigen::Vector3f const& boxmin, Eigen::Vector3f const& boxmax) : _boxmin(boxmin), _boxmax(boxmax) {}

    void accept(Level_element_visitor& /*visitor*/) override {}
    Eigen::AlignedBox3f get_bounding_box() const override { return corner_bounding_box(*this, _boxmin, _boxmax); }

    void add_animation(Animation const& animation) { _animations.push_back(animation); }

private:
    Eigen::Vector3f _boxmin;
    Eigen::Vector3f _boxmax;
};

class Counting_listener : public Notifiable
{
public:
    void notify() override { ++count; }
    int count = 0;
};

Animation sweep(Eigen::Vector3f const& start, Eigen::Vector3f const& end, float duration)
{
    Animation animation;
    animation._start = start;
    animation._end = end;
    animation._duration = duration;
    return animation;
}

Box_element unit_box()
{
    return Box_element(Eigen::Vector3f(-1.f, -2.f, -3.f), Eigen::Vector3f(1.f, 2.f, 3.f));
}

Eigen::Matrix4f rotation_about(Eigen::Vector3f const& axis, float angle)
{
    Eigen::Matrix4f matrix = Eigen::Matrix4f::Identity();
    matrix.topLeftCorner<3, 3>() = Eigen::AngleAxisf(angle, axis.normalized()).toRotationMatrix();
    return matrix;
}

} // namespace

TEST(Level_element_animation, sweeps_to_the_end_and_turns_back)
{
    Box_element element = unit_box();
    element.add_animation(sweep(Eigen::Vector3f::Zero(), Eigen::Vector3f(10.f, 0.f, 0.f), 2.f));

    element.animate(1.f);
    EXPECT_FLOAT_EQ(5.f, element.get_position().x());
    element.animate(1.f);
    EXPECT_FLOAT_EQ(10.f, element.get_position().x());
    EXPECT_EQ(1, element.get_animation()._direction);

    element.animate(0.1f);
    EXPECT_FLOAT_EQ(10.f, element.get_position().x());
    EXPECT_EQ(-1, element.get_animation()._direction);
    element.animate(0.1f);
    EXPECT_FLOAT_EQ(9.5f, element.get_position().x());

    Box_element overshooting = unit_box();
    overshooting.add_animation(sweep(Eigen::Vector3f::Zero(), Eigen::Vector3f(10.f, 0.f, 0.f), 2.f));
    overshooting.animate(3.f);
    EXPECT_FLOAT_EQ(10.f, overshooting.get_position().x());
    EXPECT_EQ(-1, overshooting.get_animation()._direction);
}

TEST(Level_element_animation, leaves_the_position_alone_without_a_linear_movement)
{
    Box_element still = unit_box();
    still.set_position(Eigen::Vector3f(1.f, 2.f, 3.f));
    for (int i = 0; i < 5; ++i) still.animate(0.7f);
    EXPECT_EQ(Eigen::Vector3f(1.f, 2.f, 3.f), still.get_position());

    Box_element other_type = unit_box();
    other_type.set_position(Eigen::Vector3f(1.f, 2.f, 3.f));
    Animation animation = sweep(Eigen::Vector3f::Zero(), Eigen::Vector3f(10.f, 0.f, 0.f), 2.f);
    animation._type = 1;
    other_type.add_animation(animation);
    other_type.animate(1.f);
    EXPECT_EQ(Eigen::Vector3f(1.f, 2.f, 3.f), other_type.get_position());
    EXPECT_FLOAT_EQ(1.f, other_type.get_animation()._time);
}

TEST(Level_element_animation, without_duration_stays_at_the_start)
{
    Box_element element = unit_box();
    element.add_animation(sweep(Eigen::Vector3f(4.f, 0.f, 0.f), Eigen::Vector3f(10.f, 0.f, 0.f), 0.f));
    element.animate(0.5f);
    EXPECT_EQ(Eigen::Vector3f(4.f, 0.f, 0.f), element.get_position());
    element.reset();
    EXPECT_EQ(Eigen::Vector3f(4.f, 0.f, 0.f), element.get_position());
}

TEST(Level_element_animation, reset_returns_to_the_start_and_clears_the_selection)
{
    Box_element element = unit_box();
    element.add_animation(sweep(Eigen::Vector3f(1.f, 1.f, 1.f), Eigen::Vector3f(10.f, 1.f, 1.f), 2.f));
    element.animate(2.5f);
    element.set_selected(true);

    element.reset();

    EXPECT_EQ(Eigen::Vector3f(1.f, 1.f, 1.f), element.get_position());
    EXPECT_FALSE(element.is_selected());
    EXPECT_EQ(0.f, element.get_animation()._time);
    EXPECT_EQ(1, element.get_animation()._direction);
}

TEST(Level_element_listeners, are_told_once_per_position_change_and_removed_entirely)
{
    // Listeners outlive what they listen to, or the element's end would reach them dead.
    Counting_listener first;
    Counting_listener second;
    Box_element element = unit_box();
    element.add_animation(sweep(Eigen::Vector3f::Zero(), Eigen::Vector3f(10.f, 0.f, 0.f), 2.f));
    element.add_notifiable(&first);
    element.add_notifiable(&second);

    element.set_position(Eigen::Vector3f(1.f, 0.f, 0.f));
    element.animate(0.5f);
    EXPECT_EQ(2, first.count);
    EXPECT_EQ(2, second.count);

    element.add_notifiable(&first);
    element.remove_notifiable(&first);
    element.remove_notifiable(&first);
    element.set_position(Eigen::Vector3f::Zero());
    EXPECT_EQ(2, first.count);
    EXPECT_EQ(3, second.count);
}

TEST(Level_element_listeners, stay_with_the_element_they_registered_with)
{
    Counting_listener listener;
    Counting_listener own;
    Box_element element = unit_box();
    element.add_notifiable(&listener);

    Box_element copy(element);
    Box_element moved(std::move(copy));
    Box_element assigned = unit_box();
    assigned.add_notifiable(&own);
    assigned = element;
    for (Box_element* other : {&copy, &moved, &assigned}) other->set_position(Eigen::Vector3f(1.f, 0.f, 0.f));
    EXPECT_EQ(0, listener.count) << "no copy, move or assignment tells the original's listener";
    EXPECT_EQ(1, own.count) << "an assignment keeps the target's own";

    element.set_position(Eigen::Vector3f::Zero());
    EXPECT_EQ(1, listener.count);
}

TEST(Element_watch, reads_null_once_its_element_is_gone)
{
    auto element = std::make_unique<Box_element>(unit_box());
    auto other = std::make_unique<Box_element>(unit_box());
    Element_watch watch(element.get());
    Element_watch copy(watch);
    Element_watch moved_on(element.get());
    moved_on.reset(other.get());
    EXPECT_EQ(element.get(), copy.get());

    element.reset();
    EXPECT_FALSE(watch);
    EXPECT_EQ(nullptr, copy.get());
    EXPECT_EQ(other.get(), moved_on.get()) << "it left the first element's listeners";

    {
        Element_watch gone_first(other.get());
    }
    other->set_position(Eigen::Vector3f::Ones()); // the watch left as it went
    other.reset();
    EXPECT_EQ(nullptr, moved_on.get());
}

TEST(Level_element_frame, local_coordinates_follow_the_transform)
{
    Box_element element = unit_box();
    element.set_position(Eigen::Vector3f(3.f, -2.f, 5.f));
    for (float angle : {0.3f, 0.8f, 2.5f, -1.f})
    {
        element.set_transform(rotation_about(Eigen::Vector3f(1.f, 2.f, 3.f), angle));
        EXPECT_LT(element.to_local(element.get_position()).norm(), 1e-5f) << "angle " << angle;
    }

    element.set_transform(rotation_about(Eigen::Vector3f::UnitZ(), float(M_PI / 2)));
    Eigen::Vector3f const along_world_y = element.get_position() + Eigen::Vector3f(0.f, 2.f, 0.f);
    EXPECT_LT((element.to_local(along_world_y) - Eigen::Vector3f(2.f, 0.f, 0.f)).norm(), 1e-5f);

    // With a translation column too, local and world directions undo each other.
    Eigen::Matrix4f transform = rotation_about(Eigen::Vector3f(1.f, 2.f, 3.f), 0.8f);
    transform.block<3, 1>(0, 3) = Eigen::Vector3f(0.5f, 1.f, -1.f);
    element.set_transform(transform);
    Eigen::Vector3f const local(1.f, -2.f, 0.5f);
    Eigen::Vector3f const world = element.to_world_direction(local) + element.get_position();
    EXPECT_LT((element.to_local(world) - local).norm(), 1e-5f);
}

TEST(Level_element_frame, corner_box_of_a_rotated_box_encloses_its_world_corners)
{
    Box_element element = unit_box();
    element.set_position(Eigen::Vector3f(10.f, 0.f, 0.f));
    element.set_transform(rotation_about(Eigen::Vector3f::UnitZ(), float(M_PI / 2)));

    Eigen::AlignedBox3f box = element.get_bounding_box();
    EXPECT_LT((box.min() - Eigen::Vector3f(8.f, -1.f, -3.f)).norm(), 1e-5f);
    EXPECT_LT((box.max() - Eigen::Vector3f(12.f, 1.f, 3.f)).norm(), 1e-5f);

    element.set_transform(rotation_about(Eigen::Vector3f::UnitZ(), float(M_PI / 4)));
    box = element.get_bounding_box();
    float const half_width = 3.f / std::sqrt(2.f); // (1 + 2) / sqrt 2 on both axes
    EXPECT_NEAR(10.f - half_width, box.min().x(), 1e-5f);
    EXPECT_NEAR(half_width, box.max().y(), 1e-5f);
    EXPECT_NEAR(3.f, box.max().z(), 1e-5f);
}

TEST(Level_element_properties, copies_own_their_parameters)
{
    Box_element original = unit_box();
    original.add_property(Parameter("charge", 2.f, -10.f, 10.f));
    original.add_property(Parameter("radius", 5.f, 5.f, 100.f));

    Box_element copy(original);
    copy.get_properties()["charge"]->_value = Parameter::Variant(7.f);
    EXPECT_EQ(2.f, original.get_properties()["charge"]->get_value<float>());
    EXPECT_NE(original.get_properties()["charge"], copy.get_properties()["charge"]);

    Box_element assigned = unit_box();
    assigned.add_property(Parameter("strength", 1.f, 0.f, 2.f));
    assigned = original;
    EXPECT_EQ(0u, assigned.get_properties()._list.count("strength"));
    assigned.get_properties()["radius"]->_value = Parameter::Variant(50.f);
    EXPECT_EQ(5.f, original.get_properties()["radius"]->get_value<float>());

    // A property added again replaces the old one in its place.
    original.add_property(Parameter("charge", -3.f, -10.f, 10.f));
    EXPECT_EQ(2u, original.get_properties()._list.size());
    EXPECT_EQ(-3.f, original.get_properties()["charge"]->get_value<float>());
    EXPECT_EQ(0, original.get_properties()["charge"]->_order_index);
    EXPECT_EQ(1, original.get_properties()["radius"]->_order_index);
}
