// The play screen itself: its settings, keys, answers to Core's signals, the
// head-up display and the picture it draws.
#include "Play_test.h"

#include "foundation/Main_options_window.h"
#include "rendering/Shader_renderer.h"
#include "rendering/World_renderer.h"
#include "screens/help/Tutorial_steps.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Level_file.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_label.h"

#include <QFrame>
#include <QGroupBox>
#include <QImage>

#include <gmock/gmock.h>

#include <cmath>

using ::testing::HasSubstr;

namespace
{

QStringList options_boxes()
{
    QStringList titles;
    for (QGroupBox* box : Main_options_window::instance()->get_options_frame()->findChildren<QGroupBox*>(
             QString(), Qt::FindDirectChildrenOnly))
        titles << box->title();
    return titles;
}

// How much neighbouring pixels differ, summed over the picture: blurring lowers it.
double sharpness(QImage const& image)
{
    double sum = 0.0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 1; x < image.width(); ++x)
            sum += std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x - 1, y)));
    return sum;
}

// A tutorial step that stays queued and counts how often it ran.
struct Waiting_step : Event
{
    explicit Waiting_step(int& runs) : runs(runs) {}
    bool trigger() override
    {
        ++runs;
        return false;
    }
    int& runs;
};

} // namespace

TEST_F(Play_test, starts_with_the_shader_renderer_and_lists_its_settings_in_the_options)
{
    Main_game_screen* screen = push_play_screen();
    EXPECT_TRUE(screen->has_flag(Screen::Covers_below));
    EXPECT_FALSE(screen->has_flag(Screen::Blocks_input));
    EXPECT_EQ(1, screen->get_level_state());

    Parameter_list& parameters = screen->get_parameters();
    Parameter const& object_type = *parameters["Object Type"];
    EXPECT_EQ(13u, object_type._value_list.size());
    EXPECT_EQ("O2", object_type.get_value<std::string>());
    Parameter& renderer_type = *parameters["Renderer/type"];
    EXPECT_EQ("Shader Renderer", renderer_type.get_value<std::string>());
    ASSERT_NE(nullptr, screen->get_renderer());
    EXPECT_TRUE(options_boxes().contains("Main_game_screen"));

    World_renderer const* shader_renderer = screen->get_renderer();
    renderer_type.set_value_no_update(std::string("Editor Renderer"));
    renderer_type._callback();
    EXPECT_NE(nullptr, screen->get_renderer());
    EXPECT_NE(shader_renderer, screen->get_renderer());
    EXPECT_EQ(screen->get_renderer()->get_width(), viewer->camera()->screenWidth());
}

TEST_F(Play_test, a_play_screen_going_leaves_the_options_of_the_one_that_replaced_it)
{
    Main_game_screen* old_screen = push_play_screen();
    Capture_stdout quiet;
    viewer->replace_screens(new Main_game_screen(viewer.get(), core.get(), Game_mode));
    ASSERT_EQ(Screen::Closing, old_screen->get_state());
    driver->step_frames(70); // the old one faded out and destroyed
    ASSERT_EQ(1u, viewer->get_screens().size());
    EXPECT_TRUE(options_boxes().contains("Main_game_screen"));

    viewer->kill_all_screens();
    driver->step_frames(70);
    EXPECT_FALSE(options_boxes().contains("Main_game_screen"));
}

TEST_F(Play_test, escape_pauses_and_resumes_and_ctrl_shift_f_finishes_the_level)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 3");
    driver->step_frames(70);
    ASSERT_EQ(Screen::Shown, screen->get_state());
    ASSERT_TRUE(core->get_simulation_state());

    driver->press_key(Qt::Key_Escape);
    EXPECT_EQ(Screen::Fading_out, screen->get_state());
    EXPECT_FALSE(core->get_simulation_state());
    driver->step_frames(70);
    EXPECT_EQ(Screen::Hidden, screen->get_state());

    driver->press_key(Qt::Key_Escape);
    EXPECT_EQ(Screen::Fading_in, screen->get_state());
    viewer->makeCurrent();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(screen->keyPressEvent(&escape)) << "fading in, Escape is not the screen's";
    driver->step_frames(70);
    EXPECT_EQ(Screen::Shown, screen->get_state());
    EXPECT_TRUE(core->get_simulation_state()) << "showing completes by switching the simulation on";

    int runs = 0;
    screen->add_event(new Waiting_step(runs));
    Capture_stdout out;
    driver->press_key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_THAT(out.text(), HasSubstr("Main_game_screen::keyPressEvent finish forced"));
    EXPECT_EQ(Core::Finished, core->get_game_state());
    EXPECT_EQ(Screen::Fading_out, screen->get_state());
    EXPECT_EQ(0u, screen->queued_event_count());
}

