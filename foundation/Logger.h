#ifndef FOUNDATION_LOGGER_H
#define FOUNDATION_LOGGER_H

#include <QFile>
#include <QMutex>
#include <QString>
#include <QTextStream>
#include <QtGlobal>

// The process-wide log file that receives Qt's messages. Until init, messages
// are dropped.
class Logger
{
public:
    static Logger* instance();

    void init(QString const& file_name);
    void write(QtMsgType type, QMessageLogContext const& context, QString const& text);

private:
    Logger() = default;

    QFile* _file = nullptr;
    QTextStream _stream;
    QMutex _mutex;
    bool _enabled = false;
};

void message_handler(QtMsgType type, QMessageLogContext const& context, QString const& text);

#endif
