#include "widgets/Application_font.h"

#include "foundation/Data_config.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include <iostream>

QFont load_application_font(QString const& relative_path, char const* caller)
{
    QString const path = Data_config::instance()->find_in_data_paths_qstring(relative_path);

    // Registering a file again would add its families a second time; a file
    // replaced since is registered anew.
    static QHash<QString, QString> registered_families;
    QFileInfo const file(path);
    QString const key =
        path + '|' + QString::number(file.size()) + '|' + file.lastModified().toString(Qt::ISODateWithMs);
    auto known = registered_families.find(key);
    if (known == registered_families.end())
    {
        int const id = QFontDatabase::addApplicationFont(path);
        QStringList const families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        known = registered_families.insert(key, families.isEmpty() ? QString() : families.front());
    }

    if (known.value().isEmpty())
    {
        std::cout << caller << " could not register the font " << path.toStdString() << ", using the default font"
                  << std::endl;
        return QFont();
    }
    return QFont(known.value());
}
