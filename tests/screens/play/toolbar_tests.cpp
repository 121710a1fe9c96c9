// The toolbar, placing elements and their handles, played through the window.
#include "Play_test.h"

#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"

#include "support/Vector_expect.h"

#include <QApplication>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QMouseEvent>

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{

class Toolbar_test : public Play_test
{
protected:
    // "Level 3" with the given counts, started, on a shown play screen; what the
    // start printed.
    std::string start_with(std::map<std::string, int> const& counts, int mode = Game_mode)
    {
        screen = push_play_screen(mode);
        load_level("Level 3", false);
        level().set_available_elements(counts);
        Capture_stdout out;
        core->start_level();
        driver->step_frames(2);
        return out.text();
    }

    int available(std::string const& kind) { return level()._available_elements[kind]; }

    // Where a left click in the field places an element at x and z.
    QPoint field_pixel(float x, float z) { return driver->pixel_of(Eigen::Vector3f(x, -20.f, z)); }

    template <class Kind> std::vector<Kind*> elements()
    {
        std::vector<Kind*> found;
        for (auto const& element : level()._level_elements)
            if (auto* kind = dynamic_cast<Kind*>(element.get())) found.push_back(kind);
        return found;
    }

    // The screen's answer to a release, sent to it alone.
    bool screen_takes_release(QPoint const& pixel, Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent event(QEvent::MouseButtonRelease, pixel, button, Qt::NoButton, Qt::NoModifier);
        viewer->makeCurrent();
        return screen->mouseReleaseEvent(&event);
    }

    Main_game_screen* screen = nullptr;
};

} // namespace

TEST_F(Toolbar_test, offers_the_levels_elements_then_the_camera_and_speed_buttons)
{
    std::string const report = "no button for the element kind: Teleporter";
    EXPECT_THAT(start_with({{"Tractor_barrier", 2}, {"Brownian_box", 1}, {"Box_barrier", 0}, {"Teleporter", 1}}),
                HasSubstr(report));
    std::string text;
    {
        Capture_stdout out;
        core->reset_level(false); // a rebuild of the toolbar, with a second to follow
        core->reset_level(false);
        text = out.text();
    }
    driver->step_frame();

    std::vector<std::shared_ptr<Draggable_button>> const& buttons = screen->get_buttons();
    ASSERT_EQ(4u, buttons.size());
    expect_near(Eigen::Vector3f(0.05f, 0.95f, 0.f), buttons[0]->get_position());
    expect_near(Eigen::Vector3f(0.11f, 0.95f, 0.f), buttons[1]->get_position());
    expect_near(Eigen::Vector3f(0.95f, 0.95f, 0.f), buttons[2]->get_position());
    EXPECT_EQ("Reset the camera", buttons[2]->get_tooltip());
    expect_near(Eigen::Vector3f(0.89f, 0.95f, 0.f), buttons[3]->get_position());
    EXPECT_EQ("Change game speed", buttons[3]->get_tooltip());
    float const aspect = 1280.f / 720.f;
    for (auto const& button : buttons)
    {
        EXPECT_NE(0u, button->get_texture());
        EXPECT_FLOAT_EQ(0.04f * aspect, button->get_size().y());
    }

    EXPECT_THAT(text, Not(HasSubstr(report))) << "reported once";
}

