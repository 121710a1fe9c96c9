#ifndef TESTS_SCRATCH_DATA_TREE_H
#define TESTS_SCRATCH_DATA_TREE_H

#include <QString>
#include <QTemporaryDir>

#include <string>

// A data tree of its own for one test, <scratch>/app/data, with Data_config
// pointed at it; files of the game's own data/ are copied in on request, so no
// test ever writes into the repository.
class Scratch_data_tree
{
public:
    Scratch_data_tree();

    // Copies a file of the game's data/ to the same relative place here.
    void copy_from_game(QString const& relative);
    // Every file of the game's data/ that is not here yet, except the player's
    // progress and settings.
    void copy_all_from_game();
    std::string path(QString const& relative) const;
    QString const& data_directory() const { return _data; }

private:
    QTemporaryDir _scratch;
    QString _data;
};

#endif
