#include "foundation/Xml_archive_file.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

// Levels full of molecules take a few megabytes.
qint64 const largest_file = qint64(64) << 20;

} // namespace

bool read_file_bytes(std::string const& path, std::string& bytes)
{
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.size() > largest_file) throw Damaged_archive("a file of " + std::to_string(file.size()) + " bytes");
    QByteArray const content = file.read(largest_file + 1);
    if (content.size() > largest_file) throw Damaged_archive("a file larger than any the game writes");
    bytes.assign(content.constData(), size_t(content.size()));
    return true;
}

bool write_file_atomically(std::string const& path, std::string const& bytes, std::string& error)
{
    QSaveFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::WriteOnly))
    {
        error = file.errorString().toStdString();
        return false;
    }
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
    {
        error = file.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
    {
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

std::string file_base_name(std::string const& path)
{
    return QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName().toLocal8Bit().toStdString();
}
