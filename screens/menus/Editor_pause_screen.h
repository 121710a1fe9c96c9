#ifndef SCREENS_MENUS_EDITOR_PAUSE_SCREEN_H
#define SCREENS_MENUS_EDITOR_PAUSE_SCREEN_H

#include "screens/menus/Menu_screen.h"
#include "screens/play/Main_game_screen.h"

#include <QPointer>
#include <QString>

// The name a level is saved under: ".data" added to a name without an extension.
QString with_level_extension(QString const& file);

// Laid over the editor when Escape pauses it, and over a level played from the
// editor: play, load and save the level, go back to the main menu or on
// editing; during a test play only the way back to the editor. The screen it
// was opened from is its target, shown again when the pause ends.
class Editor_pause_screen : public Menu_screen
{
public:
    Editor_pause_screen(My_viewer* viewer, Core* core, Main_game_screen* target);

    // Escape ends the pause, and reopens it while the pause is still fading
    // out, as long as its target is not on its way out as well.
    bool keyPressEvent(QKeyEvent* event) override;

private:
    void continue_editing();
    void play_level();
    void load_level();
    void save_level();
    void back_to_main_menu();
    // "state.data" in the working directory with Ctrl held, else the file
    // dialog's choice; empty when it was cancelled.
    QString choose_file(bool saving) const;

    // Null once gone: a key still reaches the closing pause after a new
    // screen replaced both and its target was destroyed.
    QPointer<Main_game_screen> _target;
};

#endif
