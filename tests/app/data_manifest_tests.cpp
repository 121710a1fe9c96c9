// Start-up names every missing data file; that only holds while the manifest
// lists every file the game ships and uses.
#include "app/Data_manifest.h"
#include "simulation/Core.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace
{

// The game's files under data/ but for the notes beside them and the licences.
QStringList shipped_files()
{
    QDir const game(TEST_FIXTURE_DIR "/../data");
    QStringList files;
    QDirIterator found(game.path(), QDir::Files, QDirIterator::Subdirectories);
    while (found.hasNext())
    {
        QString const relative = game.relativeFilePath(found.next());
        if (relative.endsWith(".md") || relative.endsWith(".txt") || relative == "progress.data" ||
            relative == "simulation_settings.data")
            continue;
        files.append(relative);
    }
    files.sort();
    return files;
}

} // namespace

TEST(Data_manifest, names_each_shipped_file_when_it_alone_is_missing)
{
    Scratch_data_tree data;
    data.copy_all_from_game();
    QStringList levels;
    {
        Capture_stdout quiet;
        levels = Core().get_level_names();
    }
    ASSERT_EQ(11, levels.size());

    QStringList required = required_data_files(levels);
    required.sort();
    EXPECT_EQ(shipped_files().join(", ").toStdString(), required.join(", ").toStdString())
        << "a file the game ships is missing from the manifest, or the reverse";
    EXPECT_TRUE(missing_data_files(levels).isEmpty());

    for (QString const& file : required)
    {
        QString const path = data.data_directory() + "/" + file;
        ASSERT_TRUE(QFile::rename(path, path + ".away"));
        EXPECT_EQ(QStringList{file}, missing_data_files(levels));
        ASSERT_TRUE(QFile::rename(path + ".away", path));
    }

    // A directory in a file's place is no file either.
    QString const texture = data.data_directory() + "/textures/slider.png";
    ASSERT_TRUE(QFile::remove(texture) && QDir().mkpath(texture));
    EXPECT_EQ(QStringList{"textures/slider.png"}, missing_data_files(levels));
}
