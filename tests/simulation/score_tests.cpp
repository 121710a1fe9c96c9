#include "simulation/Progress.h"

#include "support/Capture_stdout.h"
#include "support/Text_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using ::testing::HasSubstr;

namespace
{

Sensor_data with_energy(std::vector<float> const& energy)
{
    Sensor_data data;
    for (float value : energy)
    {
        data._data[Sensor_data::Energy_consumption].push_back(value);
        data.record_score();
    }
    return data;
}

} // namespace

TEST(Sensor_data, energy_beyond_the_allowance_lowers_the_running_score_down_to_zero)
{
    EXPECT_EQ((std::vector<int>{500000, 500000, 500000}), with_energy({0.5f, 1.0001f}).score);
    EXPECT_EQ((std::vector<int>{500000, 499900, 499800}), with_energy({1.1001f, 1.1001f}).score);
    EXPECT_EQ((std::vector<int>{500000, 490000}), with_energy({11.0001f}).score);
    EXPECT_EQ((std::vector<int>{500000, 500000, 499900, 499600, 498600}),
              with_energy({1.0001f, 1.1001f, 1.3001f, 2.0001f}).score);

    Sensor_data exhausted = with_energy(std::vector<float>(600, 101.f));
    EXPECT_EQ(0, exhausted.score.back());

    exhausted.reset();
    EXPECT_EQ(4u, exhausted._data.size());
    EXPECT_TRUE(exhausted._data[Sensor_data::Energy_consumption].empty());
    EXPECT_EQ(std::vector<int>{500000}, exhausted.score);
}

TEST(Score, each_rise_of_the_captured_count_earns_points_that_decay_after_the_time_factor)
{
    Score score;
    // Samples every 0.2 s: captures at t = 0.2 (two at once), t = 0.6 and t = 2.0.
    score.sensor_data._data[Sensor_data::Collected_molecules] = {0, 2, 2, 3, 2, 2, 2, 2, 2, 2, 4};
    score.sensor_data.score = {500000, 480000};
    score.calculate(1.f, 4);

    int const base = 250000;
    int const late = int(base * std::exp(-1.0) / 100) * 100; // captured at t = 2 x the time factor
    ASSERT_EQ(3u, score.score_at_time.size());
    EXPECT_EQ(base, score.score_at_time[0].second);
    EXPECT_FLOAT_EQ(0.2f, score.score_at_time[0].first);
    EXPECT_EQ(base, score.score_at_time[1].second);
    EXPECT_EQ(late, score.score_at_time[2].second);
    EXPECT_FLOAT_EQ(2.f, score.score_at_time[2].first);
    EXPECT_EQ(2 * base + late, score.final_score);
    EXPECT_FLOAT_EQ(11 * 0.2f, score.full_time);
    EXPECT_EQ(480000, score._energy_bonus);
    EXPECT_EQ(0, score._penalty);
    EXPECT_TRUE(score.penalty_at_time.empty());
}

TEST(Score, awards_once_per_rise_and_times_the_run_by_its_samples)
{
    Score score;
    score.sensor_data._data[Sensor_data::Collected_molecules] = {0, 0, 1, 1, 3, 3, 4};
    score.calculate(60.f, 4);

    ASSERT_EQ(3u, score.score_at_time.size());
    EXPECT_FLOAT_EQ(0.4f, score.score_at_time[0].first);
    EXPECT_FLOAT_EQ(0.8f, score.score_at_time[1].first);
    EXPECT_FLOAT_EQ(1.2f, score.score_at_time[2].first);
    for (auto const& award : score.score_at_time) EXPECT_EQ(250000, award.second);
    EXPECT_EQ(750000, score.final_score);
    EXPECT_FLOAT_EQ(1.4f, score.full_time);

    Score late;
    late.sensor_data._data[Sensor_data::Collected_molecules] = std::vector<float>(11, 0.f);
    late.sensor_data._data[Sensor_data::Collected_molecules].back() = 1.f; // at t = 2
    late.calculate(1.f, 10);
    EXPECT_EQ(36700, late.final_score);
}

TEST(Score, energy_penalty_is_recorded_but_not_subtracted)
{
    Score score;
    score.sensor_data._data[Sensor_data::Collected_molecules] = {1, 1};
    score.sensor_data._data[Sensor_data::Energy_consumption] = {0.5f, 3.f};
    score.calculate(60.f, 1);

    EXPECT_EQ(1000000, score.final_score);
    // (3 - 1) x 0.25 x 0.95 x 1,000,000 / (2 x 100), in hundreds.
    ASSERT_EQ(2u, score.penalty_at_time.size());
    EXPECT_EQ(0, score.penalty_at_time[0].second);
    EXPECT_EQ(237500, score.penalty_at_time[1].second);
    EXPECT_EQ(237500, score._penalty);
}

TEST(Score, nothing_to_capture_scores_nothing)
{
    Score score;
    score.sensor_data._data[Sensor_data::Collected_molecules] = {0, 1};
    score.calculate(60.f, 0);
    EXPECT_EQ(0, score.final_score);
}

class Progress_file : public ::testing::Test
{
protected:
    std::string path() const { return QDir(dir.path()).filePath("progress.data").toStdString(); }
    QTemporaryDir dir;
};

