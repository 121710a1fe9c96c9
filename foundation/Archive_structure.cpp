#include "foundation/Archive_structure.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <cstdint>
#include <limits>
#include <map>
#include <vector>

Damaged_archive::Damaged_archive(std::string const& reason)
    : boost::archive::xml_archive_exception(xml_archive_parsing_error), _message("damaged archive: " + reason)
{
}

namespace
{

// Boost 1.74 writes 18; the game's oldest files say 10.
unsigned long long const oldest_archive_version = 10;
unsigned long long const newest_archive_version = 18;
// Far deeper than any file of the game nests, far shallower than would exhaust
// the reader's stack.
int const deepest_nesting = 100;

// How an object came into the file: only an object first read through a pointer
// may be referred to again, and the first tag of a class does not say which.
enum class Made
{
    By_value,
    Perhaps_by_pointer,
    By_pointer
};

struct Object_entry
{
    long long class_id;
    Made made;
    bool is_private;
};

struct Frame
{
    QString name;
    int items = 0;
    long long declared_count = -1;
    bool has_children = false;
    bool must_be_empty = false;
    bool is_private = false;
    QString text;
};

struct Tag
{
    unsigned present = 0;
    long long class_id = -2;
    long long class_id_reference = -1;
    std::string class_name;
    long long tracking_level = -1;
    long long object_id = -1;
    long long object_id_reference = -1;

    bool has(unsigned attribute) const { return (present & attribute) != 0; }
};

bool parse_digits(QStringRef const& text, unsigned long long max, long long& value)
{
    if (text.isEmpty() || text.size() > 19) return false;
    unsigned long long result = 0;
    for (QChar const c : text)
    {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        result = result * 10 + unsigned(c.unicode() - '0');
        if (result > max) return false;
    }
    value = (long long)result;
    return true;
}

bool is_class_name(QStringRef const& text)
{
    if (text.isEmpty() || text.size() >= 128) return false;
    for (int i = 0; i < text.size(); ++i)
    {
        QChar const c = text.at(i);
        bool const letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
        bool const digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!letter && !(i > 0 && (digit || c == QLatin1Char(':')))) return false;
    }
    return true;
}

class Structure_check
{
public:
    Structure_check(std::string const& bytes, std::set<std::string> const& private_elements,
                    std::vector<unsigned>& tag_attributes)
        : _reader(QByteArray::fromRawData(bytes.data(), int(bytes.size()))), _file_size(bytes.size()),
          _private_elements(private_elements), _tag_attributes(tag_attributes)
    {
    }

    void run()
    {
        while (!_reader.atEnd())
        {
            switch (_reader.readNext())
            {
            case QXmlStreamReader::StartDocument:
            case QXmlStreamReader::EndDocument:
                break;
            case QXmlStreamReader::DTD:
                check_document_type();
                break;
            case QXmlStreamReader::StartElement:
                start_element();
                break;
            case QXmlStreamReader::EndElement:
                end_element();
                break;
            case QXmlStreamReader::Characters:
                characters();
                break;
            case QXmlStreamReader::Invalid:
                fail(_reader.errorString().toStdString());
            default:
                fail("no archive writes comments, processing instructions or entities");
            }
        }
        if (_reader.hasError()) fail(_reader.errorString().toStdString());
        if (!_saw_root_object) fail("no root object");
    }

private:
    [[noreturn]] void fail(std::string const& reason) const
    {
        throw Damaged_archive(reason + " (line " + std::to_string(_reader.lineNumber()) + ")");
    }

    void check_document_type()
    {
        if (_reader.dtdName() != QLatin1String("boost_serialization") || !_reader.entityDeclarations().isEmpty() ||
            !_reader.notationDeclarations().isEmpty())
            fail("unexpected document type");
    }

    void start_element()
    {
        if (!_frames.empty())
        {
            Frame& parent = _frames.back();
            if (parent.must_be_empty) fail("a reference or null pointer holds contents");
            if (!parent.text.trimmed().isEmpty()) fail("text beside elements");
            parent.has_children = true;
            if (_reader.name() == QLatin1String("item")) ++parent.items;
        }
        if (int(_frames.size()) >= deepest_nesting) fail("nested too deeply");

        Frame frame;
        frame.name = _reader.name().toString();
        frame.is_private =
            (!_frames.empty() && _frames.back().is_private) || _private_elements.count(frame.name.toStdString()) != 0;

        if (_frames.empty())
            check_wrapper();
        else if (_frames.size() == 1)
            start_root_object(frame);
        else
            check_tag(frame);
        _frames.push_back(frame);
    }

