#include "simulation/Level_file.h"

// Reading an optional extent default-constructs an Eigen vector, which is left
// uninitialised on purpose and filled from the file right after.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

// The archives come before the registrations, which instantiate the element
// serialisers for every archive declared so far. The registrations live here,
// beside functions the game calls, so the linker cannot drop them.
#include "foundation/Xml_archive_file.h"

#include "simulation/Charged_barrier.h"
#include "simulation/Level_data.h"
#include "simulation/Tractor_barrier.h"

#include <boost/serialization/export.hpp>

#include <iostream>
#include <sstream>
#include <stdexcept>

// Everything the archive builds while a level is read is noted, so that a read
// that fails part-way frees what no list took (see Level_load_guard). Levels are
// read only through this file, so these are the constructions the library uses.
namespace boost
{
namespace serialization
{

template <class Element> void construct_noted(Element* element)
{
    Level_load_guard::note_built(::new (element) Element);
}

#define BRINDLEMOT_NOTED_CONSTRUCTION(Element)                                                                         \
    template <class Archive> void load_construct_data(Archive&, Element* element, unsigned int const)                  \
    {                                                                                                                  \
        construct_noted(element);                                                                                      \
    }

BRINDLEMOT_NOTED_CONSTRUCTION(Box_barrier)
BRINDLEMOT_NOTED_CONSTRUCTION(Plane_barrier)
BRINDLEMOT_NOTED_CONSTRUCTION(Molecule_releaser)
BRINDLEMOT_NOTED_CONSTRUCTION(Box_portal)
BRINDLEMOT_NOTED_CONSTRUCTION(Sphere_portal)
BRINDLEMOT_NOTED_CONSTRUCTION(Brownian_box)
BRINDLEMOT_NOTED_CONSTRUCTION(Tractor_barrier)
BRINDLEMOT_NOTED_CONSTRUCTION(Charged_barrier)
BRINDLEMOT_NOTED_CONSTRUCTION(Molecule_capture_condition)

#undef BRINDLEMOT_NOTED_CONSTRUCTION

} // namespace serialization
} // namespace boost

BOOST_CLASS_EXPORT_IMPLEMENT(Box_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Plane_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Molecule_releaser)
BOOST_CLASS_EXPORT_IMPLEMENT(Box_portal)
BOOST_CLASS_EXPORT_IMPLEMENT(Sphere_portal)
BOOST_CLASS_EXPORT_IMPLEMENT(Brownian_box)
BOOST_CLASS_EXPORT_IMPLEMENT(Tractor_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Charged_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Molecule_capture_condition)

namespace
{

void read_level_bytes(std::string const& bytes, Level_data& level)
{
    // An element owns its properties: a second owner would free them twice.
    read_xml_archive(bytes, "_level_data", level, {"_properties"});
}

// A level the loader would refuse (a NaN, which the archive writes but cannot
// read) must not replace a good file. The trial read says nothing on its own.
void check_level_loads_back(std::string const& bytes)
{
    std::ostringstream unheard;
    std::streambuf* const said = std::cout.rdbuf(unheard.rdbuf());
    try
    {
        Level_data trial;
        read_level_bytes(bytes, trial);
    }
    catch (std::exception const& error)
    {
        std::cout.rdbuf(said);
        throw std::runtime_error(std::string("the level could not be loaded back: ") + error.what());
    }
    std::cout.rdbuf(said);
}

} // namespace

std::string level_file_bytes(Level_data const& level)
{
    return write_xml_archive("_level_data", level);
}

void save_level_file(Level_data const& level, std::string const& path)
{
    std::string const bytes = level_file_bytes(level);
    check_level_loads_back(bytes);
    std::string error;
    if (!write_file_atomically(path, bytes, error)) throw std::runtime_error("Could not write " + path + ": " + error);
}

void load_level_file(std::string const& path, Level_data& level)
{
    std::string bytes;
    if (!read_file_bytes(path, bytes)) throw std::runtime_error("No such file.");
    read_level_bytes(bytes, level);
}

bool is_loadable_level_file(std::string const& path, std::string& reason)
{
    try
    {
        Level_data scratch;
        load_level_file(path, scratch);
        return true;
    }
    catch (std::exception const& error)
    {
        reason = error.what();
    }
    catch (...)
    {
        reason = "unknown error";
    }
    return false;
}
