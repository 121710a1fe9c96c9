#ifndef APP_FONTS_H
#define APP_FONTS_H

#include <QFont>
#include <QString>

// Registers the font file with the application; its first family, or an empty
// string when the file cannot be registered.
QString register_font_file(QString const& path);

// The menus' title font, from "fonts/Matiz.ttf" in the data directories (throws
// "No such file." when none has it). Qt's default font when the file is no font.
QFont load_title_font();

#endif
