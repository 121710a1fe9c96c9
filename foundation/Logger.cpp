#include "foundation/Logger.h"

#include <QMutexLocker>

#include <cstdlib>

namespace
{

char const* banner_name(QtMsgType type)
{
    switch (type)
    {
    case QtWarningMsg: return "Warning";
    case QtCriticalMsg: return "Critical";
    case QtFatalMsg: return "Fatal";
    default: return nullptr;
    }
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
    _file = new QFile(file_name);
    _file->open(QIODevice::WriteOnly | QIODevice::Truncate);
    // The stream must leave the old file before that file is deleted.
    _stream.setDevice(_file);
    delete previous;

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
    QString const context_line = QString("File: %1 fnc: %2 line: %3\n")
                                     .arg(QString::fromUtf8(context.file ? context.file : ""),
                                          QString::fromUtf8(context.function ? context.function : ""),
                                          QString::number(context.line));

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
