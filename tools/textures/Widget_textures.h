#ifndef TOOLS_TEXTURES_WIDGET_TEXTURES_H
#define TOOLS_TEXTURES_WIDGET_TEXTURES_H

class QDir;

// Writes the in-view widgets' images into the data directory's textures folder.
// Returns false when one could not be written.
bool write_widget_textures(QDir const& data);

#endif
