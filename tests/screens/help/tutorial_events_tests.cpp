#include "screens/help/Tutorial_events.h"
#include "screens/help/Tutorial_steps.h"
#include "simulation/Brownian_box.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Portal.h"

#include "support/Capture_stdout.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <typeinfo>

namespace
{

// The tutorial's world as the events see it, set by hand: a camera that shows
// x across and z up, with y leaning the picture a little, so that every corner
// of a box lands somewhere else.
class Stub_context : public Tutorial_context
{
public:
    float get_time() const override { return time; }
    std::vector<Brownian_element*> const& get_brownian_elements() const override { return brownian; }
    std::vector<Portal*> const& get_portals() const override { return portals; }
    std::vector<Molecule_releaser*> const& get_molecule_releasers() const override { return releasers; }
    Eigen::Vector2f project_to_screen(Eigen::Vector3f const& point) const override { return project(point); }
    float get_screen_aspect() const override { return aspect; }
    void stop_simulation() override { ++stops; }
    void enable_camera_controls() override { camera_enabled = true; }
    void queue_help(Help_request const& request) override { requests.push_back(request); }

    Brownian_box* add_heat(Eigen::Vector3f const& min, Eigen::Vector3f const& max, float strength)
    {
        Capture_stdout quiet;
        auto* heat = new Brownian_box(min, max, strength);
        owned.emplace_back(heat);
        brownian.push_back(heat);
        return heat;
    }
    Portal* add_portal(Eigen::Vector3f const& min, Eigen::Vector3f const& max)
    {
        Capture_stdout quiet;
        auto* portal = new Box_portal(min, max);
        owned.emplace_back(portal);
        portals.push_back(portal);
        return portal;
    }
    Molecule_releaser* add_releaser(Eigen::Vector3f const& min, Eigen::Vector3f const& max)
    {
        Capture_stdout quiet;
        auto* releaser = new Molecule_releaser(min, max, 1.f, 0.5f);
        owned.emplace_back(releaser);
        releasers.push_back(releaser);
        return releaser;
    }

    float time = 0.f;
    float aspect = 16.f / 9.f;
    std::function<Eigen::Vector2f(Eigen::Vector3f const&)> project = [](Eigen::Vector3f const& p) {
        return Eigen::Vector2f(0.5f + p.x() / 100.f - p.y() / 1000.f, 0.5f + p.z() / 50.f + p.y() / 2000.f);
    };
    std::vector<Brownian_element*> brownian;
    std::vector<Portal*> portals;
    std::vector<Molecule_releaser*> releasers;
    std::vector<std::unique_ptr<Level_element>> owned;

    int stops = 0;
    bool camera_enabled = false;
    std::vector<Help_request> requests;
};

void set_strength(Brownian_box& heat, float strength)
{
    heat.get_properties()["strength"]->set_value_no_update(strength);
    heat.apply_parameters(heat.get_properties());
}

class Tutorial_event_test : public ::testing::Test
{
protected:
    template <class Kind> std::unique_ptr<Event> make() { return std::make_unique<Kind>(stub); }

    // Triggers at the given time; true when the event is done.
    bool at(Event& event, float time)
    {
        stub->time = time;
        return event.trigger();
    }

    Help_page const& page(size_t index) const { return stub->requests.back().pages.at(index); }