TEST_F(Play_test, a_closing_play_screen_no_longer_answers_the_level)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 3");
    screen->kill();
    size_t const buttons = screen->get_buttons().size();

    Capture_stdout quiet;
    core->set_game_state(Core::Finished);
    core->start_level(); // game state 1 again, and a level change
    EXPECT_EQ(Screen::Closing, screen->get_state()) << "not shown again";
    EXPECT_EQ(buttons, screen->get_buttons().size());
}

TEST_F(Play_test, the_editor_keeps_its_own_controls_when_the_level_changes_while_running)
{
    Main_game_screen* screen = push_play_screen(Editor_mode);
    load_level("Level 3"); // game state 1
    ASSERT_EQ(Core::Running, core->get_game_state());
    EXPECT_TRUE(screen->get_buttons().empty());

    Main_game_screen* test_play = push_play_screen(Editor_play_mode);
    core->reset_level(false);
    EXPECT_FALSE(test_play->get_buttons().empty()) << "a test play has the player's toolbar";
}

TEST_F(Play_test, tutorial_steps_are_queued_by_level_name_in_the_game_only)
{
    int runs = 0;
    Tutorial_steps const tutorial = tutorial_steps()["Level 1"];
    tutorial_steps()["Level 1"] = [&runs](Core*, My_viewer*, Main_game_screen*) {
        return std::vector<Event*>{new Waiting_step(runs), new Waiting_step(runs)};
    };
    Main_game_screen* test_play = push_play_screen(Editor_play_mode);
    Main_game_screen* game = push_play_screen(Game_mode);

    {
        Capture_stdout out;
        core->load_level(core->get_level_names().indexOf("Level 1"));
        core->start_level();
        EXPECT_THAT(out.text(), HasSubstr("Main_game_screen::handle_level_change Level 1, adding tutorial events"));
    }
    EXPECT_EQ(2u, game->queued_event_count());
    EXPECT_EQ(0u, test_play->queued_event_count());
    driver->step_frames(3);
    EXPECT_EQ(3, runs) << "the front step runs once a frame";

    load_level("Level 2");
    EXPECT_EQ(0u, game->queued_event_count()) << "a level change clears the queue";
    tutorial_steps()["Level 1"] = tutorial;

    load_level("Intro 0");
    EXPECT_EQ(QGLViewer::NO_MOUSE_ACTION, viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::LeftButton));
    load_level("Level 2");
    EXPECT_EQ(QGLViewer::ROTATE, viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::LeftButton));
}