TEST_F(Toolbar_test, placing_takes_one_of_the_kind_and_an_exhausted_button_goes)
{
    start_with({{"Tractor_barrier", 2}, {"Brownian_box", 1}});
    Parameter const& shown = *level().get_parameters()["Available elements/Tractor_barrier"];

    driver->click(centre_of(*screen->get_buttons()[1]));
    EXPECT_EQ(Main_game_screen::Placing, screen->get_drag_state());
    EXPECT_EQ("Tractor_barrier", screen->get_element_to_place());
    ASSERT_NE(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(Qt::CrossCursor, QApplication::overrideCursor()->shape());

    driver->click(field_pixel(10.f, 5.f));
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(Main_game_screen::Idle, screen->get_drag_state());
    ASSERT_EQ(1u, elements<Tractor_barrier>().size());
    Tractor_barrier const& placed = *elements<Tractor_barrier>().front();
    expect_near(Eigen::Vector3f(10.f, 0.f, 5.f), placed.get_position(), 0.5f);
    expect_near(Eigen::Vector3f(20.f, 40.f, 20.f), placed.get_extent(), 1e-4f);
    EXPECT_EQ(15, placed.get_user_editable());
    EXPECT_EQ(1, available("Tractor_barrier"));
    EXPECT_EQ(1, shown.get_value<int>());
    EXPECT_EQ(4u, screen->get_buttons().size());
    EXPECT_NE(nullptr, screen->get_handle_box(&placed));

    driver->click(centre_of(*screen->get_buttons()[1]));
    driver->click(field_pixel(-10.f, -5.f));
    EXPECT_EQ(0, available("Tractor_barrier"));
    EXPECT_EQ(2u, elements<Tractor_barrier>().size());
    ASSERT_EQ(3u, screen->get_buttons().size()) << "the tractor button went";
    expect_near(Eigen::Vector3f(0.05f, 0.95f, 0.f), screen->get_buttons()[0]->get_position());
    EXPECT_EQ("Reset the camera", screen->get_buttons()[1]->get_tooltip());

    // "Restart Level" takes the placements away and gives the counts back.
    Capture_stdout quiet;
    core->reset_level(false);
    driver->step_frame();
    EXPECT_TRUE(elements<Tractor_barrier>().empty());
    EXPECT_EQ(2, available("Tractor_barrier"));
    EXPECT_EQ(4u, screen->get_buttons().size());
}

TEST_F(Toolbar_test, a_right_release_cancels_placing)
{
    start_with({{"Tractor_barrier", 1}});
    driver->click(centre_of(*screen->get_buttons()[0]));
    ASSERT_EQ(Main_game_screen::Placing, screen->get_drag_state());

    driver->click(field_pixel(0.f, 0.f), Qt::RightButton);
    EXPECT_EQ(Main_game_screen::Idle, screen->get_drag_state());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_TRUE(elements<Tractor_barrier>().empty());
    EXPECT_EQ(1, available("Tractor_barrier"));
}

TEST_F(Toolbar_test, the_speed_button_toggles_the_physics_speed_and_the_camera_button_flies_home)
{
    start_with({});
    Parameter const& speed = *core->get_parameters()["physics_speed"];
    ASSERT_EQ(2u, screen->get_buttons().size());
    Draggable_button const& camera_button = *screen->get_buttons()[0];
    Draggable_button const& speed_button = *screen->get_buttons()[1];

    driver->click(centre_of(speed_button));
    EXPECT_FLOAT_EQ(2.f, speed.get_value<float>());
    driver->click(centre_of(speed_button));
    EXPECT_FLOAT_EQ(1.f, speed.get_value<float>());

    qglviewer::Vec const home = viewer->camera()->position();
    viewer->camera()->setPosition(qglviewer::Vec(50, -120, 40));
    driver->click(centre_of(camera_button));
    driver->step_frame();
    EXPECT_LT((viewer->camera()->position() - home).norm(), 1e-3);
}

TEST_F(Toolbar_test, only_box_like_elements_get_handles_and_a_running_level_offers_only_the_allowed_ones)
{
    screen = push_play_screen(Game_mode);
    load_level("Level 3", false);
    auto* wall = new Box_barrier(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5), 10000.f, 2.f);
    wall->set_user_editable(Level_element::Translate);
    level().add_element(wall);
    screen->rebuild_element_handles();
    screen->rebuild_pickables();

    Draggable_box* box = screen->get_handle_box(wall);
    ASSERT_NE(nullptr, box);
    for (auto const& border : level()._game_field_borders) EXPECT_EQ(nullptr, screen->get_handle_box(border.second));

    auto const picks_from = [&](Draggable_box& handles) {
        std::vector<Draggable*> const& pickables = screen->get_pickables();
        return int(std::count_if(pickables.begin(), pickables.end(),
                                 [&](Draggable* pickable) { return pickable->get_root() == &handles; }));
    };
    int const every_handle_but_the_disc = int(box->get_draggables(15).size());
    EXPECT_EQ(every_handle_but_the_disc, picks_from(*box));

    Capture_stdout quiet;
    core->start_level(); // game state 1: only its translation handle
    driver->step_frame();
    box = screen->get_handle_box(wall);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(1, picks_from(*box));
}

