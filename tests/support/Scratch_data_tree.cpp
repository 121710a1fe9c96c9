#include "support/Scratch_data_tree.h"

#include "foundation/Data_config.h"

#include "support/Capture_stdout.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

Scratch_data_tree::Scratch_data_tree()
{
    QDir root(_scratch.path());
    root.mkpath("app/data");
    _data = QDir(root.filePath("app/data")).absolutePath();
    Capture_stdout quiet;
    Data_config::set_application_directory(root.filePath("app"));
    Data_config::instance();
}

void Scratch_data_tree::copy_from_game(QString const& relative)
{
    QString const target = _data + "/" + relative;
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!QFile::copy(QString(TEST_FIXTURE_DIR "/../data/") + relative, target))
        throw std::runtime_error("cannot copy data file " + relative.toStdString());
}

void Scratch_data_tree::copy_all_from_game()
{
    QDir const game(TEST_FIXTURE_DIR "/../data");
    QDirIterator files(game.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
    {
        QString const relative = game.relativeFilePath(files.next());
        // What the game writes there when run by hand belongs to no test.
        if (relative == "progress.data" || relative == "simulation_settings.data") continue;
        if (!QFileInfo::exists(_data + "/" + relative)) copy_from_game(relative);
    }
}

std::string Scratch_data_tree::path(QString const& relative) const
{
    return (_data + "/" + relative).toStdString();
}
