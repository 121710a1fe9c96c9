#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_box.h"

#include "support/Capture_stdout.h"
#include "support/Vector_expect.h"

#include <Eigen/Geometry>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{

Eigen::Vector3f const box_size(20.f, 40.f, 20.f);

// A heat box of box_size centred on `centre`, with the handle box the screens
// would build for it.
struct Heat_box
{
    explicit Heat_box(Eigen::Vector3f const& centre, Eigen::Matrix4f const& transform = Eigen::Matrix4f::Identity())
        : element(centre - box_size / 2.f, centre + box_size / 2.f, 0.f)
    {
        element.set_transform(transform);
        make_handles();
    }

    void make_handles()
    {
        handles = std::make_unique<Draggable_box>(element.get_position(), element.get_extent(), element.get_transform(),
                                                  element.get_properties());
    }

    // One drag step of a handle to a point given in the box's current frame, as
    // a screen does it: drag, update, then the element takes the box over.
    void drag(Draggable& handle, Eigen::Vector3f const& local_point)
    {
        Eigen::Affine3f const frame(handles->get_transform());
        handle.drag(handles->get_position() + frame * local_point);
        handle.update();
        element.accept(*handles);
    }

    Brownian_box element;
    std::unique_ptr<Draggable_box> handles;
    Capture_stdout quiet;
};

Eigen::Matrix4f turn_about_y(float degrees)
{
    Eigen::Matrix4f matrix = Eigen::Matrix4f::Identity();
    matrix.topLeftCorner<3, 3>() =
        Eigen::AngleAxisf(degrees * float(EIGEN_PI) / 180.f, Eigen::Vector3f::UnitY()).toRotationMatrix();
    return matrix;
}

// Where the rotation handle goes to turn the box by `degrees` about its vertical axis.
Eigen::Vector3f rotation_handle_at(float degrees)
{
    return Eigen::Affine3f(turn_about_y(degrees)) * Eigen::Vector3f(-4.f, 0.f, 0.f) - Eigen::Vector3f(0.f, 20.f, 0.f);
}

} // namespace

TEST(Draggable_box_handles, sit_on_the_box_and_tracks_below_it)
{
    Heat_box box(Eigen::Vector3f::Zero());
    auto& scale = box.handles->get_scale_handles();
    ASSERT_EQ(4u, scale.size());
    expect_near(Eigen::Vector3f(-10.f, -20.f, -10.f), scale[0].get_position());
    expect_near(Eigen::Vector3f(-10.f, -20.f, 10.f), scale[1].get_position());
    expect_near(Eigen::Vector3f(10.f, -20.f, -10.f), scale[2].get_position());
    expect_near(Eigen::Vector3f(10.f, -20.f, 10.f), scale[3].get_position());
    expect_near(Eigen::Vector3f(0.f, -20.f, 0.f), box.handles->get_translation_handles().at(0).get_position());
    expect_near(Eigen::Vector3f(-4.f, -20.f, 0.f), box.handles->get_rotation_handles().at(0).get_position());
    expect_near(Eigen::Vector3f(4.f, -20.f, 0.f), box.handles->get_disc().get_position());

    auto& properties = box.handles->get_parameter_handles();
    ASSERT_EQ(1u, properties.count("strength"));
    Draggable_point& strength = properties.at("strength");
    expect_near(Eigen::Vector3f(0.f, -20.f, -3.6f), strength.get_position());
    EXPECT_EQ(box.handles.get(), strength.get_parent());
    box.drag(strength, Eigen::Vector3f(10.f, 7.f, 3.f));
    expect_near(Eigen::Vector3f(3.9f, -20.f, -3.6f), strength.get_position(), 1e-5f);
}

TEST(Draggable_box_handles, are_picked_by_the_editing_bits)
{
    Heat_box box(Eigen::Vector3f::Zero());
    Draggable_box& handles = *box.handles;
    EXPECT_EQ(std::vector<Draggable*>{&handles.get_rotation_handles()[0]}, handles.get_draggables(1));
    EXPECT_EQ(std::vector<Draggable*>{&handles.get_translation_handles()[0]}, handles.get_draggables(2));
    EXPECT_EQ(4u, handles.get_draggables(4).size());
    EXPECT_EQ(std::vector<Draggable*>{&handles.get_parameter_handles().at("strength")}, handles.get_draggables(8));
    EXPECT_EQ(std::vector<Draggable*>{&handles.get_disc()}, handles.get_draggables(Draggable_box::Disc_handle));

    std::vector<Draggable*> const all = handles.get_draggables(Draggable_box::All_handles);
    ASSERT_EQ(8u, all.size());
    EXPECT_EQ(&handles.get_scale_handles()[0], all.front());
    EXPECT_EQ(&handles.get_translation_handles()[0], all[4]);
    EXPECT_EQ(&handles.get_rotation_handles()[0], all[5]);
    EXPECT_EQ(&handles.get_disc(), all.back());
    EXPECT_TRUE(handles.get_draggables(0).empty());
}

