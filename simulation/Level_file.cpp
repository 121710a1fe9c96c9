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

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <boost/archive/xml_archive_exception.hpp>
#include <boost/serialization/export.hpp>

#include <map>
#include <stdexcept>
#include <vector>

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

#define BRINDLEMOT_NOTED_CONSTRUCTION(Element)                                                                   \
    template <class Archive> void load_construct_data(Archive&, Element* element, unsigned int const)           \
    {                                                                                                            \
        construct_noted(element);                                                                                \
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

// The library trusts the file's back references. One to a parameter or property
// list would give that object a second owner; one under another class than the
// object's own would read it as that class. A level refers back to whole objects
// outside the property lists and end conditions only, under their own class.
void check_references(std::string const& bytes)
{
    typedef boost::archive::xml_archive_exception Error;

    QXmlStreamReader reader(QByteArray::fromRawData(bytes.data(), int(bytes.size())));
    std::map<QString, QString> referable_classes;
    std::vector<bool> opens_private;
    int private_depth = 0;
    while (!reader.atEnd())
    {
        reader.readNext();
        if (reader.isEndElement() && !opens_private.empty())
        {
            if (opens_private.back()) --private_depth;
            opens_private.pop_back();
        }
        if (!reader.isStartElement()) continue;

        bool const is_private = reader.name() == QLatin1String("_properties") ||
                                reader.name() == QLatin1String("_end_condition");
        opens_private.push_back(is_private);
        if (is_private) ++private_depth;

        QXmlStreamAttributes const attributes = reader.attributes();
        QString const class_id = attributes.value(attributes.hasAttribute("class_id") ? "class_id"
                                                                                      : "class_id_reference")
                                     .toString();
        if (attributes.hasAttribute("object_id") && private_depth == 0)
            referable_classes[attributes.value("object_id").toString()] = class_id;
        if (attributes.hasAttribute("object_id_reference"))
        {
            auto const referred = referable_classes.find(attributes.value("object_id_reference").toString());
            if (referred == referable_classes.end() || referred->second != class_id)
                throw Error(Error::xml_archive_parsing_error);
        }
    }
}

} // namespace

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
    check_references(bytes);
    read_xml_archive(bytes, "_level_data", level);
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
