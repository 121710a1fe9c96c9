#ifndef TESTS_FULL_LEVEL_H
#define TESTS_FULL_LEVEL_H

#include "simulation/Charged_barrier.h"
#include "simulation/Level_data.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Tractor_barrier.h"

#include <Eigen/Geometry>

inline Eigen::Matrix4f turned(float angle, Eigen::Vector3f const& axis)
{
    Eigen::Matrix4f frame = Eigen::Matrix4f::Identity();
    frame.topLeftCorner<3, 3>() = Eigen::AngleAxisf(angle, axis.normalized()).toRotationMatrix();
    return frame;
}

// One of every kind a level file holds, several of them turned.
struct Full_level
{
    Level_data level;
    Box_barrier* box = nullptr;
    Plane_barrier* tilted_plane = nullptr;
    Tractor_barrier* tractor = nullptr;
    Box_portal* box_portal = nullptr;
    Brownian_box* heat = nullptr;
    Molecule_releaser* releaser = nullptr;

    Full_level()
    {
        level.reset();
        level.get_parameters()["Game Field Width"]->set_value_no_update(100.f);
        level.update_game_field();

        // Copied from a moving barrier only for its animation.
        box = new Box_barrier(
            Moving_box_barrier(Eigen::Vector3f(-10.f, -4.f, -4.f), Eigen::Vector3f(-6.f, 4.f, 4.f), 10000.f, 2.f));
        box->get_animation()._end = Eigen::Vector3f(-8.f, 6.f, 0.f);
        box->set_transform(turned(0.6f, Eigen::Vector3f(1.f, 1.f, 0.f)));
        box->set_user_editable(Level_element::Rotate | Level_element::Translate);
        level.add_element(box);

        level.add_element(
            new Charged_barrier(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(4.f, 4.f, 4.f), 50.f, 3.f, -3.f));
        tilted_plane = new Plane_barrier(Eigen::Vector3f(0.f, 0.f, -15.f), Eigen::Vector3f(0.f, 0.6f, 0.8f), 40.f, 3.f);
        level.add_element(tilted_plane);

        tractor = new Tractor_barrier(Eigen::Vector3f(10.f, -2.f, -2.f), Eigen::Vector3f(14.f, 2.f, 2.f), 100.f);
        tractor->set_transform(turned(1.f, Eigen::Vector3f::UnitZ()));
        for (int i = 0; i < 8; ++i) tractor->animate(0.5f);
        level.add_element(tractor);

        box_portal = new Box_portal(Eigen::Vector3f(20.f, -2.f, -2.f), Eigen::Vector3f(30.f, 2.f, 2.f));
        box_portal->set_transform(turned(0.9f, Eigen::Vector3f::UnitY()));
        box_portal->set_persistent(false);
        level.add_element(box_portal);

        auto* sphere = new Sphere_portal(Eigen::Vector3f(-30.f, -5.f, -5.f), Eigen::Vector3f(-20.f, 5.f, 5.f));
        sphere->set_destroy_on_entering(true);
        sphere->set_score_factor(30.f);
        sphere->get_end_condition().set_type(1);
        sphere->get_end_condition().set_min_captured_molecules(3);
        level.add_element(sphere);

        heat = new Brownian_box(Eigen::Vector3f(-5.f, -5.f, 5.f), Eigen::Vector3f(5.f, 5.f, 15.f), -20.f);
        heat->set_transform(turned(0.7f, Eigen::Vector3f::UnitX()));
        level.add_element(heat);

        releaser =
            new Molecule_releaser(Eigen::Vector3f(-35.f, -5.f, -5.f), Eigen::Vector3f(-32.f, 5.f, 5.f), 1.f, 1.f);
        releaser->set_molecule_type("H2O");
        releaser->check_release(1.75f, true);
        level.add_element(releaser);

        level._molecules.push_back(create_molecule("H2O", Eigen::Vector3f(1.f, 2.f, 3.f)));
        level._molecules.back().set_orientation(Eigen::Quaternionf(Eigen::AngleAxisf(0.4f, Eigen::Vector3f::UnitX())));
        level._molecules.push_back(create_molecule("Na", Eigen::Vector3f(-4.f, 0.f, 2.f)));
        level._molecules.push_back(create_molecule("Cl", Eigen::Vector3f(6.f, 1.f, -2.f)));

        level.get_parameters()["gravity"]->set_value_no_update(9.81f);
        level.get_parameters()["Available elements/Brownian_box"]->set_value_no_update(2);
        level.apply_parameters();
    }
};

#endif
