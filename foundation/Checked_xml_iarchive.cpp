#include "foundation/Checked_xml_iarchive.h"

// The reader's templates, compiled here for this archive as the library
// compiles them for its own.
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_xml_iarchive.ipp>
#include <boost/archive/impl/xml_iarchive_impl.ipp>

#include <algorithm>
#include <cmath>
#include <cstring>

template class boost::archive::detail::archive_serializer_map<Checked_xml_iarchive>;
template class boost::archive::basic_xml_iarchive<Checked_xml_iarchive>;
template class boost::archive::xml_iarchive_impl<Checked_xml_iarchive>;

namespace
{

// Names the library wraps values in; the element a player would look for is
// the one around them.
bool is_wrapper_name(char const* name)
{
    for (char const* wrapper : {"v", "item", "first", "second", "value"})
    {
        if (std::strcmp(name, wrapper) == 0) return true;
    }
    return false;
}

template <class Stack> struct Popped_on_exit
{
    Stack& stack;
    ~Popped_on_exit() { stack.pop_back(); }
};

} // namespace

Checked_xml_iarchive::Checked_xml_iarchive(std::istream& in, Archive_structure const& structure)
    : Base(in, 0), _structure(structure)
{
    init();
}

void Checked_xml_iarchive::fail(char const* reason) const
{
    throw Damaged_archive(std::string(reason) + " (tag " + std::to_string(_tags_started) + ")");
}

void Checked_xml_iarchive::take(unsigned attributes)
{
    unsigned const present = _unread & attributes;
    if (!present) fail("the reader takes an attribute the tag lacks");
    _unread &= ~present;
}

void Checked_xml_iarchive::finish_tag() const
{
    if (_unread) fail("the reader leaves an attribute of the tag unread");
}

void Checked_xml_iarchive::load_start(char const* name)
{
    // An object read through its pointer continues the pointer's tag.
    if (!name) return;
    finish_tag();
    basic_xml_iarchive<Checked_xml_iarchive>::load_start(name);
    // The library compares names only at the end tag, reading the expected name
    // as far as the file's is long; the root's name it never checks.
    if (_tags_started > 0 && gimpl->rv.object_name != name)
        throw boost::archive::xml_archive_exception(boost::archive::xml_archive_exception::xml_archive_tag_mismatch,
                                                    name);
    std::vector<unsigned> const& tags = _structure.tag_attributes();
    if (_tags_started >= tags.size()) fail("more tags read than the file holds");
    _unread = tags[_tags_started++];
    bool const is_private = _structure.private_elements().count(name) != 0;
    _private_frames.push_back(is_private);
    if (is_private) ++_private_depth;
    _element_names.push_back(name);
}

void Checked_xml_iarchive::load_end(char const* name)
{
    if (!name) return;
    finish_tag();
    basic_xml_iarchive<Checked_xml_iarchive>::load_end(name);
    if (!_element_names.empty()) _element_names.pop_back();
    if (_private_frames.empty()) return;
    if (_private_frames.back()) --_private_depth;
    _private_frames.pop_back();
}

template <class Real> void Checked_xml_iarchive::load_real(Real& value)
{
    std::streampos const start = is.tellg();
    try
    {
        Base::load(value);
        if (std::isfinite(value)) return;
    }
    catch (boost::archive::archive_exception const&)
    {
    }
    fail_unreadable_number(start);
}

void Checked_xml_iarchive::load(float& value)
{
    load_real(value);
}

void Checked_xml_iarchive::load(double& value)
{
    load_real(value);
}

void Checked_xml_iarchive::fail_unreadable_number(std::streampos start)
{
    is.clear();
    is.seekg(start);
    std::string text;
    std::getline(is, text, '<');
    std::size_t const shown_length = 40;
    if (text.size() > shown_length) text = text.substr(0, shown_length) + "...";

    is.seekg(0);
    std::size_t line = 1;
    for (std::streamoff at = 0; at < std::streamoff(start) && is; ++at)
    {
        if (is.get() == '\n') ++line;
    }

    std::string element = "the archive";
    for (auto name = _element_names.rbegin(); name != _element_names.rend(); ++name)
    {
        if (!is_wrapper_name(*name))
        {
            element = *name;
            break;
        }
    }
    throw Unreadable_number("\"" + text + "\" in " + element + " on line " + std::to_string(line) +
                            " does not read as a finite number");
}

