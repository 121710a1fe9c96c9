#ifndef SIMULATION_PROGRESS_H
#define SIMULATION_PROGRESS_H

#include "simulation/Score.h"

#include <boost/serialization/map.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/version.hpp>

#include <map>
#include <string>
#include <vector>

// What the player has achieved: where to continue, every run's score per level.
class Progress
{
public:
    int last_level = 0;
    std::map<std::string, std::vector<Score>> scores;
    bool sandbox_warning_seen = false;

    // The level to continue with among `level_count` levels: a stored index
    // beyond them (or below 0) points at no level.
    int level_to_continue(int level_count) const;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Progress>(version, "Progress");
        ar& boost::serialization::make_nvp("last_level", last_level);
        ar& boost::serialization::make_nvp("scores", scores);
        if (version >= 2) ar& boost::serialization::make_nvp("sandbox_warning_seen", sandbox_warning_seen);
    }
};

BOOST_CLASS_VERSION(Progress, 2)

// The progress file. Loading never fails: a missing file gives empty progress,
// a broken one the defaults, each with its message. Saving replaces the file
// only when it could be written completely.
Progress load_progress_file(std::string const& path);
bool save_progress_file(Progress const& progress, std::string const& path);

#endif