    void check_wrapper()
    {
        if (_reader.name() != QLatin1String("boost_serialization")) fail("not an archive");
        QXmlStreamAttributes const attributes = _reader.attributes();
        long long version = 0;
        // Told apart from a broken header: the file may be good for a newer game.
        if (attributes.size() == 2 && attributes.value("signature") == QLatin1String("serialization::archive") &&
            parse_digits(attributes.value("version"), std::numeric_limits<unsigned int>::max(), version) &&
            (unsigned long long)version > newest_archive_version)
            throw Newer_archive();
        if (attributes.size() != 2 || attributes.value("signature") != QLatin1String("serialization::archive") ||
            !parse_digits(attributes.value("version"), newest_archive_version, version) ||
            (unsigned long long)version < oldest_archive_version)
            fail("unknown archive header");
    }

    void start_root_object(Frame& frame)
    {
        if (_saw_root_object) fail("more than one root object");
        _saw_root_object = true;
        check_tag(frame);
    }

    Tag read_tag()
    {
        Tag tag;
        for (QXmlStreamAttribute const& attribute : _reader.attributes())
        {
            QStringRef const name = attribute.name();
            QStringRef const value = attribute.value();
            bool ok = true;
            if (name == QLatin1String("class_id"))
            {
                if (value == QLatin1String("-1"))
                    tag.class_id = -1;
                else
                    ok = parse_digits(value, 32767, tag.class_id);
                tag.present |= Archive_structure::Class_id;
            }
            else if (name == QLatin1String("class_id_reference"))
            {
                ok = parse_digits(value, 32767, tag.class_id_reference);
                tag.present |= Archive_structure::Class_id_reference;
            }
            else if (name == QLatin1String("class_name"))
            {
                ok = is_class_name(value);
                tag.class_name = value.toString().toStdString();
                tag.present |= Archive_structure::Class_name;
            }
            else if (name == QLatin1String("tracking_level"))
            {
                ok = parse_digits(value, 1, tag.tracking_level);
                tag.present |= Archive_structure::Tracking_level;
            }
            else if (name == QLatin1String("version"))
            {
                long long version = 0;
                ok = parse_digits(value, 65535, version);
                tag.present |= Archive_structure::Version;
            }
            else if (name == QLatin1String("object_id") || name == QLatin1String("object_id_reference"))
            {
                bool const reference = name == QLatin1String("object_id_reference");
                ok = value.startsWith(QLatin1Char('_')) &&
                     parse_digits(value.mid(1), UINT32_MAX - 1, reference ? tag.object_id_reference : tag.object_id);
                tag.present |= reference ? Archive_structure::Object_id_reference : Archive_structure::Object_id;
            }
            else
            {
                fail("unknown attribute " + name.toString().toStdString());
            }
            if (!ok) fail("malformed attribute " + name.toString().toStdString());
        }
        return tag;
    }

    void check_tag(Frame& frame)
    {
        Tag const tag = read_tag();
        _tag_attributes.push_back(tag.present);

        long long const class_id = class_of(tag, frame);
        if (class_id == -1) return; // a null pointer

        bool const has_object =
            tag.has(Archive_structure::Object_id) || tag.has(Archive_structure::Object_id_reference);
        if (tag.has(Archive_structure::Object_id) && tag.has(Archive_structure::Object_id_reference))
            fail("an object both new and referred to");
        if (class_id >= 0 && _class_tracked.at(class_id) != has_object)
            fail(has_object ? "an object id on an untracked class" : "a tracked object without its id");

        if (tag.has(Archive_structure::Object_id))
        {
            if (tag.object_id != (long long)_objects.size())
                fail("object id _" + std::to_string(tag.object_id) + " out of sequence");
            Made const made =
                class_id < 0 ? Made::By_value
                : (tag.has(Archive_structure::Class_id_reference) || tag.has(Archive_structure::Class_name))
                    ? Made::By_pointer
                    : Made::Perhaps_by_pointer;
            _objects.push_back({class_id, made, frame.is_private});
        }
        if (tag.has(Archive_structure::Object_id_reference)) check_object_reference(tag, frame);
    }

