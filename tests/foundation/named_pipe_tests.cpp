// A named pipe where the game expects one of its files: opening it for reading
// or writing would block until another process came to the other end. Each case
// must come back at once with the loader's refusal; a regression hangs here.
#include "foundation/Data_config.h"
#include "foundation/Logger.h"
#include "foundation/Parameter_list.h"
#include "foundation/Xml_archive_file.h"

#include "support/Capture_stdout.h"

#include <QDir>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <sys/stat.h>

using ::testing::HasSubstr;

namespace
{

std::string make_pipe(QTemporaryDir const& scratch, QString const& name)
{
    std::string const path = QDir(scratch.path()).filePath(name).toStdString();
    EXPECT_EQ(0, ::mkfifo(path.c_str(), 0644));
    return path;
}

} // namespace

TEST(Named_pipe, is_refused_by_every_reader_without_being_opened)
{
    QTemporaryDir scratch;
    std::string const pipe = make_pipe(scratch, "boost_parameters_");

    std::string bytes;
    EXPECT_THROW(read_file_bytes(pipe, bytes), Damaged_archive);

    Parameter_list list;
    Capture_stdout out;
    EXPECT_THROW(list.load(pipe), std::exception) << "refused as a damaged file, not as a missing one";

    // In a data directory it is as good as missing.
    QDir(scratch.path()).mkpath("app/data");
    make_pipe(scratch, "app/data/progress.data");
    Data_config::set_application_directory(scratch.path() + "/app");
    EXPECT_THROW(Data_config::instance()->find_in_data_paths("progress.data"), Missing_data_file);
    EXPECT_NO_THROW(Data_config::instance()->find_in_data_paths("progress.data", false));
}

TEST(Named_pipe, in_the_log_s_place_leaves_the_game_without_a_log)
{
    QTemporaryDir scratch;
    std::string const pipe = make_pipe(scratch, "log.txt");
    Capture_stdout out;
    Logger::instance()->init(QString::fromStdString(pipe));
    EXPECT_THAT(out.text(), HasSubstr("no log is kept"));
    qWarning("goes nowhere");

    struct stat info;
    ASSERT_EQ(0, ::stat(pipe.c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is left as it is";
    qInstallMessageHandler(nullptr);
}
