#include "screens/menus/Editor_pause_screen.h"

#include "app/My_viewer.h"
#include "foundation/Dialogs.h"
#include "screens/Screen_flow.h"
#include "simulation/Core.h"
#include "simulation/Level_file.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <iostream>

namespace
{

bool is_quick_file_choice()
{
    return QGuiApplication::keyboardModifiers() & Qt::ControlModifier;
}

} // namespace

Editor_pause_screen::Editor_pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target)
    : Pause_menu_screen(viewer, core, target, "Editor_pause_screen")
{
    add_items(editor_pause_items(core->get_game_state() == Core::Running),
              {{Menu_item::Return_to_editor, [this] { return_to_editor(this->viewer, _core); }},
               {Menu_item::Play_level, [this] { play_level(); }},
               {Menu_item::Load_level, [this] { load_level(); }},
               {Menu_item::Save_level, [this] { save_level(); }},
               {Menu_item::Back_to_main_menu, [this] { back_to_main_menu(); }},
               {Menu_item::Continue, [this] { resume(); }}});
    generate_textures();
}

void Editor_pause_screen::play_level()
{
    if (_core->get_level_data()._portals.empty())
    {
        Dialogs::instance().critical("Portal Missing", "At least one portal is needed to have a playable level.",
                                     viewer);
        return;
    }
    play_level_from_editor(viewer, _core);
}

void Editor_pause_screen::load_level()
{
    // Levels are saved with ".data" added to a bare name (with_level_extension).
    QString const file = existing_file_name(choose_file(false), "data");
    if (file.isEmpty()) return;

    std::string reason;
    if (!is_loadable_level_file(file.toStdString(), reason))
    {
        std::cout << "Editor_pause_screen::load_level " << file.toStdString() << ": " << reason << std::endl;
        Dialogs::instance().warning("Load Level",
                                    "The level file " + file + " could not be read (" + QString::fromStdString(reason) +
                                        ").\nThe level in the editor is unchanged.",
                                    viewer);
        return;
    }
    _core->load_level(file.toStdString());
    if (int const left_out = _core->get_molecules_left_out())
        Dialogs::instance().warning("Load Level",
                                    "The level holds more atoms than the game can simulate: " +
                                        QString::number(left_out) + " of its molecules were left out.",
                                    viewer);
}

void Editor_pause_screen::save_level()
{
    bool const quick = is_quick_file_choice();
    QString const file = with_level_extension(choose_file(true));
    if (file.isEmpty()) return;
    if (_core->save_level(file.toStdString()))
    {
        // The quick save asks nothing and so says nothing either.
        if (!quick) Dialogs::instance().information("Save Level", "The level was saved to " + file + ".", viewer);
    }
    else
        Dialogs::instance().warning("Save Level", "The level could not be saved to " + file + ".", viewer);
}

void Editor_pause_screen::back_to_main_menu()
{
    if (!Dialogs::instance().ask_yes_no("Return to Main Menu",
                                        "Unsaved changes will be lost. Really return to the main menu?", viewer))
        return;
    _core->save_simulation_settings();
    start_over_at_main_menu(viewer, _core);
}

QString with_level_extension(QString const& file)
{
    // The Load dialog lists only "*.data": a level saved under a bare name would
    // seem lost.
    if (file.isEmpty() || !QFileInfo(file).suffix().isEmpty()) return file;
    return file + ".data";
}

QString Editor_pause_screen::choose_file(bool saving) const
{
    if (is_quick_file_choice()) return "state.data";
    QString const caption = saving ? QObject::tr("Save Level") : QObject::tr("Load Level");
    QString const filter = QObject::tr("State File (*.data)");
    return saving ? Dialogs::instance().save_file_name(caption, ".", filter, viewer)
                  : Dialogs::instance().open_file_name(caption, ".", filter, viewer);
}
