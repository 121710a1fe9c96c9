#include "screens/results/Statistics_replay.h"
#include "simulation/Score.h"
#include "widgets/Draggable_statistics.h"

#include "support/Vector_expect.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

Eigen::Vector3f const plot_position(0.75f, 0.775f, 0.f);
Eigen::Vector2f const plot_size(0.45f, 0.35f);

// A run sampled every 0.2 s with the given captured counts and no energy used.
Score run_of(std::vector<float> const& captured)
{
    Score score;
    for (float count : captured)
    {
        for (int series = 0; series < 4; ++series)
            score.sensor_data._data[size_t(series)].push_back(series == 0 ? count : 0.f);
        score.sensor_data.record_score();
    }
    score.calculate(60.f, 3);
    return score;
}

Polyline curve_of(Score const& score)
{
    Draggable_statistics plot(plot_position, plot_size, "Collected Molecules");
    plot.init_particles(plot_series(score.sensor_data)[0]);
    return plot.get_particles().get_curve();
}

TEST(Statistics_replay, the_plots_are_always_four_whatever_a_stored_run_holds)
{
    Sensor_data short_data;
    short_data._data = {{1.f, 2.f}, {3.f}};
    std::vector<std::vector<float>> const padded = plot_series(short_data);
    ASSERT_EQ(padded.size(), 4u);
    EXPECT_EQ(padded[0], (std::vector<float>{1.f, 2.f}));
    EXPECT_EQ(padded[1], std::vector<float>{3.f});
    EXPECT_TRUE(padded[2].empty());
    EXPECT_TRUE(padded[3].empty());

    Sensor_data long_data;
    long_data._data.resize(6, {5.f});
    EXPECT_EQ(plot_series(long_data).size(), 4u);
    long_data._data.clear();
    EXPECT_EQ(plot_series(long_data).size(), 4u);

    std::vector<std::string> titles;
    for (Plot_item const& plot : statistics_plots()) titles.push_back(plot.title + " " + std::to_string(plot.series));
    EXPECT_EQ(titles, (std::vector<std::string>{"Released Molecules 1", "Collected Molecules 0", "Avg. Temperature 2",
                                                "Energy Consumption 3"}));
}

TEST(Statistics_replay, each_popup_comes_when_the_drawing_of_the_curve_reaches_its_capture_and_sits_on_it)
{
    Score const score = run_of({0, 0, 1, 1, 1, 1, 2, 2, 3, 3});
    ASSERT_EQ(score.score_at_time.size(), 3u);
    Polyline const curve = curve_of(score);
    std::vector<Capture_popup> const popups = capture_popups(score, curve, plot_position, plot_size, 10.f);
    ASSERT_EQ(popups.size(), 3u);

    float previous_time = -1.f;
    for (size_t i = 0; i < popups.size(); ++i)
    {
        Capture_popup const& popup = popups[i];
        EXPECT_EQ(popup.points, score.score_at_time[i].second);
        EXPECT_GT(popup.time, previous_time);
        previous_time = popup.time;

        // Where the drawing (along the arc length, over 10 s) is at that time...
        Eigen::Vector3f const drawn = curve.point_at(popup.time / 10.f);
        float const x = score.score_at_time[i].first / score.full_time;
        EXPECT_NEAR(drawn.x(), x, 1e-4f);
        // ...is the pop-up, in the plot's inner area.
        expect_near(plot_area_point(plot_position, plot_size, drawn.head<2>()), popup.position, 1e-4f);
    }
    // The inner area leaves the plot's frame around it.
    expect_near(Eigen::Vector3f(0.75f - 0.225f + 0.045f, 0.775f - 0.175f + 0.0525f, 0.f),
                plot_area_point(plot_position, plot_size, Eigen::Vector2f(0.f, 0.f)));
    expect_near(Eigen::Vector3f(0.75f + 0.225f - 0.045f, 0.775f + 0.175f - 0.0875f, 0.f),
                plot_area_point(plot_position, plot_size, Eigen::Vector2f(1.f, 1.f)));
}

TEST(Statistics_replay, a_run_too_short_for_a_curve_pops_up_at_once_without_dividing_by_nothing)
{
    Score const one_sample = run_of({3});
    ASSERT_EQ(one_sample.score_at_time.size(), 1u);
    std::vector<Capture_popup> const popups =
        capture_popups(one_sample, curve_of(one_sample), plot_position, plot_size, 10.f);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].time, 0.f);
    EXPECT_TRUE(popups[0].position.allFinite());

    // A damaged run: captures recorded but no series to draw, and no length of time.
    Score damaged = one_sample;
    damaged.sensor_data._data.clear();
    damaged.full_time = 0.f;
    std::vector<Capture_popup> const without_curve =
        capture_popups(damaged, Polyline(), plot_position, plot_size, 10.f);
    ASSERT_EQ(without_curve.size(), 1u);
    EXPECT_EQ(without_curve[0].time, 0.f);
    EXPECT_TRUE(without_curve[0].position.allFinite());
}

TEST(Statistics_replay, the_capture_score_counts_the_popups_that_have_come_and_ends_on_the_runs_score)
{
    // Captures at 0.2, 0.6 and the last one as the run ends, where the curve
    // rises late: the drawing reaches that capture well after 90% of the replay.
    Score const score = run_of({0, 1, 1, 2, 2, 2, 2, 2, 2, 3});
    std::vector<Capture_popup> const popups = capture_popups(score, curve_of(score), plot_position, plot_size, 10.f);
    ASSERT_EQ(popups.size(), 3u);
    int const points = score.score_at_time[0].second;
    EXPECT_EQ(capture_score_shown(popups, 0.f), 0);
    EXPECT_EQ(capture_score_shown(popups, popups[0].time), points);
    EXPECT_EQ(capture_score_shown(popups, popups[1].time - 0.01f), points);
    EXPECT_EQ(capture_score_shown(popups, popups[2].time + 0.1f), score.final_score);
    EXPECT_EQ(capture_score_shown(popups, 10.f), score.final_score);
    EXPECT_EQ(capture_score_shown({}, 5.f), 0);

    EXPECT_FLOAT_EQ(replay_run_time(5.f, 10.f, 1.2f), 0.6f);
    EXPECT_FLOAT_EQ(replay_run_time(20.f, 10.f, 1.2f), 2.4f);
}

TEST(Statistics_replay, the_energy_bonus_follows_the_running_score_and_a_stored_run_shows_its_bonus)
{
    Score live;
    live.sensor_data._data[Sensor_data::Energy_consumption] = {1.f, 1.1001f, 1.1001f};
    for (int i = 0; i < 3; ++i) live.sensor_data.score.push_back(500000 - 100 * i); // 500000, 500000, 499900, 499800
    live.full_time = 0.6f;
    live._energy_bonus = 499800;
    EXPECT_EQ(energy_bonus_at(live, 0.f), 500000);
    EXPECT_EQ(energy_bonus_at(live, 0.45f), 499900);
    EXPECT_EQ(energy_bonus_at(live, 0.6f), 499800);
    EXPECT_EQ(energy_bonus_at(live, 100.f), 499800);

    // Loaded from the progress file: only the starting score is there.
    Score stored;
    stored.full_time = 10.f;
    stored._energy_bonus = 431200;
    EXPECT_EQ(energy_bonus_at(stored, 0.1f), 500000);
    EXPECT_EQ(energy_bonus_at(stored, 0.2f), 431200);
    EXPECT_EQ(energy_bonus_at(stored, 10.f), 431200);
}

} // namespace
