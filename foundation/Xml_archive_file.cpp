#include "foundation/Xml_archive_file.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>

#include <boost/archive/xml_archive_exception.hpp>

bool read_file_bytes(std::string const& path, std::string& bytes)
{
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray const content = file.readAll();
    bytes.assign(content.constData(), size_t(content.size()));
    return true;
}

namespace
{

bool is_sane_count(QString const& text, qulonglong file_size)
{
    bool ok = false;
    qulonglong const count = text.trimmed().toULongLong(&ok);
    return ok && count < file_size;
}

} // namespace

void check_xml_archive(std::string const& bytes)
{
    typedef boost::archive::xml_archive_exception Error;

    QXmlStreamReader reader(QByteArray::fromRawData(bytes.data(), int(bytes.size())));
    bool saw_root = false;
    while (!reader.atEnd())
    {
        reader.readNext();
        if (!reader.isStartElement()) continue;
        saw_root = true;
        if (reader.name() == QLatin1String("count"))
        {
            if (!is_sane_count(reader.readElementText(), qulonglong(bytes.size())))
                throw Error(Error::xml_archive_parsing_error);
        }
    }
    if (reader.hasError() || !saw_root) throw Error(Error::xml_archive_parsing_error);
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
