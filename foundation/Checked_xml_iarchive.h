#ifndef FOUNDATION_CHECKED_XML_IARCHIVE_H
#define FOUNDATION_CHECKED_XML_IARCHIVE_H

#include "foundation/Archive_structure.h"

#include <boost/archive/detail/register_archive.hpp>
#include <boost/archive/xml_iarchive.hpp>

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// Text where the file must hold a finite number: the reason names the text, its
// element and its line.
class Unreadable_number : public boost::archive::archive_exception
{
public:
    explicit Unreadable_number(std::string reason)
        : boost::archive::archive_exception(input_stream_error), _reason(std::move(reason))
    {
    }
    char const* what() const noexcept override { return _reason.c_str(); }

private:
    std::string _reason;
};

// The library's XML reader, watched while it reads a file that passed
// Archive_structure. The library takes a class or object id from the last tag
// that had one, so a tag stripped of its ids would be read with another tag's;
// and it believes a new class id even when it already knows the class, writing
// past its class table. Here the reader must take exactly the attributes each
// tag holds, keep its class and object tables in step with the file, and be
// handed back only objects that came through a pointer of the same class.
// Throws Damaged_archive at the first breach, before the library acts on it.
class Checked_xml_iarchive : public boost::archive::xml_iarchive_impl<Checked_xml_iarchive>
{
    typedef boost::archive::xml_iarchive_impl<Checked_xml_iarchive> Base;

public:
    typedef boost::archive::detail::basic_iserializer Serializer;
    typedef boost::archive::detail::basic_pointer_iserializer Pointer_serializer;
    typedef Pointer_serializer const* (*Finder)(boost::serialization::extended_type_info const&);

    Checked_xml_iarchive(std::istream& in, Archive_structure const& structure);
    ~Checked_xml_iarchive() override = default;

    // The library calls these through the archive's own type, so they see every
    // class it registers and every object and pointer it reads.
    void load_object(void* object, Serializer const& serializer);
    Pointer_serializer const* load_pointer(void*& object, Pointer_serializer const* declared, Finder finder);
    void register_basic_serializer(Serializer const& serializer);

protected:
    friend class boost::archive::detail::interface_iarchive<Checked_xml_iarchive>;
    friend class boost::archive::basic_xml_iarchive<Checked_xml_iarchive>;
    friend class boost::archive::load_access;

    void load_start(char const* name);
    void load_end(char const* name);

    template <class T> void load_override(T& value) { Base::load_override(value); }
    void load_override(boost::archive::class_id_type& id);
    void load_override(boost::archive::class_name_type& name);
    void load_override(boost::archive::tracking_type& tracking);
    void load_override(boost::archive::version_type& version);
    void load_override(boost::archive::object_id_type& id);

    // The library refuses text that reads as no number without saying where: a
    // hand-edited "inf" or "1e39" throws Unreadable_number instead.
    using Base::load;
    void load(float& value);
    void load(double& value);

private:
    typedef boost::serialization::extended_type_info Type;

    // One object or pointer being read, innermost last.
    struct Reading
    {
        bool through_pointer;
        Pointer_serializer const* declared;
        Finder finder;
        Type const* type;
        bool class_pending;
    };
    struct Loaded_object
    {
        Type const* type;
        bool through_pointer;
        bool is_private;
    };

    template <class Real> void load_real(Real& value);
    [[noreturn]] void fail_unreadable_number(std::streampos start);
    [[noreturn]] void fail(char const* reason) const;
    void take(unsigned attributes);
    void finish_tag() const;
    bool is_registered(Type const* type) const;
    void register_class(Type const* type);
    Reading& pointer_reading();

    Archive_structure const& _structure;
    std::size_t _tags_started = 0;
    unsigned _unread = 0;
    std::vector<bool> _private_frames;
    // Of the elements open, innermost last.
    std::vector<char const*> _element_names;
    int _private_depth = 0;

    std::vector<Type const*> _classes;
    std::vector<Loaded_object> _objects;
    std::vector<Reading> _readings;
};

BOOST_SERIALIZATION_REGISTER_ARCHIVE(Checked_xml_iarchive)

#endif
