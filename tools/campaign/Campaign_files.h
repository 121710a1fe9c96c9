#ifndef TOOLS_CAMPAIGN_CAMPAIGN_FILES_H
#define TOOLS_CAMPAIGN_CAMPAIGN_FILES_H

#include <QString>

// Writes every campaign level to <data>/levels/<name>.data and the default
// simulation settings, with "levels" listing the campaign, to
// <data>/default_simulation_settings.data. The same files on every run. Needs a
// QApplication; points the data lookup at `data_directory`, which must be named
// "data". Throws std::runtime_error when a file cannot be written.
void write_campaign_files(QString const& data_directory);

#endif
