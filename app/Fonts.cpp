#include "app/Fonts.h"

#include "foundation/Data_config.h"

#include <QFontDatabase>
#include <QStringList>

#include <iostream>

QString register_font_file(QString const& path)
{
    int const id = QFontDatabase::addApplicationFont(path);
    if (id < 0) return QString();
    QStringList const families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

QFont load_title_font()
{
    QString const path = Data_config::instance()->find_in_data_paths_qstring("fonts/Matiz.ttf");
    QString const family = register_font_file(path);
    if (family.isEmpty())
    {
        std::cout << "My_viewer::My_viewer Couldn't load the title font " << path.toStdString() << std::endl;
        return QFont();
    }
    return QFont(family);
}