    std::shared_ptr<Stub_context> stub = std::make_shared<Stub_context>();
};

TEST_F(Tutorial_event_test, timed_events_wait_for_their_moment_and_then_pause_the_game_with_help)
{
    stub->add_heat(Eigen::Vector3f(-10, -20, -10), Eigen::Vector3f(10, 20, 10), 5.f);
    stub->add_portal(Eigen::Vector3f(20, -20, -5), Eigen::Vector3f(35, 20, 5));
    stub->add_releaser(Eigen::Vector3f(-38, -6, -6), Eigen::Vector3f(-30, 6, 6));

    struct Timed
    {
        std::function<std::unique_ptr<Event>()> make;
        float moment;
        size_t pages;
        char const* first_line;
    };
    std::vector<Timed> const events{
        {[this] { return make<Intro_event>(); }, 5.f, 1, "This intro level"},
        {[this] { return make<Molecule_releaser_event>(); }, 10.f, 1, "Molecule Releaser\n"},
        {[this] { return make<Portal_event>(); }, 9.f, 2, "Collector\n"},
        {[this] { return make<Static_existing_heat_element_event>(); }, 13.f, 2, "Temperature element\n"},
        {[this] { return make<Movable_existing_heat_element_event>(); }, 5.f, 1, "Temperature element\n"},
        {[this] { return make<Heat_button_event>(); }, 5.f, 2, "Available Elements\n"},
    };
    for (Timed const& timed : events)
    {
        std::unique_ptr<Event> event = timed.make();
        stub->requests.clear();
        stub->stops = 0;
        EXPECT_FALSE(at(*event, timed.moment - 0.01f)) << timed.first_line;
        EXPECT_TRUE(stub->requests.empty());
        EXPECT_TRUE(at(*event, timed.moment)) << timed.first_line;
        ASSERT_EQ(1u, stub->requests.size());
        EXPECT_EQ(1, stub->stops);
        EXPECT_EQ(Help_request::Resume_game, stub->requests.back().kind);
        EXPECT_EQ(1, stub->requests.back().flags);
        ASSERT_EQ(timed.pages, stub->requests.back().pages.size());
        EXPECT_TRUE(page(0).text.startsWith(timed.first_line)) << page(0).text.toStdString();
    }

    auto intro = make<Intro_event>();
    EXPECT_FALSE(at(*intro, 4.99f));
    EXPECT_TRUE(at(*intro, 5.0f));
}

TEST_F(Tutorial_event_test, the_camera_help_keeps_the_game_running_and_leads_on)
{
    auto done = make<Intro_done_event>();
    EXPECT_FALSE(at(*done, 14.99f));
    EXPECT_FALSE(stub->camera_enabled);
    EXPECT_TRUE(at(*done, 15.f));
    EXPECT_EQ(0, stub->stops);
    EXPECT_TRUE(stub->camera_enabled);
    ASSERT_EQ(1u, stub->requests.size());
    EXPECT_EQ(Help_request::Next_level, stub->requests.back().kind);
    EXPECT_EQ(2, stub->requests.back().flags);
    ASSERT_EQ(2u, stub->requests.back().pages.size());
    EXPECT_EQ("You can now experiment with the camera controls.", page(0).text.toStdString());
    EXPECT_EQ("Left mouse button: Rotate\nRight mouse button: Pan\nMouse wheel: Zoom\nWhen you are done "
              "experimenting, click \"Got it!\" to advance to the next level.",
              page(1).text.toStdString());
    for (Help_page const& each : stub->requests.back().pages)
    {
        EXPECT_FLOAT_EQ(0.55f, each.x);
        EXPECT_FLOAT_EQ(0.4f, each.y);
        EXPECT_FLOAT_EQ(0.4f, each.width);
        EXPECT_FLOAT_EQ(0.3f, each.height);
        EXPECT_FALSE(each.highlight);
    }
}

TEST_F(Tutorial_event_test, the_releaser_help_needs_exactly_one_releaser)
{
    auto none = make<Molecule_releaser_event>();
    EXPECT_FALSE(at(*none, 100.f));

    stub->add_releaser(Eigen::Vector3f(-38, -6, -6), Eigen::Vector3f(-30, 6, 6));
    stub->add_releaser(Eigen::Vector3f(30, -6, -6), Eigen::Vector3f(38, 6, 6));
    auto two = make<Molecule_releaser_event>();
    EXPECT_FALSE(at(*two, 10.f));
    EXPECT_FALSE(at(*two, 1000.f));
    EXPECT_TRUE(stub->requests.empty());
    EXPECT_EQ(0, stub->stops);

    stub->releasers.pop_back();
    ASSERT_TRUE(at(*two, 10.f));
    Screen_rect const rect = screen_rect_of_box(stub->project, stub->releasers.back()->get_bounding_box());
    Eigen::Vector2f const c = rect.centre();
    EXPECT_FLOAT_EQ(c.x() + rect.rx(), page(0).x);
    EXPECT_FLOAT_EQ(c.y() + 0.1f, page(0).y);
    EXPECT_FLOAT_EQ(0.8f - c.x(), page(0).width);
    EXPECT_FLOAT_EQ(0.8f - c.y(), page(0).height);
    EXPECT_TRUE(page(0).highlight);
    EXPECT_FLOAT_EQ(c.x(), page(0).cx);
    EXPECT_FLOAT_EQ(c.y(), page(0).cy);
    EXPECT_FLOAT_EQ(rect.rx(), page(0).rx);
    EXPECT_FLOAT_EQ(rect.ry(), page(0).ry);
}

// A level that failed to load is the default level under the tutorial level's
// name: nothing to point at, so the events wait rather than read past the list.
TEST_F(Tutorial_event_test, events_about_an_element_wait_while_there_is_none)
{
    std::vector<std::unique_ptr<Event>> events;
    events.push_back(make<Portal_event>());
    events.push_back(make<Static_existing_heat_element_event>());
    events.push_back(make<Heat_turned_up_event>());
    events.push_back(make<Movable_existing_heat_element_event>());
    events.push_back(make<Heat_element_placed_event>());
    for (float t : {0.f, 20.f, 40.f})
        for (auto const& event : events) EXPECT_FALSE(at(*event, t)) << typeid(*event).name();
    EXPECT_TRUE(stub->requests.empty());
    EXPECT_EQ(0, stub->stops);

    Brownian_box* heat = stub->add_heat(Eigen::Vector3f(-5, -20, -5), Eigen::Vector3f(5, 20, 5), 50.f);
    stub->add_portal(Eigen::Vector3f(20, -20, -5), Eigen::Vector3f(35, 20, 5));
    EXPECT_TRUE(at(*events[0], 41.f));
    EXPECT_TRUE(at(*events[1], 41.f));
    EXPECT_TRUE(at(*events[3], 41.f));
    EXPECT_TRUE(at(*events[4], 41.f));
    EXPECT_FALSE(at(*events[2], 40.5f)) << "the heat has not been seen hot for a second yet";
    EXPECT_TRUE(at(*events[2], 41.f));
    EXPECT_EQ(50.f, heat->get_strength());
}

TEST_F(Tutorial_event_test, the_heat_must_stay_at_thirty_or_more_for_a_second_and_a_dip_restarts_the_hold)
{
    Brownian_box* heat = stub->add_heat(Eigen::Vector3f(-5, -20, -5), Eigen::Vector3f(5, 20, 5), 5.f);
    auto hot = make<Heat_turned_up_event>();
    EXPECT_FALSE(at(*hot, 20.f));
    set_strength(*heat, 29.9f);
    EXPECT_FALSE(at(*hot, 22.f));

    set_strength(*heat, 30.f);
    EXPECT_FALSE(at(*hot, 22.5f));
    EXPECT_FALSE(at(*hot, 22.99f));
    set_strength(*heat, 20.f);
    EXPECT_FALSE(at(*hot, 23.25f)) << "the dip restarts the hold here";
    set_strength(*heat, 45.f);
    EXPECT_FALSE(at(*hot, 23.5f));
    EXPECT_FALSE(at(*hot, 24.f));
    EXPECT_TRUE(stub->requests.empty());
    EXPECT_TRUE(at(*hot, 24.25f));

    ASSERT_EQ(1u, stub->requests.size());
    EXPECT_EQ(1, stub->stops);
    EXPECT_EQ("Well done! The molecules will now move faster in the hot area and diffuse into the green portal.",
              page(0).text.toStdString());
    EXPECT_FLOAT_EQ(0.3f, page(0).x);
    EXPECT_FLOAT_EQ(0.4f, page(0).width);
    EXPECT_FALSE(page(0).highlight);

    // Already hot when first tried: the hold starts at that first try.
    auto already = make<Heat_turned_up_event>();
    EXPECT_FALSE(at(*already, 3.f));
    EXPECT_FALSE(at(*already, 3.9f));
    EXPECT_TRUE(at(*already, 4.f));
}

TEST_F(Tutorial_event_test, pages_about_an_element_keep_clear_of_it)
{
    // Low on screen: the pages go up top.
    Brownian_box* low = stub->add_heat(Eigen::Vector3f(-10, -20, -15), Eigen::Vector3f(10, 20, -5), 50.f);
    auto movable = make<Movable_existing_heat_element_event>();
    ASSERT_TRUE(at(*movable, 5.f));
    EXPECT_FLOAT_EQ(0.15f, page(0).x);
    EXPECT_FLOAT_EQ(0.9f, page(0).y);
    EXPECT_FLOAT_EQ(0.7f, page(0).width);
    EXPECT_FLOAT_EQ(0.4f, page(0).height);
    EXPECT_TRUE(page(0).text.startsWith("Temperature element\nThe element is already hot."));

    // High: under it.
    low->set_position(Eigen::Vector3f(0, 0, 15));
    auto placed = make<Heat_element_placed_event>();
    ASSERT_TRUE(at(*placed, 0.f));
    EXPECT_FLOAT_EQ(0.4f, page(0).y);
    EXPECT_TRUE(page(0).text.startsWith("Well done. Now as before"));

    auto statics = make<Static_existing_heat_element_event>();
    ASSERT_TRUE(at(*statics, 13.f));
    EXPECT_FLOAT_EQ(0.4f, page(1).y);
    // The second page rings the slider under the box's centre, on its near face.
    Screen_rect const rect = screen_rect_of_box(stub->project, low->get_bounding_box());
    Eigen::Vector2f const slider =
        stub->project(Eigen::Vector3f(0.f, low->get_bounding_box().min().y(), low->get_position().z()));
    EXPECT_FLOAT_EQ(slider.x(), page(1).cx);
    EXPECT_FLOAT_EQ(slider.y() - 0.1f * (rect.y1 - rect.y0), page(1).cy);
    EXPECT_FLOAT_EQ(rect.rx(), page(1).rx);
    EXPECT_FLOAT_EQ(0.1f * std::abs(rect.y1 - rect.y0), page(1).ry);
}

TEST_F(Tutorial_event_test, the_collector_pages_ring_the_portal_and_then_its_gauge)
{
    stub->add_portal(Eigen::Vector3f(-30, -20, -5), Eigen::Vector3f(-20, 20, 5));
    Portal* newest = stub->add_portal(Eigen::Vector3f(20, -20, -5), Eigen::Vector3f(36, 20, 5));
    auto portal = make<Portal_event>();
    ASSERT_TRUE(at(*portal, 9.f));
    Screen_rect const rect = screen_rect_of_box(stub->project, newest->get_bounding_box());
    Eigen::Vector2f const c = rect.centre();
    for (size_t i : {0u, 1u})
    {
        EXPECT_FLOAT_EQ(0.2f - rect.rx(), page(i).x);
        EXPECT_FLOAT_EQ(c.y() + 0.1f, page(i).y);
        EXPECT_FLOAT_EQ(c.x() - 0.2f, page(i).width);
        EXPECT_FLOAT_EQ(0.8f - c.y(), page(i).height);
        EXPECT_TRUE(page(i).highlight);
    }
    EXPECT_FLOAT_EQ(c.x(), page(0).cx);
    EXPECT_FLOAT_EQ(rect.ry(), page(0).ry);
    EXPECT_FLOAT_EQ(c.x(), page(1).cx);
    EXPECT_FLOAT_EQ(rect.y0 - 0.02f, page(1).cy);
    EXPECT_FLOAT_EQ(rect.rx(), page(1).rx);
    EXPECT_FLOAT_EQ(0.05f, page(1).ry);
    EXPECT_TRUE(page(1).text.endsWith("the green progress bar attached to the portal."));
}

// Once the player has turned the camera the formulas may give no room, or
// less than none.
TEST_F(Tutorial_event_test, page_sizes_from_projected_places_never_fall_below_the_minimum)
{
    stub->project = [](Eigen::Vector3f const& p) {
        return Eigen::Vector2f(0.95f + p.x() / 1000.f, 0.9f + p.z() / 1000.f);
    };
    stub->add_releaser(Eigen::Vector3f(-4, -4, -4), Eigen::Vector3f(4, 4, 4));
    auto releaser = make<Molecule_releaser_event>();
    ASSERT_TRUE(at(*releaser, 10.f));
    EXPECT_FLOAT_EQ(minimum_page_extent, page(0).width);
    EXPECT_FLOAT_EQ(minimum_page_extent, page(0).height);

    stub->project = [](Eigen::Vector3f const& p) {
        return Eigen::Vector2f(0.1f + p.x() / 1000.f, 0.75f + p.z() / 1000.f);
    };
    stub->add_portal(Eigen::Vector3f(-4, -4, -4), Eigen::Vector3f(4, 4, 4));
    auto portal = make<Portal_event>();
    ASSERT_TRUE(at(*portal, 9.f));
    EXPECT_FLOAT_EQ(minimum_page_extent, page(0).width);
    EXPECT_FLOAT_EQ(minimum_page_extent, page(1).width);
    EXPECT_FLOAT_EQ(minimum_page_extent, page(1).height);

    EXPECT_FLOAT_EQ(0.35f, page_extent(0.35f));
    EXPECT_FLOAT_EQ(minimum_page_extent, page_extent(std::nanf("")));
}

TEST_F(Tutorial_event_test, the_toolbar_help_rings_its_first_button_round_on_any_window)
{
    stub->aspect = 2.f;
    auto button = make<Heat_button_event>();
    ASSERT_TRUE(at(*button, 5.f));
    EXPECT_FLOAT_EQ(0.05f, page(0).x);
    EXPECT_FLOAT_EQ(0.87f, page(0).y);
    EXPECT_FLOAT_EQ(0.1f, page(0).cx);
    EXPECT_FLOAT_EQ(0.08f, page(0).rx);
    EXPECT_FLOAT_EQ(0.056f, page(0).ry);
    EXPECT_FLOAT_EQ(0.05f, page(1).cx);
    EXPECT_FLOAT_EQ(0.95f, page(1).cy);
    EXPECT_FLOAT_EQ(0.028f, page(1).rx);
    EXPECT_FLOAT_EQ(0.056f, page(1).ry);
    EXPECT_TRUE(page(1).text.startsWith("Temperature Element\nThis one is the temperature element from the intro."));
}

TEST(Tutorial_events, each_tutorial_level_queues_its_events_in_order)
{
    auto context = std::make_shared<Stub_context>();
    auto const kinds = [&context](std::string const& level) {
        std::vector<std::string> names;
        for (Event* event : tutorial_events(level, context))
        {
            names.push_back(typeid(*event).name());
            delete event;
        }
        return names;
    };
    auto const name = [](Event const& event) { return std::string(typeid(event).name()); };
    EXPECT_EQ(kinds("Intro 0"),
              (std::vector<std::string>{name(Intro_event(context)), name(Molecule_releaser_event(context)),
                                        name(Intro_done_event(context))}));
    EXPECT_EQ(kinds("Intro 1"),
              (std::vector<std::string>{name(Portal_event(context)), name(Static_existing_heat_element_event(context)),
                                        name(Heat_turned_up_event(context))}));
    EXPECT_EQ(kinds("Intro 2"), (std::vector<std::string>{name(Movable_existing_heat_element_event(context))}));
    EXPECT_EQ(kinds("Level 1"),
              (std::vector<std::string>{name(Heat_button_event(context)), name(Heat_element_placed_event(context))}));
    EXPECT_TRUE(kinds("Level 2").empty());
    EXPECT_TRUE(kinds("intro 0").empty());
}

// The play screen takes a level for a tutorial when it has steps: each such
// level must have events to queue, or its tutorial would silently be empty.
TEST(Tutorial_events, every_level_with_tutorial_steps_has_events)
{
    auto context = std::make_shared<Stub_context>();
    ASSERT_FALSE(tutorial_steps().empty());
    for (auto const& [level, steps] : tutorial_steps())
    {
        EXPECT_TRUE(steps) << level;
        std::vector<Event*> const events = tutorial_events(level, context);
        EXPECT_FALSE(events.empty()) << level;
        for (Event* event : events) delete event;
    }
}

} // namespace
