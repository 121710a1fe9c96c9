#include "widgets/Application_font.h"

#include "foundation/Data_config.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include <iostream>

QFont load_application_font(QString const& relative_path, char const* caller)
{
    QString const path = Data_config::instance()->find_in_data_paths_qstring(relative_path);

    // Registering a file again would add its families a second time.
    static QHash<QString, QString> registered_families;
    auto known = registered_families.find(path);
    if (known == registered_families.end())
    {
        int const id = QFontDatabase::addApplicationFont(path);
        QStringList const families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        known = registered_families.insert(path, families.isEmpty() ? QString() : families.front());
    }

    if (known.value().isEmpty())
    {
        std::cout << caller << " could not register the font " << path.toStdString() << ", using the default font"
                  << std::endl;
        return QFont();
    }
    return QFont(known.value());
}
