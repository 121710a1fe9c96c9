#include "foundation/Unreadable_files.h"

#include "foundation/Archive_structure.h"
#include "foundation/Dialogs.h"

#include <boost/archive/archive_exception.hpp>

#include <QFileInfo>

#include <cstdio>
#include <iostream>
#include <set>

#include <sys/stat.h>

namespace
{

// Paths the game may not write over during this run.
std::set<std::string>& protected_files()
{
    static std::set<std::string> files;
    return files;
}

QStringList& pending_notices()
{
    static QStringList notices;
    return notices;
}

bool is_newer_version(std::exception const& why)
{
    if (dynamic_cast<Newer_archive const*>(&why)) return true;
    auto const* archive_error = dynamic_cast<boost::archive::archive_exception const*>(&why);
    return archive_error && (archive_error->code == boost::archive::archive_exception::unsupported_version ||
                             archive_error->code == boost::archive::archive_exception::unsupported_class_version);
}

bool exists(std::string const& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// A pipe or a device in the file's place holds nothing of the player's; the
// next save puts a file there.
bool is_regular_file(std::string const& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The first "<path>.unreadable-N" not taken yet.
std::string free_keeping_name(std::string const& path)
{
    for (int number = 1;; ++number)
    {
        std::string const name = path + ".unreadable-" + std::to_string(number);
        if (!exists(name)) return name;
    }
}

QString shown(std::string const& path)
{
    return QFileInfo(QString::fromLocal8Bit(path.c_str())).absoluteFilePath();
}

// The sandbox reads the settings each time it opens: the player hears once.
void protect(std::string const& path, QString const& notice)
{
    if (protected_files().insert(path).second) pending_notices().append(notice);
}

} // namespace

void keep_unreadable_file(std::string const& path, QString const& what, std::exception const& why)
{
    if (!is_regular_file(path)) return;
    QString const reason = QString::fromUtf8(why.what());
    if (is_newer_version(why))
    {
        std::cout << "keep_unreadable_file " << path << " is of a newer version: it is left as it is" << std::endl;
        protect(path, what + " in " + shown(path) +
                          " was written by a newer version of the game. This version runs on its defaults and "
                          "saves nothing over that file.");
        return;
    }
    // Moved rather than copied: a full disk cannot stop it, and the fresh file
    // the next save writes takes the old name without touching the kept one.
    std::string const kept = free_keeping_name(path);
    if (std::rename(path.c_str(), kept.c_str()) != 0)
    {
        std::cout << "keep_unreadable_file " << path << " could not be moved aside: it is left as it is" << std::endl;
        protect(path, what + " in " + shown(path) + " could not be read (" + reason +
                          ") and could not be kept aside, so the game saves nothing over it.");
        return;
    }
    std::cout << "keep_unreadable_file " << path << " kept as " << kept << std::endl;
    protected_files().erase(path);
    pending_notices().append(what + " in " + shown(path) + " could not be read (" + reason +
                             "), so the game starts without it. The old file is kept as " + shown(kept) + ".");
}

bool may_replace_players_file(std::string const& path, std::string& reason)
{
    if (!protected_files().count(path)) return true;
    reason = "the file the game could not read is left as it is";
    return false;
}

QStringList take_unreadable_file_notices()
{
    QStringList notices;
    notices.swap(pending_notices());
    return notices;
}

void show_unreadable_file_notices(QWidget* parent)
{
    QStringList const notices = take_unreadable_file_notices();
    if (!notices.isEmpty()) Dialogs::instance().warning("Unreadable File", notices.join("\n\n"), parent);
}
