// Level changes that delete an element while a screen holds it: selected,
// pressed, dragged, hovered or with its menu open. The screens must let go of
// it without reading it; under the sanitizers a pointer kept across the change
// is a read of freed memory.
#include "Editor_test.h"

#include "screens/Screen_flow.h"
#include "simulation/Box_barrier.h"
#include "simulation/Core.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"

#include <QMenu>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{

enum class Hold
{
    Selected,
    Pressed,
    Dragged,
    Hovered,
    Menu_open
};

char const* name_of(Hold hold)
{
    switch (hold)
    {
    case Hold::Selected:
        return "selected";
    case Hold::Pressed:
        return "pressed";
    case Hold::Dragged:
        return "dragged";
    case Hold::Hovered:
        return "hovered";
    case Hold::Menu_open:
        return "with its menu open";
    }
    return "";
}

class Element_lifetime_test : public Editor_test
{
protected:
    // Where a press picks the element's move handle.
    QPoint handle_pixel(Main_game_screen& screen, Level_element const& element) const
    {
        Draggable_box* box = screen.get_handle_box(&element);
        EXPECT_NE(nullptr, box);
        return box ? driver->pixel_of(box->get_translation_handles().at(0).get_world_position()) : QPoint();
    }

    // The player takes hold of the element and leaves the mouse as it is; a
    // held menu runs `change` while it is open.
    void take_hold(Main_game_screen& screen, Level_element const& element, Hold hold,
                   std::function<void()> const& change)
    {
        QPoint const at = handle_pixel(screen, element);
        Capture_stdout quiet;
        switch (hold)
        {
        case Hold::Selected:
            driver->click(at);
            ASSERT_EQ(&element, screen.get_selected_element());
            break;
        case Hold::Pressed:
            driver->press(at);
            ASSERT_EQ(Main_game_screen::Pressed, screen.get_drag_state());
            break;
        case Hold::Dragged:
            driver->press(at);
            driver->move(at + QPoint(6, 3), Qt::LeftButton);
            driver->move(at + QPoint(12, 6), Qt::LeftButton);
            ASSERT_EQ(Main_game_screen::Dragging, screen.get_drag_state());
            break;
        case Hold::Hovered:
            driver->paint();
            driver->move(at);
            break;
        case Hold::Menu_open:
            dialogs.menus.push_back([change](QMenu&) {
                change();
                return nullptr;
            });
            driver->click(at, Qt::RightButton);
            break;
        }
    }

    // Nothing of the element is held any more.
    static void expect_let_go(Main_game_screen const& screen)
    {
        EXPECT_EQ(nullptr, screen.get_selected_element());
        EXPECT_EQ(Main_game_screen::Idle, screen.get_drag_state());
    }

    // The player carries on where the mouse was: a frame, moves with and
    // without the button, a release, a click, and picking again.
    void carry_on(Main_game_screen& screen, QPoint const& at)
    {
        Capture_stdout quiet;
        driver->step_frames(2);
        driver->paint();
        driver->move(at + QPoint(3, 3), Qt::LeftButton);
        driver->release(at);
        driver->move(at);
        driver->click(at);
        driver->click(at, Qt::RightButton);
        driver->step_frames(2);
        for (Draggable* pickable : screen.get_pickables())
            EXPECT_FALSE(screen.is_orphaned_handle(pickable->get_root()));
    }

    // Every way of holding the element, each with a new one made by `place`,
    // through the level change `change`.
    void hold_through(std::vector<Hold> const& holds, std::function<Main_game_screen*()> const& screen_of,
                      std::function<Level_element*()> const& place, std::function<void()> const& change)
    {
        for (Hold hold : holds)
        {
            SCOPED_TRACE(name_of(hold));
            Main_game_screen* screen = screen_of();
            Level_element* element = place();
            ASSERT_NE(nullptr, element);
            QPoint const at = handle_pixel(*screen, *element);
            take_hold(*screen, *element, hold, change);
            if (hold != Hold::Menu_open)
            {
                Capture_stdout quiet;
                change();
            }
            screen = screen_of();
            ASSERT_NE(nullptr, screen);
            expect_let_go(*screen);
            carry_on(*screen, at);
        }
    }

    template <class Kind> Kind* only()
    {
        std::vector<Kind*> const found = elements<Kind>();
        return found.size() == 1 ? found.front() : nullptr;
    }

