#ifndef SCREENS_MENUS_EDITOR_PAUSE_SCREEN_H
#define SCREENS_MENUS_EDITOR_PAUSE_SCREEN_H

#include "screens/menus/Pause_menu_screen.h"

#include <QString>

// The name a level is saved under: ".data" added to a name without an extension.
QString with_level_extension(QString const& file);

// Laid over the editor when Escape pauses it, and over a level played from the
// editor: play, load and save the level, go back to the main menu or on
// editing; during a test play only the way back to the editor.
class Editor_pause_screen : public Pause_menu_screen
{
public:
    Editor_pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target);

private:
    void play_level();
    void load_level();
    void save_level();
    void back_to_main_menu();
    // "state.data" in the working directory with Ctrl held, else the file
    // dialog's choice; empty when it was cancelled.
    QString choose_file(bool saving) const;
};

#endif
