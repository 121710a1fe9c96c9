#include "foundation/Logger.h"

#include <QMutexLocker>

#include <cstdlib>
#include <iostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

char const* banner_name(QtMsgType type)
{
    switch (type)
    {
    case QtWarningMsg:
        return "Warning";
    case QtCriticalMsg:
        return "Critical";
    case QtFatalMsg:
        return "Fatal";
    default:
        return nullptr;
    }
}

// Truncated and opened without blocking, and only as a regular file: a named
// pipe in the log's place would hold the game before its window appears.
bool open_regular_file(QFile& file, QString const& file_name)
{
    QByteArray const name = QFile::encodeName(file_name);
    struct stat info;
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode)) return false;
    int const handle = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
    if (handle < 0) return false;
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(handle, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
    {
        ::close(handle);
        return false;
    }
    return true;
}

} // namespace

Logger* Logger::instance()
{
    static Logger* logger = new Logger;
    return logger;
}

void Logger::init(QString const& file_name)
{
    QMutexLocker lock(&_mutex);
    _enabled = true;

    QFile* previous = _file;
    _file = new QFile;
    bool const opened = open_regular_file(*_file, file_name);
    // The stream must leave the old file before that file is deleted.
    _stream.setDevice(opened ? _file : nullptr);
    delete previous;
    if (!opened)
    {
        // Writing to a file that is not open would report through Qt's
        // messages, which come back here.
        std::cout << "Logger::init " << file_name.toStdString()
                  << " cannot be written as a regular file: no log is kept" << std::endl;
        _enabled = false;
        return;
    }

    _stream << "initialized.\n";
    _stream.flush();
    qInstallMessageHandler(message_handler);
}

void Logger::write(QtMsgType type, QMessageLogContext const& context, QString const& text)
{
    QMutexLocker lock(&_mutex);
    if (!_enabled) return;

    char const* banner = banner_name(type);
    if (!banner && type != QtDebugMsg) return;

    // One call fills all three places: chained, a "%2" in a file or function name
    // would itself be replaced.
    QString const context_line =
        QString("File: %1 fnc: %2 line: %3\n")
            .arg(QString::fromUtf8(context.file ? context.file : ""),
                 QString::fromUtf8(context.function ? context.function : ""), QString::number(context.line));

    if (banner) _stream << "\n*** " << banner << " ***\n";
    _stream << context_line << text;
    if (banner) _stream << "\n*** " << banner << " Complete ***\n";
    _stream.flush();

    if (type == QtFatalMsg) std::abort();
}

void message_handler(QtMsgType type, QMessageLogContext const& context, QString const& text)
{
    Logger::instance()->write(type, context, text);
}
