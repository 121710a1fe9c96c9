#ifndef FOUNDATION_ARCHIVE_STRUCTURE_H
#define FOUNDATION_ARCHIVE_STRUCTURE_H

#include <boost/archive/xml_archive_exception.hpp>

#include <set>
#include <string>
#include <vector>

// A file the serialisation library's own writer cannot have produced. The
// library trusts the ids in the file: a class id out of sequence, or an object
// reference under another class than the object's, makes it write past its
// tables or hand one object over as another. Such files are refused first.
class Damaged_archive : public boost::archive::xml_archive_exception
{
public:
    explicit Damaged_archive(std::string const& reason);
    char const* what() const noexcept override { return _message.c_str(); }

private:
    std::string _message;
};

// An archive written by a newer version of the serialisation library than ours:
// unreadable here, but no broken file; it may be good for the game that wrote it.
class Newer_archive : public Damaged_archive
{
public:
    Newer_archive() : Damaged_archive("written by a newer version") {}
};

// The framing of an XML archive, checked before the library reads a byte of it:
// well formed, one root object, every collection's count that of its items, new
// class ids in sequence with one class name at most per class, tracked objects
// numbered in document order, and every back reference to an object read before
// through a pointer of its own class. Objects inside an element named in
// `private_elements` belong to the object holding them and may not be referred
// to from elsewhere. Throws Damaged_archive.
class Archive_structure
{
public:
    enum Attribute : unsigned
    {
        Class_id = 1u,
        Class_id_reference = 2u,
        Class_name = 4u,
        Tracking_level = 8u,
        Version = 16u,
        Object_id = 32u,
        Object_id_reference = 64u,
    };

    explicit Archive_structure(std::string const& bytes, std::set<std::string> private_elements = {});

    // The attributes of every start tag inside the archive's wrapper, in document
    // order: the reader checks that the library takes exactly these.
    std::vector<unsigned> const& tag_attributes() const { return _tag_attributes; }
    std::set<std::string> const& private_elements() const { return _private_elements; }

private:
    std::vector<unsigned> _tag_attributes;
    std::set<std::string> _private_elements;
};

#endif
