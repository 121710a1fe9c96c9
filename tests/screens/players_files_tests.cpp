// The player's own files through the window: a save that cannot be written is
// told once, where a box may open, and tried again; a settings file of a newer
// game is told of once, leaves the game on its defaults and is never saved over.
#include "Editor_test.h"
#include "Won_level.h"

#include "screens/menus/Main_menu_screen.h"
#include "screens/results/After_finish_screen.h"
#include "simulation/Progress.h"
#include "widgets/Draggable_button.h"

#include "support/Text_file.h"

#include <QDir>

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

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

    // The file as a newer game would have written it: its root class of a later version.
    static void mark_newer(std::string const& path)
    {
        std::string bytes = read_text(path);
        std::string const root = "class_id=\"0\" tracking_level=\"1\" version=\"0\"";
        std::string::size_type const at = bytes.find(root);
        ASSERT_NE(std::string::npos, at) << path;
        bytes.replace(at, root.size(), "class_id=\"0\" tracking_level=\"1\" version=\"3\"");
        write_text(path, bytes);
    }

    void start_game()
    {
        Capture_stdout quiet;
        viewer->start();
        viewer->stopAnimation(); // frames come from the driver
        driver->step_frames(70);
    }

    void click_main_menu(std::string const& text)
    {
        ASSERT_NE(nullptr, top<Main_menu_screen>());
        click_menu_button(text);
        Capture_stdout quiet;
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
    EXPECT_THAT(dialogs.calls[0].text.toStdString(), HasSubstr("tries again at every later save"));

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
    std::string const told = boxes("Could Not Save")[0].text.toStdString();
    EXPECT_THAT(told, HasSubstr("Your progress could not be saved"));
    EXPECT_THAT(told, Not(HasSubstr("later save"))) << "no later save once the game ends";
}

TEST_F(Players_files_test, newer_viewer_and_simulation_settings_are_told_of_once_and_never_saved_over)
{
    std::string const viewer_file = (working_directory + "/boost_parameters_").toStdString();
    std::string const settings = data->path("simulation_settings.data");
    Parameter& z_far = *viewer->get_parameters()["z_far"];
    Parameter& mass_factor = *core->get_parameters()["Mass Factor"];
    float const default_mass_factor = mass_factor.get_value<float>();
    {
        Capture_stdout quiet;
        z_far.set_value_no_update(500.f);
        mass_factor.set_value_no_update(0.5f);
        ASSERT_TRUE(viewer->save_parameters());
        ASSERT_TRUE(core->save_simulation_settings());
        z_far.set_value_no_update(1000.f);
    }
    mark_newer(viewer_file);
    mark_newer(settings);
    std::string const newer_viewer_file = read_text(viewer_file);
    std::string const newer_settings = read_text(settings);

    start_game();
    EXPECT_FLOAT_EQ(1000.f, z_far.get_value<float>());
    ASSERT_EQ(1u, boxes("Unreadable File").size());
    EXPECT_THAT(boxes("Unreadable File")[0].text.toStdString(),
                HasSubstr("Your viewer settings in " +
                          QDir(working_directory).absoluteFilePath("boost_parameters_").toStdString() +
                          " was written by a newer version of the game"));

    // Saved on request, refused without another word.
    dialogs.answers = {true};
    {
        Capture_stdout quiet;
        driver->press_key(Qt::Key_U, Qt::ControlModifier);
        driver->step_frame();
    }
    EXPECT_EQ(newer_viewer_file, read_text(viewer_file));

    // The sandbox reads the settings at every opening and saves them on the way back.
    for (int opening = 0; opening < 2; ++opening)
    {
        mass_factor.set_value_no_update(0.5f);
        click_main_menu("Sandbox");
        ASSERT_NE(nullptr, top<Editor_screen>());
        EXPECT_FLOAT_EQ(default_mass_factor, mass_factor.get_value<float>()) << "runs on the defaults";
        {
            Capture_stdout quiet;
            driver->press_key(Qt::Key_Escape);
            driver->step_frames(70);
        }
        dialogs.answers = {true};
        click_menu_button("Back to Main Menu");
        Capture_stdout quiet;
        driver->step_frames(70);
    }
    EXPECT_EQ(newer_settings, read_text(settings));
    std::vector<Scripted_dialogs::Call> const told = boxes("Unreadable File");
    ASSERT_EQ(2u, told.size()) << "the viewer's file at the start, the settings at the first opening";
    EXPECT_THAT(told[1].text.toStdString(),
                HasSubstr("Your simulation settings in " + settings + " was written by a newer version of the game"));
    EXPECT_TRUE(boxes("Could Not Save").empty());
}

} // namespace