TEST_F(Play_test, the_hud_shows_energy_bonus_and_time_in_their_places)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 3");
    std::vector<std::shared_ptr<Draggable>> const& labels = screen->get_shadowed_labels();
    ASSERT_EQ(5u, labels.size());
    auto const& energy_caption = dynamic_cast<Draggable_label&>(*labels[0]);
    auto const& bonus_caption = dynamic_cast<Draggable_label&>(*labels[1]);
    EXPECT_EQ("Energy", energy_caption.get_text());
    EXPECT_EQ("Energy Bonus", bonus_caption.get_text());
    auto const right = [](Draggable_label const& label) { return label.get_position().x() + label.get_size().x() / 2; };
    auto const left = [](Draggable_label const& label) { return label.get_position().x() - label.get_size().x() / 2; };
    auto const top = [](Draggable_label const& label) { return label.get_position().y() + label.get_size().y() / 2; };
    EXPECT_FLOAT_EQ(0.7f, right(energy_caption));
    EXPECT_FLOAT_EQ(0.98f, top(energy_caption));
    EXPECT_FLOAT_EQ(0.98f - 1.5f * bonus_caption.get_size().y(), bonus_caption.get_position().y());

    Draggable_label const& energy = *screen->get_energy_label();
    Draggable_label const& bonus = *screen->get_energy_bonus_label();
    Draggable_label const& time = *screen->get_time_label();
    EXPECT_EQ("0%", energy.get_text());
    EXPECT_FLOAT_EQ(0.71f, left(energy));
    EXPECT_FLOAT_EQ(energy_caption.get_position().y(), energy.get_position().y());
    EXPECT_EQ("500000", bonus.get_text());
    EXPECT_FLOAT_EQ(0.71f, left(bonus));
    EXPECT_EQ("Time:   0s (1.0x)", time.get_text());
    EXPECT_FLOAT_EQ(0.4f, left(time));
    EXPECT_FLOAT_EQ(0.98f, top(time));
    for (auto const& label : labels) EXPECT_NE(0u, dynamic_cast<Draggable_label&>(*label).get_texture());

    driver->step_frames(64 * 2 + 1);
    EXPECT_EQ("Time:   2s (1.0x)", time.get_text());
    EXPECT_FLOAT_EQ(0.4f, left(time)) << "the text grows to the right";
}

TEST_F(Play_test, each_level_brings_its_own_background_into_the_renderer)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Intro 1");
    auto const* renderer = dynamic_cast<Shader_renderer const*>(screen->get_renderer());
    ASSERT_NE(nullptr, renderer);
    QSize const hall = texture_size(renderer->get_background_texture());
    ASSERT_EQ(QSize(1024, 512), hall);

    std::string const iced = data->path("levels/Iced.data");
    {
        Capture_stdout quiet;
        Level_data level;
        load_level_file(data->path("levels/Intro 1.data"), level);
        level._background_name = "ice_texture.png";
        save_level_file(level, iced);
        core->load_level(iced);
        core->start_level();
    }
    driver->step_frame();
    EXPECT_EQ(QSize(512, 512), texture_size(renderer->get_background_texture()));
    EXPECT_EQ(QSize(25, 25), texture_size(renderer->get_blurred_background_texture()));

    load_level("Intro 2");
    EXPECT_EQ(hall, texture_size(renderer->get_background_texture()));
    EXPECT_EQ(QSize(51, 25), texture_size(renderer->get_blurred_background_texture()));
}

TEST_F(Play_test, a_resize_paints_the_hud_for_the_new_size_and_keeps_the_toolbar_square)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 3");
    ASSERT_FALSE(screen->get_buttons().empty());
    for (QSize const& size : {QSize(900, 700), QSize(1600, 600)})
    {
        resize_window(size);
        std::vector<std::shared_ptr<Draggable>> const& labels = screen->get_shadowed_labels();
        ASSERT_EQ(5u, labels.size());
        for (auto const& widget : labels)
        {
            auto const& label = dynamic_cast<Draggable_label&>(*widget);
            EXPECT_LT(texels_off_pixels(label).maxCoeff(), 1.f)
                << label.get_text() << " at " << size.width() << "x" << size.height();
        }
        auto const& caption = dynamic_cast<Draggable_label&>(*labels[0]);
        EXPECT_FLOAT_EQ(0.7f, caption.get_position().x() + caption.get_size().x() / 2.f) << "the captions end in place";
        for (auto const& button : screen->get_buttons())
            EXPECT_NEAR(button->get_size().x() * float(size.width()), button->get_size().y() * float(size.height()),
                        0.5f);
    }
}

