#ifndef TOOLS_TEXTURES_EDITOR_TEXTURES_H
#define TOOLS_TEXTURES_EDITOR_TEXTURES_H

class QDir;

// Writes the sandbox editor's play and molecule buttons and its slider icons
// into the data directory's textures folder. Returns false when one could not
// be written.
bool write_editor_textures(QDir const& data);

#endif
