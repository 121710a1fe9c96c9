// The player's own files through the window: a save that cannot be written is
// told once, where a box may open, and tried again.
#include "Editor_test.h"
#include "Won_level.h"

#include "screens/results/After_finish_screen.h"
#include "simulation/Progress.h"

#include "support/Text_file.h"

#include <QDir>

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{

class Players_files_test : public Editor_test
{
protected:
    std::vector<Scripted_dialogs::Call> boxes(QString const& title) const
    {
        std::vector<Scripted_dialogs::Call> found;
        for (auto const& call : dialogs.calls)
            if (call.title == title) found.push_back(call);
        return found;
    }

    // A folder standing where the file goes: it cannot be replaced, not even by root.
    void block(std::string const& path) { ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path))); }
    void unblock(std::string const& path) { ASSERT_TRUE(QDir(QString::fromStdString(path)).removeRecursively()); }

    void start_game()
    {
        Capture_stdout quiet;
        viewer->start();
        viewer->stopAnimation(); // frames come from the driver
        driver->step_frames(70);
    }

    std::string progress_file() const { return data->path("progress.data"); }
};

TEST_F(Players_files_test, a_level_won_where_progress_cannot_be_saved_is_told_at_the_next_frame_and_saved_later)
{
    std::string const progress = progress_file();
    block(progress);
    push_play_screen(Game_mode);
    load_level("Level 3", false);
    win_level(*core, {1.f});
    ASSERT_NE(nullptr, top<After_finish_screen>());
    EXPECT_TRUE(dialogs.calls.empty()) << "no box inside the physics step";

    {
        Capture_stdout quiet;
        driver->step_frames(3);
    }
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[0].kind);
    EXPECT_EQ("Could Not Save", dialogs.calls[0].title);
    EXPECT_THAT(dialogs.calls[0].text.toStdString(),
                HasSubstr("Your progress could not be saved to " + progress + " (Is a directory)"));

    // The window's close saves again, and now can; it has nothing more to tell.
    unblock(progress);
    EXPECT_TRUE(run_until_quit([&] { viewer->quit(); }));
    EXPECT_EQ(1u, dialogs.calls.size());
    Capture_stdout quiet;
    EXPECT_EQ(1u, load_progress_file(progress).scores.count("Level 3"));
}

TEST_F(Players_files_test, progress_that_cannot_be_saved_as_the_window_closes_is_told_before_it_goes)
{
    block(progress_file());
    start_game();
    {
        Capture_stdout quiet;
        EXPECT_TRUE(run_until_quit([&] { viewer->quit(); }));
    }
    ASSERT_EQ(1u, boxes("Could Not Save").size());
    EXPECT_THAT(boxes("Could Not Save")[0].text.toStdString(), HasSubstr("Your progress could not be saved"));
}

} // namespace