TEST(Draggable_box_write_back, scales_the_element_from_the_dragged_corner)
{
    Heat_box box(Eigen::Vector3f(30.f, 0.f, 10.f), turn_about_y(30.f));
    box.drag(box.handles->get_scale_handles()[3], Eigen::Vector3f(12.f, -20.f, 15.f));
    expect_near(Eigen::Vector3f(24.f, 40.f, 30.f), box.element.get_extent(), 1e-4f);
    expect_near(Eigen::Vector3f(30.f, 0.f, 10.f), box.element.get_position(), 1e-4f);
    // The corner is back on the new box.
    expect_near(Eigen::Vector3f(12.f, -20.f, 15.f), box.handles->get_scale_handles()[3].get_position(), 1e-4f);
}

TEST(Draggable_box_write_back, moves_the_element_by_the_handle_displacement)
{
    Heat_box box(Eigen::Vector3f(30.f, 0.f, 10.f), turn_about_y(90.f));
    Draggable_point& handle = box.handles->get_translation_handles()[0];
    Eigen::Vector3f const rest_in_world =
        box.handles->get_position() + Eigen::Affine3f(box.handles->get_transform()) * handle.get_position();

    handle.drag(rest_in_world + Eigen::Vector3f(5.f, 0.f, -3.f));
    handle.update();
    box.element.accept(*box.handles);

    expect_near(Eigen::Vector3f(35.f, 0.f, 7.f), box.element.get_position(), 1e-4f);
    expect_near(Eigen::Vector3f(0.f, -20.f, 0.f), handle.get_position(), 1e-5f);

    // A second step moves on from there, not from where the first one started.
    box.drag(handle, Eigen::Vector3f(1.f, -20.f, 0.f));
    expect_near(Eigen::Vector3f(35.f, 0.f, 6.f), box.element.get_position(), 1e-4f);
}

TEST(Draggable_box_write_back, turns_the_element_about_its_own_centre)
{
    Heat_box stepped(Eigen::Vector3f(30.f, 0.f, 10.f));
    Draggable_point& handle = stepped.handles->get_rotation_handles()[0];
    stepped.drag(handle, rotation_handle_at(45.f));
    expect_near(Eigen::Vector3f(-4.f, -20.f, 0.f), handle.get_position(), 1e-5f);
    stepped.drag(handle, rotation_handle_at(45.f));

    Heat_box turned_once(Eigen::Vector3f(30.f, 0.f, 10.f));
    turned_once.drag(turned_once.handles->get_rotation_handles()[0], rotation_handle_at(90.f));

    EXPECT_TRUE(stepped.element.get_transform().isApprox(turn_about_y(90.f), 1e-5f)) << stepped.element.get_transform();
    EXPECT_TRUE(turned_once.element.get_transform().isApprox(turn_about_y(90.f), 1e-5f))
        << turned_once.element.get_transform();
    expect_near(Eigen::Vector3f(30.f, 0.f, 10.f), stepped.element.get_position(), 1e-4f);
    EXPECT_TRUE(stepped.element.get_bounding_box().center().isApprox(Eigen::Vector3f(30.f, 0.f, 10.f), 1e-4f));
}

TEST(Draggable_box_write_back, sets_a_property_from_its_track_and_clamps_at_the_ends)
{
    Heat_box box(Eigen::Vector3f(30.f, 0.f, 10.f));
    Draggable_point& strength = box.handles->get_parameter_handles().at("strength");
    box.drag(strength, Eigen::Vector3f(1.95f, -20.f, -3.6f));
    EXPECT_FLOAT_EQ(25.f, box.element.get_strength());
    box.drag(strength, Eigen::Vector3f(100.f, -20.f, -3.6f));
    EXPECT_FLOAT_EQ(50.f, box.element.get_strength());
    box.drag(strength, Eigen::Vector3f(-100.f, -20.f, -3.6f));
    EXPECT_FLOAT_EQ(-50.f, box.element.get_strength());

    // The geometry is untouched by a property handle.
    expect_near(Eigen::Vector3f(30.f, 0.f, 10.f), box.element.get_position());
    expect_near(box_size, box.element.get_extent());
}