    // Places one tractor from the toolbar of the screen.
    Tractor_barrier* place_tractor(Main_game_screen& screen)
    {
        Capture_stdout quiet;
        Draggable_button const* tractor_button = nullptr;
        for (auto const& button : screen.get_buttons())
            if (button->get_tooltip().empty()) tractor_button = button.get();
        if (!tractor_button) return nullptr;
        driver->click(centre_of(*tractor_button));
        driver->click(floor_pixel(0.f, 0.f));
        return only<Tractor_barrier>();
    }
};

} // namespace

TEST_F(Element_lifetime_test, a_restart_and_play_again_let_go_of_a_placed_element_the_player_holds)
{
    Main_game_screen* screen = push_play_screen(Game_mode);
    load_level("Level 3", false);
    level().set_available_elements({{"Tractor_barrier", 1}});
    {
        Capture_stdout quiet;
        core->start_level();
    }
    driver->step_frames(2);
    std::vector<Hold> const holds{Hold::Selected, Hold::Pressed, Hold::Dragged};
    auto const the_screen = [screen] { return screen; };
    auto const place = [this, screen] { return place_tractor(*screen); };

    hold_through(holds, the_screen, place, [this] { core->reset_level(false); });
    hold_through(holds, the_screen, place, [this] {
        core->reset_level(false);
        core->start_level();
    });
    EXPECT_TRUE(elements<Tractor_barrier>().empty());
}

TEST_F(Element_lifetime_test, the_return_to_the_editor_lets_go_of_an_element_placed_in_the_test_play)
{
    open_sandbox();
    editor->add_element(Eigen::Vector3f(30.f, 0.f, 10.f), "Sphere_portal", false, 1);
    level().set_available_elements({{"Tractor_barrier", 1}});

    for (Hold hold : {Hold::Selected, Hold::Pressed, Hold::Dragged})
    {
        SCOPED_TRACE(name_of(hold));
        {
            Capture_stdout quiet;
            driver->press_key(Qt::Key_Escape);
            driver->step_frames(70);
            click_menu_button("Play Level");
            driver->step_frames(70);
        }
        auto* test_play = top<Main_game_screen>();
        ASSERT_NE(nullptr, test_play);
        ASSERT_EQ(Editor_play_mode, test_play->get_mode());
        Tractor_barrier* tractor = place_tractor(*test_play);
        ASSERT_NE(nullptr, tractor);
        QPoint const at = handle_pixel(*test_play, *tractor);
        take_hold(*test_play, *tractor, hold, [] {});
        {
            Capture_stdout quiet;
            return_to_editor(viewer.get(), core.get());
        }
        EXPECT_TRUE(elements<Tractor_barrier>().empty());
        expect_let_go(*test_play);
        carry_on(*test_play, at); // the test play is still fading out
        editor = top<Editor_screen>();
        ASSERT_NE(nullptr, editor);
        {
            Capture_stdout quiet;
            driver->step_frames(70);
        }
        ASSERT_EQ(1u, viewer->get_screens().size());
    }
}

TEST_F(Element_lifetime_test, the_editor_lets_go_of_an_element_at_a_level_load_and_a_clear)
{
    open_sandbox();
    std::string const level_file = data->path("levels/Level 3.data");
    auto const the_editor = [this] { return static_cast<Main_game_screen*>(editor); };
    auto const place = [this] {
        Capture_stdout quiet;
        std::vector<Box_barrier*> const before = elements<Box_barrier>();
        editor->add_element(Eigen::Vector3f(0.f, 0.f, 0.f), "Box_barrier", false, 1);
        for (Box_barrier* barrier : elements<Box_barrier>())
            if (std::find(before.begin(), before.end(), barrier) == before.end()) return barrier;
        return static_cast<Box_barrier*>(nullptr);
    };
    std::vector<Hold> const holds{Hold::Selected, Hold::Pressed, Hold::Hovered, Hold::Menu_open};

    hold_through(holds, the_editor, place, [this, level_file] { core->load_level(level_file); });
    hold_through(holds, the_editor, place, [this] {
        dialogs.answers.push_back(true);
        editor->confirm_clear_level();
    });
    EXPECT_TRUE(elements<Box_barrier>().empty()) << "the clear took the last one";
}
