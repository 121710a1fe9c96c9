#include "foundation/Logger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

QByteArray read_all(QString const& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

TEST(Logger, frames_warnings_and_criticals_and_writes_debug_plainly)
{
    QTemporaryDir scratch;
    QString const log = QDir(scratch.path()).filePath("log.txt");
    {
        QFile stale(log);
        stale.open(QIODevice::WriteOnly);
        stale.write("left over from the last run that was much longer\n");
    }

    Logger* logger = Logger::instance();
    logger->init(log);
    QMessageLogContext const context("core.cpp", 42, "void Core::update(float)", "default");
    QMessageLogContext const empty_context;
    logger->write(QtWarningMsg, context, "careful");
    logger->write(QtCriticalMsg, context, "broken");
    logger->write(QtDebugMsg, context, "plain");
    logger->write(QtInfoMsg, context, "dropped");
    logger->write(QtDebugMsg, empty_context, "!");

    EXPECT_EQ(QByteArray("initialized.\n"
                         "\n*** Warning ***\nFile: core.cpp fnc: void Core::update(float) line: 42\ncareful"
                         "\n*** Warning Complete ***\n"
                         "\n*** Critical ***\nFile: core.cpp fnc: void Core::update(float) line: 42\nbroken"
                         "\n*** Critical Complete ***\n"
                         "File: core.cpp fnc: void Core::update(float) line: 42\nplain"
                         "File:  fnc:  line: 0\n!"),
              read_all(log));

    // Qt's own messages arrive through the installed handler; a new file starts afresh.
    QString const second = QDir(scratch.path()).filePath("second.txt");
    logger->init(second);
    qWarning("through Qt");
    QByteArray const text = read_all(second);
    EXPECT_TRUE(text.startsWith("initialized.\n\n*** Warning ***\nFile: "));
    EXPECT_TRUE(text.endsWith("through Qt\n*** Warning Complete ***\n"));
}

TEST(Logger, place_markers_inside_file_and_function_names_stay_as_they_are)
{
    QTemporaryDir scratch;
    QString const log = QDir(scratch.path()).filePath("log.txt");
    Logger::instance()->init(log);
    QMessageLogContext const context("dir%2/%1.cpp", 7, "void f(%3)", "default");
    Logger::instance()->write(QtDebugMsg, context, "text");
    EXPECT_EQ(QByteArray("initialized.\nFile: dir%2/%1.cpp fnc: void f(%3) line: 7\ntext"), read_all(log));
}

TEST(LoggerDeathTest, fatal_messages_are_flushed_then_abort)
{
    QTemporaryDir scratch;
    QString const log = QDir(scratch.path()).filePath("log.txt");
    EXPECT_DEATH(
        {
            Logger::instance()->init(log);
            Logger::instance()->write(QtFatalMsg, QMessageLogContext("f.cpp", 1, "fn", "default"), "the end");
        },
        "");
    EXPECT_EQ(
        QByteArray("initialized.\n\n*** Fatal ***\nFile: f.cpp fnc: fn line: 1\nthe end\n*** Fatal Complete ***\n"),
        read_all(log));
}