TEST(Draggable_box_properties, get_handles_only_when_ranged_floats)
{
    Heat_box box(Eigen::Vector3f::Zero());
    Parameter unranged("unranged", 2.f, 0.f, 5.f);
    unranged._value_list.clear();
    box.element.add_property(unranged);
    box.element.add_property(Parameter("a_count", 3, 0, 10));
    box.element.add_property(Parameter("a_switch", true));
    box.element.add_property(Parameter("flat", 3.f, 3.f, 3.f));
    box.make_handles();

    auto& handles = box.handles->get_parameter_handles();
    EXPECT_EQ(2u, handles.size());
    ASSERT_EQ(1u, handles.count("flat"));
    // A range without width puts the handle at the start of its track; tracks
    // are numbered among the handled properties only.
    expect_near(Eigen::Vector3f(-3.9f, -20.f, -3.6f), handles.at("flat").get_position());
    expect_near(Eigen::Vector3f(0.f, -20.f, -6.6f), handles.at("strength").get_position());

    box.drag(handles.at("flat"), Eigen::Vector3f(2.f, -20.f, -3.6f));
    EXPECT_FLOAT_EQ(3.f, box.element.get_properties()["flat"]->get_value<float>());
}

TEST(Draggable_box_binding, follows_an_animated_element_and_survives_its_deletion)
{
    Capture_stdout quiet;
    auto barrier = std::make_unique<Moving_box_barrier>(Eigen::Vector3f(-1.f, -1.f, -1.f),
                                                        Eigen::Vector3f(1.f, 1.f, 1.f), 1.f, 2.f);
    Draggable_box box(barrier->get_position(), barrier->get_extent(), barrier->get_transform(),
                      barrier->get_properties(), barrier.get());
    barrier->set_position(Eigen::Vector3f(5.f, 0.f, 0.f));
    expect_near(Eigen::Vector3f(5.f, 0.f, 0.f), box.get_position());

    barrier.reset();
    EXPECT_EQ(nullptr, box.get_level_element());
}

TEST(Draggable_box_write_back, reaches_each_kind_through_its_own_extent)
{
    Eigen::Vector3f const a(-1.f, -1.f, -1.f), b(1.f, 1.f, 1.f);
    Draggable_box box(Eigen::Vector3f(1.f, 2.f, 3.f), Eigen::Vector3f(4.f, 6.f, 8.f), turn_about_y(90.f),
                      Parameter_list());
    Eigen::Vector3f const extent(4.f, 6.f, 8.f);

    Capture_stdout out;
    Box_portal portal(a, b);
    portal.accept(box);
    expect_near(extent, portal.get_extent());
    Sphere_portal sphere(a, b);
    sphere.accept(box);
    expect_near(extent, sphere.get_extent());
    Molecule_releaser releaser(a, b, 1.f, 1.f);
    releaser.accept(box);
    expect_near(extent, releaser.get_box().sizes());
    Charged_barrier charged(a, b, 1.f, 2.f, 3.f);
    charged.accept(box);
    expect_near(extent, charged.get_extent());
    EXPECT_FLOAT_EQ(3.f, charged.get_charge());
    Plane_barrier plane(Eigen::Vector3f::Zero(), Eigen::Vector3f::UnitZ(), 1.f, 1.f);
    plane.accept(box);
    ASSERT_TRUE(plane.get_extent());
    EXPECT_TRUE(plane.get_extent()->isApprox(Eigen::Vector2f(4.f, 6.f)));
    EXPECT_EQ(5, [&] {
        int count = 0;
        for (size_t at = out.text().find("Draggable_box::visit"); at != std::string::npos;
             at = out.text().find("Draggable_box::visit", at + 1))
            ++count;
        return count;
    }());

    Capture_stdout tractor_out;
    Tractor_barrier tractor(a, b, 1.f);
    tractor.accept(box);
    expect_near(extent, tractor.get_extent());
    expect_near(Eigen::Vector3f(1.f, 2.f, 3.f), tractor.get_position());
    EXPECT_TRUE(tractor.get_transform().isApprox(turn_about_y(90.f)));
    EXPECT_EQ(std::string::npos, tractor_out.text().find("Draggable_box::visit"));
}
