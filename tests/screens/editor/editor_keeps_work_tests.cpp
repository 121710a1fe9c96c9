// What a level designer made in the editor is not lost without a word: saved
// where it can be found again, not dropped in part unsaid, not closed away.
#include "Editor_test.h"

#include "simulation/Core.h"
#include "simulation/Level_file.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Tractor_barrier.h"

#include "support/Hand_edited_level.h"
#include "support/Text_file.h"

#include <QFile>

#include <gmock/gmock.h>

#include <sys/stat.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{

class Editor_work_test : public Editor_test
{
protected:
    void pause_editor()
    {
        Capture_stdout quiet;
        driver->press_key(Qt::Key_Escape);
        driver->step_frames(70);
        ASSERT_NE(nullptr, top<Editor_pause_screen>());
    }

    // A valid level holding `waters` water molecules, each of three atoms.
    QString save_crowded_level(int waters)
    {
        QString const file = working_directory + "/crowded.data";
        Capture_stdout quiet;
        core->reset_level_data();
        Level_data& level = core->get_level_data();
        for (int i = 0; i < waters; ++i)
            level._molecules.push_back(
                create_molecule("H2O", Eigen::Vector3f(float(i % 40) - 20.f, float(i / 40 % 20) - 10.f, 0.f)));
        save_level_file(level, file.toStdString());
        core->reset_level_data();
        return file;
    }
};

} // namespace

TEST_F(Editor_work_test, a_level_saved_under_a_bare_name_gets_the_extension_and_loads_by_that_name)
{
    open_sandbox();
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Tractor_barrier", false, 1);
    pause_editor();

    dialogs.file_names = {working_directory + "/mylevel", working_directory + "/other.level"};
    click_menu_button("Save Level");
    EXPECT_TRUE(QFile::exists(working_directory + "/mylevel.data"));
    EXPECT_FALSE(QFile::exists(working_directory + "/mylevel"));
    ASSERT_EQ(2u, dialogs.calls.size());
    EXPECT_EQ("information", dialogs.calls[1].kind);
    EXPECT_EQ("Save Level", dialogs.calls[1].title);
    EXPECT_THAT(dialogs.calls[1].text.toStdString(), HasSubstr("mylevel.data"));

    click_menu_button("Save Level");
    EXPECT_TRUE(QFile::exists(working_directory + "/other.level")) << "a name with an extension is kept";

    {
        Capture_stdout quiet;
        core->reset_level_data();
    }
    dialogs.file_names = {working_directory + "/mylevel"};
    click_menu_button("Load Level");
    EXPECT_EQ(1u, elements<Tractor_barrier>().size()) << "mylevel.data, loaded";
    EXPECT_EQ("open_file_name", dialogs.calls.back().kind) << "and no word of a missing file";
}

TEST_F(Editor_work_test, a_level_beyond_the_atom_limit_says_once_how_many_molecules_were_left_out)
{
    open_sandbox();
    QString const crowded = save_crowded_level(1400);
    pause_editor();

    dialogs.file_names = {crowded};
    click_menu_button("Load Level");
    // 4096 atoms hold 1365 waters.
    EXPECT_EQ(1365u, core->get_level_data()._molecules.size());
    ASSERT_EQ(2u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[1].kind);
    EXPECT_THAT(dialogs.calls[1].text.toStdString(), HasSubstr(" 35 of its molecules were left out"));
    std::string const said = printed([&] { core->load_level(crowded.toStdString()); });
    EXPECT_THAT(said, Not(HasSubstr("Reached max number of atoms"))) << "one line, not one per molecule";
    EXPECT_THAT(said, HasSubstr("35 molecules beyond the atom limit were left out"));

    dialogs.file_names = {crowded};
    save_crowded_level(10);
    click_menu_button("Load Level");
    EXPECT_EQ(3u, dialogs.calls.size()) << "a level within the limit loads without a word";
}