TEST_F(Toolbar_test, in_the_editor_every_handle_can_be_picked_before_the_level_runs)
{
    screen = push_play_screen(Editor_mode);
    load_level("Level 3", false);
    Portal* portal = level()._portals.front();
    Draggable_box* box = screen->get_handle_box(portal);
    ASSERT_NE(nullptr, box);
    std::vector<Draggable*> const& pickables = screen->get_pickables();
    EXPECT_EQ(box->get_draggables(31).size(),
              size_t(std::count_if(pickables.begin(), pickables.end(),
                                   [box](Draggable* pickable) { return pickable->get_root() == box; })));
    EXPECT_TRUE(screen->get_buttons().empty()) << "the editor has its own controls";
}

TEST_F(Toolbar_test, dragging_a_handle_moves_its_element_in_x_and_z_only)
{
    start_with({{"Tractor_barrier", 1}});
    driver->click(centre_of(*screen->get_buttons()[0]));
    driver->click(field_pixel(0.f, 0.f));
    Tractor_barrier& tractor = *elements<Tractor_barrier>().front();
    Eigen::Vector3f const start = tractor.get_position();

    Draggable_box* box = screen->get_handle_box(&tractor);
    ASSERT_NE(nullptr, box);
    Eigen::Vector3f const handle = box->get_translation_handles().front().get_world_position();
    driver->drag(handle, handle + Eigen::Vector3f(12.f, 0.f, -6.f));

    Eigen::Vector3f const moved = tractor.get_position() - start;
    EXPECT_NEAR(12.f, moved.x(), 0.5f);
    EXPECT_NEAR(-6.f, moved.z(), 0.5f);
    EXPECT_FLOAT_EQ(start.y(), tractor.get_position().y());
    expect_near(Eigen::Vector3f(20.f, 40.f, 20.f), tractor.get_extent(), 1e-3f);
    EXPECT_EQ(Main_game_screen::Idle, screen->get_drag_state());
}

TEST_F(Toolbar_test, a_click_selects_another_moves_the_selection_and_empty_space_deselects)
{
    start_with({{"Tractor_barrier", 2}});
    for (float x : {-20.f, 20.f})
    {
        driver->click(centre_of(*screen->get_buttons()[0]));
        driver->click(field_pixel(x, 0.f));
    }
    std::vector<Tractor_barrier*> const tractors = elements<Tractor_barrier>();
    ASSERT_EQ(2u, tractors.size());
    auto const click_handle_of = [&](Tractor_barrier* tractor) {
        Draggable_box* box = screen->get_handle_box(tractor);
        driver->click(driver->pixel_of(box->get_translation_handles().front().get_world_position()));
    };

    click_handle_of(tractors[0]);
    EXPECT_EQ(tractors[0], screen->get_selected_element());
    EXPECT_TRUE(tractors[0]->is_selected());

    click_handle_of(tractors[1]);
    EXPECT_EQ(tractors[1], screen->get_selected_element());
    EXPECT_TRUE(tractors[1]->is_selected());
    EXPECT_FALSE(tractors[0]->is_selected()) << "only one element is selected at a time";

    QPoint const empty = driver->pixel_of(Eigen::Vector2f(0.5f, 0.1f));
    driver->move(empty);
    driver->press(empty);
    EXPECT_FALSE(screen_takes_release(empty)) << "empty space goes on to the camera";
    EXPECT_EQ(nullptr, screen->get_selected_element());
    EXPECT_FALSE(tractors[1]->is_selected());
}