    // The element's class: its own id, one met before, or -2 when the tag names
    // none (a member, or an object of a class met before).
    long long class_of(Tag const& tag, Frame& frame)
    {
        unsigned const class_details =
            Archive_structure::Class_name | Archive_structure::Tracking_level | Archive_structure::Version;
        if (tag.has(Archive_structure::Class_id) && tag.has(Archive_structure::Class_id_reference))
            fail("a class both new and referred to");

        if (tag.has(Archive_structure::Class_id) && tag.class_id == -1)
        {
            if (tag.present != Archive_structure::Class_id) fail("a null pointer with attributes");
            frame.must_be_empty = true;
            return -1;
        }
        if (tag.has(Archive_structure::Class_id))
        {
            // New ids rise with the tags. The writer also numbers classes that
            // write no details of their own (collections of numbers), and the old
            // shared pointer layout sets an id aside for its counter before the
            // counter's tag, so the ids need not be consecutive; the reader then
            // checks them against its own table.
            if (_class_tracked.count(tag.class_id) || tag.class_id >= (long long)_tag_attributes.size())
                fail("class id " + std::to_string(tag.class_id) + " out of sequence");
            if (!tag.has(Archive_structure::Tracking_level) || !tag.has(Archive_structure::Version))
                fail("a new class without tracking level or version");
            if (tag.has(Archive_structure::Class_name) && !_class_names.insert(tag.class_name).second)
                fail("class " + tag.class_name + " named twice");
            _class_tracked[tag.class_id] = tag.tracking_level == 1;
            return tag.class_id;
        }
        if (tag.has(Archive_structure::Class_id_reference))
        {
            if (!_class_tracked.count(tag.class_id_reference))
                fail("class id reference " + std::to_string(tag.class_id_reference) + " to no class read before");
            if (tag.present & class_details) fail("a class reference with class details");
            return tag.class_id_reference;
        }
        if (tag.present & class_details) fail("class details without a class id");
        return -2;
    }

    void check_object_reference(Tag const& tag, Frame& frame)
    {
        if (!tag.has(Archive_structure::Class_id_reference)) fail("an object reference outside a pointer");
        if (tag.object_id_reference >= (long long)_objects.size())
            fail("object reference _" + std::to_string(tag.object_id_reference) + " to no object read before");
        Object_entry const& referred = _objects[size_t(tag.object_id_reference)];
        if (referred.made == Made::By_value) fail("a pointer to an object stored by value");
        if (referred.is_private) fail("a reference into an object's own parts");
        if (referred.class_id != tag.class_id_reference) fail("an object referred to under another class");
        frame.must_be_empty = true;
    }

    void end_element()
    {
        Frame const frame = _frames.back();
        _frames.pop_back();
        if (frame.declared_count >= 0 && frame.declared_count != frame.items)
            fail("a count of " + std::to_string(frame.declared_count) + " over " + std::to_string(frame.items) +
                 " items");
        if (frame.name == QLatin1String("count") && _frames.size() > 1) count_ended(frame);
    }

    void count_ended(Frame const& frame)
    {
        long long count = 0;
        if (frame.has_children || !parse_digits(QStringRef(&frame.text).trimmed(), _file_size, count))
            fail("a malformed count");
        Frame& collection = _frames.back();
        if (collection.declared_count >= 0) fail("two counts in one collection");
        collection.declared_count = count;
    }

    void characters()
    {
        if (_reader.isCDATA()) fail("no archive writes CDATA");
        if (_frames.empty() || _reader.isWhitespace())
        {
            if (!_frames.empty()) _frames.back().text += _reader.text();
            return;
        }
        Frame& frame = _frames.back();
        if (frame.has_children || frame.must_be_empty || _frames.size() == 1) fail("text beside elements");
        frame.text += _reader.text();
    }

    QXmlStreamReader _reader;
    unsigned long long const _file_size;
    std::set<std::string> const& _private_elements;
    std::vector<unsigned>& _tag_attributes;

    std::vector<Frame> _frames;
    bool _saw_root_object = false;
    std::map<long long, bool> _class_tracked;
    std::set<std::string> _class_names;
    std::vector<Object_entry> _objects;
};

} // namespace

Archive_structure::Archive_structure(std::string const& bytes, std::set<std::string> private_elements)
    : _private_elements(std::move(private_elements))
{
    Structure_check(bytes, _private_elements, _tag_attributes).run();
}
