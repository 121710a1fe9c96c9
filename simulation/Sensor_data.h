#ifndef SIMULATION_SENSOR_DATA_H
#define SIMULATION_SENSOR_DATA_H

#include "foundation/Class_version_check.h"

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/vector.hpp>

#include <cstddef>
#include <vector>

// The series sampled while a level runs, and the running score that energy
// consumption lowers.
class Sensor_data
{
public:
    enum Series
    {
        Collected_molecules = 0,
        Released_molecules,
        Average_temperature,
        Energy_consumption
    };

    static constexpr int initial_score = 500000;
    static constexpr std::size_t series_count = 4;

    Sensor_data();

    void reset();
    // Lowers the running score by the energy used beyond the allowance in the
    // last sample; the score never goes below 0.
    void record_score();

    std::vector<std::vector<float>> _data;
    std::vector<int> score;
    float area = 0.f;
    float interval = 0.2f;

private:
    friend class boost::serialization::access;

    template <class Archive> void serialize(Archive& ar, unsigned int const version)
    {
        reject_newer_class_version<Sensor_data>(version, "Sensor_data");
        ar& boost::serialization::make_nvp("_data", _data);
        // The statistics read all four series; a run stored with fewer keeps
        // what it has.
        if (Archive::is_loading::value) _data.resize(series_count);
    }
};

#endif
