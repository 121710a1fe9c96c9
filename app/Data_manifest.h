#ifndef APP_DATA_MANIFEST_H
#define APP_DATA_MANIFEST_H

#include <QStringList>

// Every data file the game needs, relative to a data directory: its shaders,
// meshes, textures and fonts, and the campaign's levels by name. Start-up looks
// for all of them at once, so that a missing one is named before any screen
// would fail over it without a word.
QStringList required_data_files(QStringList const& level_names);

// Those of them that no data directory holds as a regular file, in order.
QStringList missing_data_files(QStringList const& level_names);

#endif
