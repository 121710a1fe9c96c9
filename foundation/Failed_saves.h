#ifndef FOUNDATION_FAILED_SAVES_H
#define FOUNDATION_FAILED_SAVES_H

#include <QString>

#include <functional>
#include <string>

class QWidget;

// Saves of the player's own files (progress, settings) that could not be
// written: a read-only folder, a full disk. The player hears of each file once a
// run, at its first failure, and every later save tries again. Progress is saved
// inside the physics step that finishes a level, where no box may open, so the
// notice waits for show_failed_save_notices.

// Writes the file through `write`, which returns false with the reason in
// `error`, or throws. A file that must stay as it is (Unreadable_files) is left
// alone; any failure is printed as `log_prefix` + the path + ": " + the reason.
bool save_players_file(std::string const& path, QString const& what, char const* log_prefix,
                       std::function<bool(std::string& error)> const& write);

// The failures not told yet, in one warning box.
void show_failed_save_notices(QWidget* parent, bool game_ends = false);

#endif
