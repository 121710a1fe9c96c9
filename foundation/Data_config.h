#ifndef FOUNDATION_DATA_CONFIG_H
#define FOUNDATION_DATA_CONFIG_H

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <string>

// A data file that must exist was in none of the data directories. Its message
// is "No such file."; the file asked for comes with it.
class Missing_data_file : public std::runtime_error
{
public:
    explicit Missing_data_file(std::string const& file) : std::runtime_error("No such file."), _file(file) {}

    std::string const& get_file() const { return _file; }

private:
    std::string _file;
};

// Finds the data directories beside the executable and resolves data-file names
// against them, first directory first.
class Data_config
{
public:
    static Data_config* instance();

    void init();

    // must_exist false: for files about to be written, the name under the first
    // data directory. Throws Missing_data_file, after printing the name, when
    // nothing fits.
    std::string find_in_data_paths(QString const& relative, bool must_exist = true) const;
    QString find_in_data_paths_qstring(QString const& relative, bool must_exist = true) const;

    QStringList const& data_paths() const { return _data_paths; }

    // Tests point the search at a scratch tree and replace the modal box and abort
    // that end the program when no data directory exists. Both rescan at once.
    static void set_application_directory(QString const& directory);
    static void set_no_data_handler(std::function<void()> handler);

private:
    Data_config() = default;

    QStringList _data_paths;
};

#endif
