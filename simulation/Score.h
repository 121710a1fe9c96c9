#ifndef SIMULATION_SCORE_H
#define SIMULATION_SCORE_H

#include "simulation/Sensor_data.h"

#include <boost/serialization/utility.hpp>
#include <boost/serialization/version.hpp>

#include <utility>
#include <vector>

// One finished run of a level.
class Score
{
public:
    // Turns the sensor data into points: every rise of the captured count earns
    // 1,000,000 / molecules to capture, decaying once the time factor has passed.
    void calculate(float time_factor, int molecules_to_capture);

    int final_score = 0;
    float full_time = 0.f;
    Sensor_data sensor_data;
    std::vector<std::pair<float, int>> score_at_time;
    std::vector<std::pair<float, int>> penalty_at_time;
    int num_molecules_to_capture = 0;
    int _penalty = 0;
    int _energy_bonus = 0;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Score>(version, "Score");
        ar& boost::serialization::make_nvp("final_score", final_score);
        ar& boost::serialization::make_nvp("full_time", full_time);
        ar& boost::serialization::make_nvp("sensor_data", sensor_data);
        ar& boost::serialization::make_nvp("score_at_time", score_at_time);
        ar& boost::serialization::make_nvp("penalty_at_time", penalty_at_time);
        ar& boost::serialization::make_nvp("num_molecules_to_capture", num_molecules_to_capture);
        ar& boost::serialization::make_nvp("_penalty", _penalty);
        ar& boost::serialization::make_nvp("_energy_bonus", _energy_bonus);
    }
};

BOOST_CLASS_VERSION(Score, 1)

#endif