TEST_F(Editor_work_test, placing_past_the_atom_limit_says_once_how_many_molecules_were_placed)
{
    open_sandbox();
    core->set_simulation_state(false);
    set_molecules_per_click("H2O", 1000);
    auto const place_waters = [this] {
        click_palette("H2O");
        Capture_stdout quiet;
        driver->click(middle_pixel(0.f, 0.f));
    };
    place_waters();
    ASSERT_EQ(1000u, level()._molecules.size());
    ASSERT_EQ(1u, dialogs.calls.size()) << "within the limit, not a word";

    // 4096 atoms hold 1365 waters.
    place_waters();
    EXPECT_EQ(1365u, level()._molecules.size());
    ASSERT_EQ(2u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[1].kind);
    EXPECT_EQ("Atom Limit", dialogs.calls[1].title);
    EXPECT_THAT(dialogs.calls[1].text.toStdString(), HasSubstr("only 365 of the 1000 molecules were placed"));

    place_waters();
    EXPECT_EQ(1365u, level()._molecules.size());
    EXPECT_EQ(2u, dialogs.calls.size()) << "told once a run";
}

TEST_F(Editor_work_test, a_level_edited_by_hand_beyond_what_the_game_holds_is_refused_by_name)
{
    open_sandbox();
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Tractor_barrier", false, 1);
    Eigen::Vector3f const placed = elements<Tractor_barrier>().at(0)->get_position();
    std::string const far = (working_directory + "/far.data").toStdString();
    save_level_file(level(), far);
    write_text(far, every_position_at(read_text(far), "1e30"));
    pause_editor();

    dialogs.file_names = {QString::fromStdString(far)};
    click_menu_button("Load Level");
    ASSERT_EQ(2u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[1].kind);
    EXPECT_EQ("The level file " + QString::fromStdString(far) +
                  " could not be read (a Plane_barrier at (1e+30, 1e+30, 1e+30), farther than the 10000 units from "
                  "the field's centre that a level reaches).\nThe level in the editor is unchanged.",
              dialogs.calls[1].text);
    ASSERT_EQ(1u, elements<Tractor_barrier>().size());
    EXPECT_EQ(placed, elements<Tractor_barrier>()[0]->get_position());
    EXPECT_EQ(6u + 1u, level()._level_elements.size()) << "the borders and the tractor, nothing more";
}

TEST_F(Editor_work_test, a_named_pipe_chosen_in_the_load_dialog_is_refused_at_once)
{
    open_sandbox();
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Tractor_barrier", false, 1);
    pause_editor();
    QString const pipe = working_directory + "/pipe.data";
    ASSERT_EQ(0, ::mkfifo(pipe.toLocal8Bit().constData(), 0644));

    dialogs.file_names = {pipe};
    click_menu_button("Load Level");
    ASSERT_EQ(2u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[1].kind);
    EXPECT_THAT(dialogs.calls[1].text.toStdString(), HasSubstr("not a regular file"));
    EXPECT_EQ(1u, elements<Tractor_barrier>().size()) << "the edited level is kept";
}

TEST_F(Editor_work_test, closing_the_window_asks_before_a_changed_level_is_lost_and_keeps_the_settings)
{
    open_sandbox();
    {
        Capture_stdout quiet;
        EXPECT_TRUE(viewer->close()) << "an unchanged level closes unasked";
    }
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(data->path("simulation_settings.data"))));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(data->path("progress.data"))));

    viewer->show();
    editor->add_element(Eigen::Vector3f(0, 0, 0), "Tractor_barrier", false, 1);
    EXPECT_FALSE(viewer->close());
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("ask_yes_no", dialogs.calls[0].kind);
    EXPECT_EQ("Unsaved changes will be lost. Really quit?", dialogs.calls[0].text);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(1u, elements<Tractor_barrier>().size());

    // Saved, it is unchanged again; so in the pause over it.
    pause_editor();
    click_menu_button("Save Level", Qt::ControlModifier);
    Capture_stdout quiet;
    EXPECT_TRUE(viewer->close());
    ASSERT_EQ(1u, dialogs.calls.size()) << dialogs.calls.back().kind << " " << dialogs.calls.back().text.toStdString();
}
