#ifndef FOUNDATION_UNREADABLE_FILES_H
#define FOUNDATION_UNREADABLE_FILES_H

#include <QString>
#include <QStringList>

#include <exception>
#include <string>

class QWidget;

// The player's own files (progress, settings) that the game found but could not
// read. Nothing the player made is replaced without being kept or told of: a
// damaged file is moved aside as "<name>.unreadable-N" for a fresh one to take
// its place, and a file of a newer version of the game stays as it is, with
// every save over it refused for the rest of the run.

// Called by a loader that falls back after `why`; `what` names the file for the
// player ("Your progress").
void keep_unreadable_file(std::string const& path, QString const& what, std::exception const& why);

// False when the file must stay as it is; `reason` then says why.
bool may_replace_players_file(std::string const& path, std::string& reason);

// What was kept or left since the last call, for the player to read once.
QStringList take_unreadable_file_notices();
// The notices in one warning box, when there are any.
void show_unreadable_file_notices(QWidget* parent);

#endif
