#ifndef TOOLS_TEXTURES_TOOLBAR_TEXTURES_H
#define TOOLS_TEXTURES_TOOLBAR_TEXTURES_H

class QDir;

// Writes the play screen's toolbar buttons and handle icons into the data
// directory's textures folder. Returns false when one could not be written.
bool write_toolbar_textures(QDir const& data);

#endif