TEST_F(Progress_file, saved_progress_loads_back_with_every_series)
{
    Progress progress;
    progress.last_level = 3;
    progress.sandbox_warning_seen = true;
    Score run;
    run.sensor_data._data[Sensor_data::Collected_molecules] = {0, 1, 2};
    run.sensor_data._data[Sensor_data::Average_temperature] = {1.5f, 2.5f, -3.f};
    run.calculate(60.f, 2);
    progress.scores["Level 1"] = {run, run};
    ASSERT_TRUE(save_progress_file(progress, path()));

    Capture_stdout quiet;
    Progress const loaded = load_progress_file(path());
    EXPECT_EQ(3, loaded.last_level);
    EXPECT_TRUE(loaded.sandbox_warning_seen);
    ASSERT_EQ(2u, loaded.scores.at("Level 1").size());
    Score const& back = loaded.scores.at("Level 1")[1];
    EXPECT_EQ(run.final_score, back.final_score);
    EXPECT_EQ(run.score_at_time, back.score_at_time);
    EXPECT_EQ(run.sensor_data._data, back.sensor_data._data);
    EXPECT_THAT(read_text(path()), HasSubstr("<_progress class_id="));
}

TEST_F(Progress_file, missing_broken_and_older_files)
{
    {
        Capture_stdout out;
        Progress const empty = load_progress_file(path());
        EXPECT_EQ("No progress file found\n", out.text());
        EXPECT_EQ(0, empty.last_level);
    }

    Progress progress;
    progress.last_level = 2;
    progress.sandbox_warning_seen = true;
    ASSERT_TRUE(save_progress_file(progress, path()));
    std::string const saved = read_text(path());

    {
        write_text(path(), saved.substr(0, saved.size() / 2));
        Capture_stdout out;
        Progress const reset = load_progress_file(path());
        EXPECT_THAT(out.text(), HasSubstr("Failed to load progress file, progress reset: "));
        EXPECT_EQ(0, reset.last_level);
    }
    {
        // Written before the sandbox warning existed: class version 1, no flag.
        std::string older = saved;
        std::string const header = "tracking_level=\"0\" version=\"2\"";
        ASSERT_NE(std::string::npos, older.find(header));
        older.replace(older.find(header), header.size(), "tracking_level=\"0\" version=\"1\"");
        size_t const flag = older.find("<sandbox_warning_seen>");
        older.erase(flag, older.find('\n', flag) - flag + 1);
        write_text(path(), older);

        Progress const loaded = load_progress_file(path());
        EXPECT_EQ(2, loaded.last_level);
        EXPECT_FALSE(loaded.sandbox_warning_seen);
    }
}

TEST_F(Progress_file, newer_classes_are_refused_and_runs_short_of_series_padded)
{
    Progress progress;
    progress.last_level = 2;
    Score run;
    run.sensor_data._data[Sensor_data::Collected_molecules] = {0, 1};
    run.sensor_data._data[Sensor_data::Released_molecules] = {2, 3};
    run.calculate(60.f, 1);
    progress.scores["Level 1"] = {run};
    ASSERT_TRUE(save_progress_file(progress, path()));
    std::string const saved = read_text(path());

    // The classes of the progress, a run and its series, each one version newer.
    for (std::string const newer : {"<_progress class_id=\"0\" tracking_level=\"0\" version=\"3\">",
                                    "<item class_id=\"4\" tracking_level=\"0\" version=\"2\">",
                                    "<sensor_data class_id=\"5\" tracking_level=\"0\" version=\"1\">"})
    {
        std::string const tag = newer.substr(0, newer.find(" version="));
        std::string::size_type const at = saved.find(tag);
        ASSERT_NE(std::string::npos, at) << tag;
        std::string text = saved;
        text.replace(at, text.find('>', at) + 1 - at, newer);
        write_text(path(), text);
        Capture_stdout out;
        Progress const reset = load_progress_file(path());
        EXPECT_THAT(out.text(), HasSubstr("Failed to load progress file, progress reset: class version")) << newer;
        EXPECT_TRUE(reset.scores.empty());
    }

    // Two of the four series gone: a series' item holds a line of its own.
    std::string text = saved;
    std::string::size_type const data = text.find("<_data");
    std::string::size_type third = data;
    for (int series = 0; series < 3; ++series) third = text.find("<item>\n", third + 1);
    third = text.rfind('\n', third) + 1;
    text.erase(third, text.rfind('\n', text.find("</_data>", data)) + 1 - third);
    text.replace(text.find("<count>4</count>", data), 16, "<count>2</count>");
    write_text(path(), text);
    Capture_stdout out;
    Progress const loaded = load_progress_file(path());
    ASSERT_EQ(1u, loaded.scores.count("Level 1")) << out.text();
    std::vector<std::vector<float>> const& series = loaded.scores.at("Level 1")[0].sensor_data._data;
    ASSERT_EQ(4u, series.size());
    EXPECT_EQ((std::vector<float>{0, 1}), series[Sensor_data::Collected_molecules]);
    EXPECT_EQ((std::vector<float>{2, 3}), series[Sensor_data::Released_molecules]);
    EXPECT_TRUE(series[Sensor_data::Average_temperature].empty());
}
