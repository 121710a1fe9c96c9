#ifndef FOUNDATION_XML_ARCHIVE_FILE_H
#define FOUNDATION_XML_ARCHIVE_FILE_H

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/nvp.hpp>

#include <sstream>
#include <string>

// Whole-file reading and writing of XML archives, so that a save either replaces
// the file completely or leaves it untouched, and a damaged file is refused before
// the serialisation library (which can abort or exhaust memory on one) sees it.

bool read_file_bytes(std::string const& path, std::string& bytes);

// Throws boost::archive::xml_archive_exception unless the text is well-formed XML
// with a closed root and no element "count" as large as the text itself.
void check_xml_archive(std::string const& bytes);

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

template <class T> void read_xml_archive(std::string const& bytes, char const* root, T& value)
{
    check_xml_archive(bytes);
    std::istringstream in(bytes);
    boost::archive::xml_iarchive archive(in);
    archive >> boost::serialization::make_nvp(root, value);
}

#endif
