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

#include <stdexcept>

BOOST_CLASS_EXPORT_IMPLEMENT(Box_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Plane_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Molecule_releaser)
BOOST_CLASS_EXPORT_IMPLEMENT(Box_portal)
BOOST_CLASS_EXPORT_IMPLEMENT(Sphere_portal)
BOOST_CLASS_EXPORT_IMPLEMENT(Brownian_box)
BOOST_CLASS_EXPORT_IMPLEMENT(Tractor_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Charged_barrier)
BOOST_CLASS_EXPORT_IMPLEMENT(Molecule_capture_condition)

// Everything the archive builds while a level is read is noted, so that a read
// that fails part-way frees what no list took (see Level_load_guard).
namespace boost
{
namespace serialization
{

template <class Archive, class Element> void construct_noted(Element* element)
{
    Level_load_guard::note_built(::new (element) Element());
}

#define BRINDLEMOT_NOTED_CONSTRUCTION(Element)                                                                   \
    template <class Archive> void load_construct_data(Archive&, Element* element, unsigned int const)           \
    {                                                                                                            \
        construct_noted<Archive>(element);                                                                       \
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

void save_level_file(Level_data const& level, std::string const& path)
{
    std::string const bytes = write_xml_archive("_level_data", level);
    std::string error;
    if (!write_file_atomically(path, bytes, error)) throw std::runtime_error("Could not write " + path + ": " + error);
}

void load_level_file(std::string const& path, Level_data& level)
{
    std::string bytes;
    if (!read_file_bytes(path, bytes)) throw std::runtime_error("No such file.");
    read_xml_archive(bytes, "_level_data", level);
}
