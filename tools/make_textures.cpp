// Paints the game's generated textures into a data directory:
// make_textures <path to data>. The output is committed.
#include "tools/textures/Toolbar_textures.h"
#include "tools/textures/Widget_textures.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "textures/Scene_textures.h"

#include <iostream>

namespace
{

// The inside of a space station module: panelled walls in cold grey-blue, light
// strips along the ceiling, a darker floor.
QImage station_interior()
{
    int const width = 1024, height = 512;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient wall(0, 0, 0, height);
    wall.setColorAt(0.0, QColor(58, 66, 82));
    wall.setColorAt(0.55, QColor(38, 44, 58));
    wall.setColorAt(1.0, QColor(20, 23, 31));
    painter.fillRect(image.rect(), wall);

    int const columns = 8, rows = 4;
    int const panel_width = width / columns, panel_height = height / rows;
    for (int row = 0; row < rows; ++row)
    {
        for (int column = 0; column < columns; ++column)
        {
            QRect const panel(column * panel_width + 6, row * panel_height + 6, panel_width - 12, panel_height - 12);
            painter.setPen(QPen(QColor(90, 100, 120, 140), 2));
            painter.setBrush(QColor(255, 255, 255, (row + column) % 3 == 0 ? 10 : 4));
            painter.drawRoundedRect(panel, 6, 6);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(150, 160, 180, 120));
            QRectF const rivets = QRectF(panel).adjusted(8, 8, -8, -8);
            for (QPointF const rivet : {rivets.topLeft(), rivets.topRight(), rivets.bottomLeft(), rivets.bottomRight()})
                painter.drawEllipse(rivet, 2.5, 2.5);
        }
    }

    for (int strip = 0; strip < 3; ++strip)
    {
        QRectF const light(120 + strip * 300, 18, 180, 14);
        QRadialGradient glow(light.center(), 140);
        glow.setColorAt(0.0, QColor(210, 230, 255, 90));
        glow.setColorAt(1.0, QColor(210, 230, 255, 0));
        painter.setBrush(glow);
        painter.drawEllipse(light.center(), 160, 90);
        painter.setBrush(QColor(235, 245, 255));
        painter.drawRoundedRect(light, 7, 7);
    }

    painter.fillRect(QRect(0, height - 40, width, 40), QColor(14, 16, 22, 200));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: make_textures <path to data>" << std::endl;
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QDir data(argv[1]);
    data.mkpath("textures");
    if (!paint_scene_textures(data, station_interior())) return 1;
    if (!station_interior().save(data.filePath("textures/iss_interior_1.png"))) return 1;
    if (!write_widget_textures(data)) return 1;
    if (!write_toolbar_textures(data)) return 1;
    return 0;
}
