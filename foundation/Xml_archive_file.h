#ifndef FOUNDATION_XML_ARCHIVE_FILE_H
#define FOUNDATION_XML_ARCHIVE_FILE_H

#include "foundation/Archive_structure.h"
#include "foundation/Checked_xml_iarchive.h"

#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/nvp.hpp>

#include <set>
#include <sstream>
#include <string>

// Whole-file reading and writing of XML archives, so that a save either replaces
// the file completely or leaves it untouched, and a damaged file is refused before
// the serialisation library (which can abort, exhaust memory or write past its
// tables on one) acts on it.

// False when there is no file to open. Anything but a regular file, and a file
// larger than any the game writes, throws Damaged_archive unread.
bool read_file_bytes(std::string const& path, std::string& bytes);

// Replaces the file only once every byte is written; on failure the old file
// stays and error says why.
bool write_file_atomically(std::string const& path, std::string const& bytes, std::string& error);

// The root element of a file named after itself: its name without the directory.
std::string file_base_name(std::string const& path);

template <class T> std::string write_xml_archive(char const* root, T const& value)
{
    std::ostringstream out;
    {
        boost::archive::xml_oarchive archive(out);
        archive << boost::serialization::make_nvp(root, value);
    }
    return out.str();
}

// Objects inside elements named in `private_elements` may not be referred to
// from elsewhere in the file (see Archive_structure).
template <class T>
void read_xml_archive(std::string const& bytes, char const* root, T& value, std::set<std::string> private_elements = {})
{
    Archive_structure const structure(bytes, std::move(private_elements));
    std::istringstream in(bytes);
    Checked_xml_iarchive archive(in, structure);
    archive >> boost::serialization::make_nvp(root, value);
}

#endif
