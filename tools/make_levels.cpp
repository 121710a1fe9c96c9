// Writes the campaign's level files and the default simulation settings into a
// data directory: make_levels <path to data>. The output is committed.
#include "tools/campaign/Campaign_files.h"

#include <QApplication>

#include <iostream>
#include <stdexcept>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: make_levels <path to data>" << std::endl;
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try
    {
        write_campaign_files(argv[1]);
    }
    catch (std::exception const& error)
    {
        std::cerr << "make_levels: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
