#include "foundation/Data_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdlib>
#include <iostream>

namespace
{

QString& application_directory_override()
{
    static QString directory;
    return directory;
}

void show_no_data_box_and_abort()
{
    QMessageBox::critical(nullptr, "Error",
                          "Data path could not be found. Make sure the folder data is in the same directory as the "
                          "executable.");
    std::abort();
}

std::function<void()>& no_data_handler()
{
    static std::function<void()> handler = show_no_data_box_and_abort;
    return handler;
}

Data_config* existing_instance = nullptr;

} // namespace

Data_config* Data_config::instance()
{
    if (!existing_instance)
    {
        existing_instance = new Data_config;
        existing_instance->init();
    }
    return existing_instance;
}

void Data_config::init()
{
    QString const application_directory = application_directory_override().isEmpty()
                                              ? QCoreApplication::applicationDirPath()
                                              : application_directory_override();

    _data_paths.clear();
    for (char const* candidate : {"data", "../data", "../../../data"})
    {
        QFileInfo const directory(application_directory + "/" + candidate);
        if (directory.isDir()) _data_paths.append(QDir(directory.absoluteFilePath()).absolutePath());
    }

    for (QString const& path : _data_paths)
        std::cout << "Data_config::init data path found: " << path.toStdString() << std::endl;

    if (_data_paths.isEmpty())
    {
        std::cout << "Data_config::init no data paths found" << std::endl;
        no_data_handler()();
    }
}

QString Data_config::find_in_data_paths_qstring(QString const& relative, bool must_exist) const
{
    for (QString const& directory : _data_paths)
    {
        QString const name = directory + "/" + relative;
        // A named pipe in a data file's place would hang whatever reads it.
        QFileInfo const found(name);
        if (must_exist ? found.isFile() || found.isDir() : QFileInfo(directory).isDir()) return name;
    }
    std::cout << "Data_config::find_in_data_paths No such file: " << relative.toStdString() << std::endl;
    throw Missing_data_file(relative.toStdString());
}

std::string Data_config::find_in_data_paths(QString const& relative, bool must_exist) const
{
    return find_in_data_paths_qstring(relative, must_exist).toStdString();
}

void Data_config::set_application_directory(QString const& directory)
{
    application_directory_override() = directory;
    if (existing_instance) existing_instance->init();
}

void Data_config::set_no_data_handler(std::function<void()> handler)
{
    no_data_handler() = std::move(handler);
}
