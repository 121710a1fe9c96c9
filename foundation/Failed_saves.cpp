#include "foundation/Failed_saves.h"

#include "foundation/Dialogs.h"
#include "foundation/Unreadable_files.h"

#include <QFileInfo>
#include <QStringList>

#include <iostream>
#include <set>

namespace
{

std::set<std::string>& told_files()
{
    static std::set<std::string> files;
    return files;
}

QStringList& pending_notices()
{
    static QStringList notices;
    return notices;
}

void tell_once(std::string const& path, QString const& what, std::string const& reason)
{
    if (!told_files().insert(path).second) return;
    QString const shown = QFileInfo(QString::fromLocal8Bit(path.c_str())).absoluteFilePath();
    pending_notices().append(what + " could not be saved to " + shown + " (" + QString::fromLocal8Bit(reason.c_str()) +
                             ").");
}

} // namespace

bool save_players_file(std::string const& path, QString const& what, char const* log_prefix,
                       std::function<bool(std::string& error)> const& write)
{
    std::string error;
    // The player was told of such a file when it was read.
    if (!may_replace_players_file(path, error))
    {
        std::cout << log_prefix << path << ": " << error << std::endl;
        return false;
    }
    try
    {
        if (write(error)) return true;
    }
    catch (std::exception const& exception)
    {
        error = exception.what();
    }
    std::cout << log_prefix << path << ": " << error << std::endl;
    tell_once(path, what, error);
    return false;
}

void show_failed_save_notices(QWidget* parent, bool game_ends)
{
    if (pending_notices().isEmpty()) return;
    // Taken first: the box runs events of its own.
    QStringList notices;
    notices.swap(pending_notices());
    // Once the game ends there is no later save to promise.
    if (!game_ends) notices.append("The game tries again at every later save.");
    Dialogs::instance().warning("Could Not Save", notices.join("\n\n"), parent);
}
