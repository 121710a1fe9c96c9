#ifndef WIDGETS_APPLICATION_FONT_H
#define WIDGETS_APPLICATION_FONT_H

#include <QFont>
#include <QString>

// The font of the first family a data file provides, at Qt's default size. The
// file is looked up in the data directories (a missing one throws "No such
// file."); one that Qt cannot register leaves Qt's default font, with a message
// that names `caller`.
QFont load_application_font(QString const& relative_path, char const* caller);

#endif
