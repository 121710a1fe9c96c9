#include "app/Screenshot.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

QString next_screenshot_path(QString const& directory)
{
    QString path;
    for (int counter = 0;; ++counter)
    {
        path = directory + QString("/qglviewer_screenshot-%1.png").arg(counter, 3, 10, QChar('0'));
        if (!QFileInfo::exists(path)) return path;
    }
}

bool save_screenshot(QImage const& image, QString const& path, QString& error)
{
    if (image.isNull())
    {
        error = "the frame could not be read";
        return false;
    }
    QImageWriter writer(path);
    if (writer.write(image)) return true;
    error = writer.errorString();
    return false;
}
