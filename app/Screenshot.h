#ifndef APP_SCREENSHOT_H
#define APP_SCREENSHOT_H

#include <QString>

class QImage;

// directory + "/qglviewer_screenshot-NNN.png" with NNN the first three-digit
// counter from 000 whose file does not exist yet.
QString next_screenshot_path(QString const& directory);

// Saves in the format of the path's extension; false, with error set, when the
// file could not be written.
bool save_screenshot(QImage const& image, QString const& path, QString& error);

#endif