TEST_F(Toolbar_test, a_level_change_during_a_press_forgets_the_press_and_the_selection)
{
    start_with({{"Tractor_barrier", 1}});
    driver->click(centre_of(*screen->get_buttons()[0]));
    driver->click(field_pixel(0.f, 0.f));
    Tractor_barrier* tractor = elements<Tractor_barrier>().front();
    QPoint const handle =
        driver->pixel_of(screen->get_handle_box(tractor)->get_translation_handles().front().get_world_position());
    driver->click(handle);
    ASSERT_EQ(tractor, screen->get_selected_element());

    driver->press(handle);
    ASSERT_EQ(Main_game_screen::Pressed, screen->get_drag_state());
    Capture_stdout quiet;
    core->reset_level(false); // the tractor is pruned under the held button
    EXPECT_EQ(Main_game_screen::Idle, screen->get_drag_state());
    EXPECT_EQ(nullptr, screen->get_selected_element());

    driver->move(handle + QPoint(20, 0), Qt::LeftButton);
    driver->release(handle + QPoint(20, 0));
    EXPECT_EQ(nullptr, screen->get_selected_element());
    EXPECT_TRUE(elements<Tractor_barrier>().empty());
}

TEST_F(Toolbar_test, rays_along_the_drag_plane_or_away_from_the_field_leave_everything_in_place)
{
    start_with({{"Tractor_barrier", 2}});
    driver->click(centre_of(*screen->get_buttons()[0]));
    driver->click(field_pixel(0.f, 0.f));
    Tractor_barrier& tractor = *elements<Tractor_barrier>().front();
    Eigen::Vector3f const start = tractor.get_position();
    Eigen::Vector3f const handle =
        screen->get_handle_box(&tractor)->get_translation_handles().front().get_world_position();

    QPoint const from = driver->pixel_of(handle);
    driver->move(from);
    driver->press(from);
    driver->move(from + QPoint(2, 0), Qt::LeftButton);
    ASSERT_EQ(Main_game_screen::Dragging, screen->get_drag_state());

    // The camera turned to look along the plane the handle is dragged in.
    qglviewer::Camera* camera = viewer->camera();
    camera->setPosition(qglviewer::Vec(-150, handle.y(), 0));
    camera->lookAt(qglviewer::Vec(0, handle.y(), 0));
    driver->move(QPoint(camera->screenWidth() / 2, camera->screenHeight() / 2), Qt::LeftButton);
    driver->release(QPoint(camera->screenWidth() / 2, camera->screenHeight() / 2));
    EXPECT_TRUE(tractor.get_position().allFinite());
    expect_near(start, tractor.get_position(), 1.f);

    // Placing from inside the field, facing away from its front: nothing to hit.
    camera->setPosition(qglviewer::Vec(0, 0, 0));
    camera->lookAt(qglviewer::Vec(0, 100, 0));
    driver->click(centre_of(*screen->get_buttons()[0]));
    driver->click(QPoint(camera->screenWidth() / 2, camera->screenHeight() / 2));
    EXPECT_EQ(1u, elements<Tractor_barrier>().size());
    EXPECT_EQ(1, available("Tractor_barrier"));

    // A click far beside the field places at its edge.
    Capture_stdout quiet;
    core->reset_level(false); // and the camera flies back in front
    driver->step_frame();
    driver->click(centre_of(*screen->get_buttons()[0]));
    driver->click(field_pixel(500.f, 0.f));
    ASSERT_EQ(1u, elements<Tractor_barrier>().size());
    EXPECT_NEAR(40.f, elements<Tractor_barrier>().front()->get_position().x(), 1e-3f);
}