TEST_F(Play_test, an_energy_bonus_fall_pops_up_and_a_new_level_starts_from_the_full_score)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 3", false);
    auto* heater = new Brownian_box(Eigen::Vector3f(-40, -20, -20), Eigen::Vector3f(40, 20, 20), 0.f);
    heater->get_properties()["strength"]->set_value_no_update(50.f);
    heater->apply_parameters(heater->get_properties());
    level().add_element(heater);
    Capture_stdout quiet;
    core->start_level();
    driver->step_frame();

    Draggable_label const& bonus = *screen->get_energy_bonus_label();
    size_t const hud_labels = screen->get_shadowed_labels().size();
    driver->step_simulation(2.f);
    driver->step_frame();
    ASSERT_GT(screen->get_shadowed_labels().size(), hud_labels) << "no pop-up while the heater eats the bonus";
    auto const& popup = dynamic_cast<Draggable_label&>(*screen->get_shadowed_labels().back());
    int const shown = std::stoi(bonus.get_text());
    EXPECT_LT(shown, 500000 - 200);
    EXPECT_EQ("-" + std::to_string(500000 - shown), popup.get_text());

    level().delete_element(heater); // no more falls: the pop-up rises, fades and goes
    screen->rebuild_element_handles();
    screen->rebuild_pickables();
    driver->step_frames(100);
    EXPECT_EQ(hud_labels, screen->get_shadowed_labels().size());

    load_level("Level 2");
    EXPECT_EQ("500000", screen->get_energy_bonus_label()->get_text());
    EXPECT_EQ(hud_labels, screen->get_shadowed_labels().size());
}

TEST_F(Play_test, the_picture_is_blurred_while_hidden_and_sharp_once_shown)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 3");
    driver->step_frames(70);
    ASSERT_EQ(Screen::Shown, screen->get_state());
    double const shown = sharpness(viewer->grabFramebuffer());

    screen->hide();
    driver->step_frames(70);
    ASSERT_EQ(Screen::Hidden, screen->get_state());
    double const hidden = sharpness(viewer->grabFramebuffer());
    EXPECT_LT(hidden, 0.7 * shown);

    screen->show();
    driver->step_frames(30);
    double const fading_in = sharpness(viewer->grabFramebuffer());
    EXPECT_GT(fading_in, hidden);
    EXPECT_LT(fading_in, shown);
}

TEST_F(Play_test, the_hidden_picture_follows_the_camera_and_the_clock)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 7");
    screen->hide();
    core->set_simulation_state(false);
    driver->step_frames(70);
    ASSERT_EQ(Screen::Hidden, screen->get_state());
    QImage const still = viewer->grabFramebuffer();
    EXPECT_EQ(still, viewer->grabFramebuffer()) << "nothing moved";

    qglviewer::Camera* camera = viewer->camera();
    camera->setPosition(camera->position() + qglviewer::Vec(20, 0, 0));
    QImage const moved = viewer->grabFramebuffer();
    EXPECT_NE(still, moved);
    EXPECT_EQ(moved, viewer->grabFramebuffer());

    // The releaser's first molecules come into sight.
    core->set_simulation_state(true);
    for (int i = 0; i < 64; ++i) core->update(1.f / 16.f);
    EXPECT_NE(moved, viewer->grabFramebuffer());
}

TEST_F(Play_test, a_fading_picture_keeps_its_scene_until_the_camera_moves)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 3");
    core->set_simulation_state(false);
    driver->step_frames(70);
    screen->hide();
    driver->step_frames(10);
    ASSERT_EQ(Screen::Fading_out, screen->get_state());
    viewer->grabFramebuffer(); // the scene the fade keeps
    // Particles move with every scene drawn: equal pictures are the kept one.
    QImage const fading = viewer->grabFramebuffer();
    EXPECT_EQ(fading, viewer->grabFramebuffer()) << "nothing moved";

    qglviewer::Camera* camera = viewer->camera();
    camera->setPosition(camera->position() + qglviewer::Vec(20, 0, 0));
    QImage const moved = viewer->grabFramebuffer();
    EXPECT_NE(fading, moved);
    EXPECT_EQ(moved, viewer->grabFramebuffer());

    driver->step_frames(5);
    ASSERT_EQ(Screen::Fading_out, screen->get_state());
    QImage const later = viewer->grabFramebuffer();
    EXPECT_NE(moved, later) << "the blur grows as the fade goes on";
    EXPECT_LT(sharpness(later), sharpness(moved));
}