bool Checked_xml_iarchive::is_registered(Type const* type) const
{
    return std::find(_classes.begin(), _classes.end(), type) != _classes.end();
}

void Checked_xml_iarchive::register_class(Type const* type)
{
    if (!is_registered(type)) _classes.push_back(type);
}

void Checked_xml_iarchive::register_basic_serializer(Serializer const& serializer)
{
    register_class(&serializer.get_eti());
    boost::archive::detail::basic_iarchive::register_basic_serializer(serializer);
}

void Checked_xml_iarchive::load_object(void* object, Serializer const& serializer)
{
    register_class(&serializer.get_eti());
    _readings.push_back({false, nullptr, nullptr, &serializer.get_eti(), false});
    Popped_on_exit<std::vector<Reading>> reading{_readings};
    boost::archive::detail::basic_iarchive::load_object(object, serializer);
}

Checked_xml_iarchive::Pointer_serializer const*
Checked_xml_iarchive::load_pointer(void*& object, Pointer_serializer const* declared, Finder finder)
{
    _readings.push_back({true, declared, finder, nullptr, false});
    Popped_on_exit<std::vector<Reading>> reading{_readings};
    return boost::archive::detail::basic_iarchive::load_pointer(object, declared, finder);
}

Checked_xml_iarchive::Reading& Checked_xml_iarchive::pointer_reading()
{
    if (_readings.empty() || !_readings.back().through_pointer) fail("a class id outside a pointer");
    return _readings.back();
}

void Checked_xml_iarchive::load_override(boost::archive::class_id_type& id)
{
    take(Archive_structure::Class_id | Archive_structure::Class_id_reference);
    Base::load_override(id);
    Reading& reading = pointer_reading();
    int const class_id = id;
    if (class_id == -1) return; // a null pointer
    if (class_id < 0) fail("a negative class id");
    if (std::size_t(class_id) < _classes.size())
    {
        reading.type = _classes[std::size_t(class_id)];
        return;
    }
    // The library takes this for a class it has not met, registers the class
    // the file names (or the pointer's own) and stores it under this id.
    if (std::size_t(class_id) != _classes.size()) fail("a class id beyond the next one");
    if (reading.declared && !reading.declared->get_basic_serializer().is_polymorphic())
        fail("a new class id for a class already known");
    reading.class_pending = true;
}

void Checked_xml_iarchive::load_override(boost::archive::class_name_type& name)
{
    take(Archive_structure::Class_name);
    Base::load_override(name);
    Reading& reading = pointer_reading();
    if (!reading.class_pending) fail("a class name for a known class");
    Type const* type = Type::find(name);
    if (!type) return; // the library refuses unregistered classes itself
    Pointer_serializer const* serializer = reading.finder(*type);
    if (!serializer) fail("a class this file cannot hold");
    Type const* registered = &serializer->get_basic_serializer().get_eti();
    if (is_registered(registered)) fail("a class named again under a new id");
    _classes.push_back(registered);
    reading.type = registered;
    reading.class_pending = false;
}

void Checked_xml_iarchive::load_override(boost::archive::tracking_type& tracking)
{
    // A new class's id goes with its tracking level; objects do not read it.
    take(Archive_structure::Tracking_level);
    _unread &= ~unsigned(Archive_structure::Class_id);
    Base::load_override(tracking);
}

void Checked_xml_iarchive::load_override(boost::archive::version_type& version)
{
    take(Archive_structure::Version);
    Base::load_override(version);
}

void Checked_xml_iarchive::load_override(boost::archive::object_id_type& id)
{
    bool const is_reference = (_unread & Archive_structure::Object_id_reference) != 0;
    take(Archive_structure::Object_id | Archive_structure::Object_id_reference);
    Base::load_override(id);
    if (_readings.empty()) fail("an object id outside an object");
    Reading const& reading = _readings.back();
    std::size_t const object = std::size_t(unsigned(id));

    if (object < _objects.size())
    {
        // The library hands back the object read before, whatever the tag says.
        Loaded_object const& referred = _objects[object];
        if (!is_reference) fail("a new object under an old object's id");
        if (!reading.through_pointer || !referred.through_pointer)
            fail("a reference to an object not read through a pointer");
        if (referred.is_private) fail("a reference into an object's own parts");
        if (!reading.type || referred.type != reading.type) fail("an object referred to under another class");
        return;
    }
    if (is_reference || object != _objects.size()) fail("an object id out of sequence");
    _objects.push_back({reading.type, reading.through_pointer, _private_depth > 0});
}
