#include "tools/campaign/Campaign_files.h"

#include "foundation/Data_config.h"
#include "simulation/Core.h"
#include "simulation/Level_file.h"
#include "tools/campaign/Campaign.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <stdexcept>

void write_campaign_files(QString const& data_directory)
{
    QString const data = QDir(data_directory).absolutePath();
    if (QDir(data).dirName() != "data") throw std::runtime_error("the data directory must be named data");
    QDir(data).mkpath("levels");
    Data_config::set_application_directory(data + "/..");

    for (Campaign_level const& entry : campaign())
    {
        std::srand(1); // the same particles of heating boxes on every run
        Level_data level;
        level.reset();
        entry.build(level);
        save_level_file(level, (data + "/levels/" + QString::fromStdString(entry.name) + ".data").toStdString());
    }

    // The settings as Core builds them (not as an earlier file says), with the
    // campaign listed.
    QFile::remove(data + "/default_simulation_settings.data");
    Core core;
    Parameter& levels = *core.get_parameters()["levels"];
    levels.set_value_no_update(campaign_level_list());
    if (!core.get_parameters().save((data + "/default_simulation_settings.data").toStdString()))
        throw std::runtime_error("cannot write the default simulation settings");
}
