#ifndef TOOLS_TEXTURES_SCENE_TEXTURES_H
#define TOOLS_TEXTURES_SCENE_TEXTURES_H

#include <QDir>

// Paints the images the scene renderers and element visitors load into
// <data>/textures. The blurred background is made from the station interior,
// which must be there already. Says whether every file was written.
bool paint_scene_textures(QDir const& data);

#endif
