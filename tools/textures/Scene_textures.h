#ifndef TOOLS_TEXTURES_SCENE_TEXTURES_H
#define TOOLS_TEXTURES_SCENE_TEXTURES_H

#include <QDir>
#include <QImage>

// Paints the images the scene renderers and element visitors load into
// <data>/textures; the blurred background is made from the station interior.
// Says whether every file was written.
bool paint_scene_textures(QDir const& data, QImage const& station_interior);

#endif
