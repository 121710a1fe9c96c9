#include "foundation/Data_config.h"

#include "support/Capture_stdout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

// app/bin holds the executable; app/bin/data and app/data are the two data directories.
class Data_config_test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir root(scratch.path());
        root.mkpath("app/bin/data/levels");
        root.mkpath("app/data/shaders");
        touch("app/bin/data/both.txt");
        touch("app/data/both.txt");
        touch("app/data/shaders/only_second.frag");
        application = root.filePath("app/bin");
        first = QDir(root.filePath("app/bin/data")).absolutePath();
        second = QDir(root.filePath("app/data")).absolutePath();
        Capture_stdout quiet;
        Data_config::set_application_directory(application);
        Data_config::instance();
    }

    void touch(QString const& relative)
    {
        QFile file(QDir(scratch.path()).filePath(relative));
        file.open(QIODevice::WriteOnly);
    }

    QTemporaryDir scratch;
    QString application, first, second;
};

} // namespace

TEST_F(Data_config_test, every_existing_candidate_is_kept_in_search_order)
{
    Capture_stdout out;
    Data_config::instance()->init();
    EXPECT_EQ((QStringList{first, second}), Data_config::instance()->data_paths());
    EXPECT_EQ("Data_config::init data path found: " + first.toStdString() +
                  "\nData_config::init data path found: " + second.toStdString() + "\n",
              out.text());
}

TEST_F(Data_config_test, lookup_takes_the_first_directory_that_holds_the_name)
{
    Data_config* config = Data_config::instance();
    EXPECT_EQ((first + "/both.txt").toStdString(), config->find_in_data_paths("both.txt", true));
    EXPECT_EQ(second + "/shaders/only_second.frag",
              config->find_in_data_paths_qstring("shaders/only_second.frag", true));
    EXPECT_EQ(first + "/levels", config->find_in_data_paths_qstring("levels", true));

    // Files about to be written go to the first directory, wherever they exist.
    EXPECT_EQ(first + "/shaders/only_second.frag",
              config->find_in_data_paths_qstring("shaders/only_second.frag", false));
    EXPECT_EQ(first + "/progress.data", config->find_in_data_paths_qstring("progress.data", false));

    Capture_stdout out;
    try
    {
        config->find_in_data_paths("textures/missing.png", true);
        FAIL() << "a missing file resolved";
    }
    catch (Missing_data_file const& error)
    {
        EXPECT_STREQ("No such file.", error.what());
        EXPECT_EQ("textures/missing.png", error.get_file());
    }
    EXPECT_EQ("Data_config::find_in_data_paths No such file: textures/missing.png\n", out.text());
}

TEST_F(Data_config_test, without_any_data_directory_the_handler_runs)
{
    int handled = 0;
    Data_config::set_no_data_handler([&] { ++handled; });
    Capture_stdout out;
    Data_config::set_application_directory(QDir(scratch.path()).filePath("nowhere"));

    EXPECT_EQ(1, handled);
    EXPECT_EQ("Data_config::init no data paths found\n", out.text());
    EXPECT_THROW(Data_config::instance()->find_in_data_paths("x", false), std::runtime_error);
}
