// Writes the campaign's level files and the default simulation settings into a
// data directory: make_levels <data directory>. The output is committed.
#include "foundation/Data_config.h"
#include "simulation/Core.h"
#include "simulation/Level_file.h"
#include "tools/campaign/Campaign.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: make_levels <data directory>" << std::endl;
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QString const data = QDir(argv[1]).absolutePath();
    if (QDir(data).dirName() != "data")
    {
        std::cerr << "make_levels: the data directory must be named data" << std::endl;
        return 2;
    }
    QDir(data).mkpath("levels");
    Data_config::set_application_directory(data + "/..");

    for (Campaign_level const& entry : campaign())
    {
        std::srand(1); // the same random particles on every run
        Level_data level;
        level.reset();
        entry.build(level);
        std::string const file = (data + "/levels/" + QString::fromStdString(entry.name) + ".data").toStdString();
        save_level_file(level, file);
        std::cout << "wrote " << file << std::endl;
    }

    // The settings as Core builds them, with the campaign listed.
    Core core;
    Parameter& levels = *core.get_parameters()["levels"];
    levels.set_value_no_update(campaign_level_list());
    if (!core.get_parameters().save((data + "/default_simulation_settings.data").toStdString())) return 1;
    return 0;
}
