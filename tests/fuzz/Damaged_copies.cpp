#include "Damaged_copies.h"

#include <algorithm>
#include <map>
#include <random>
#include <regex>
#include <set>

namespace
{

struct Span
{
    std::size_t begin;
    std::size_t end;
};

struct Element
{
    std::string name;
    Span start_tag;
    Span end_tag;
    Span text; // between the tags, for leaves
    bool is_leaf;
};

struct Attribute
{
    std::string name;
    std::string value;
    Span value_span;
};

// The element layout of a well-formed archive, found by scanning its tags.
struct Layout
{
    explicit Layout(std::string const& text)
    {
        std::vector<std::size_t> open;
        for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1))
        {
            std::size_t const close = text.find('>', at);
            if (close == std::string::npos) break;
            char const next = text[at + 1];
            if (next == '?' || next == '!') continue;
            Span const tag{at, close + 1};
            if (next == '/')
            {
                if (open.empty()) break;
                Element& element = elements[open.back()];
                element.end_tag = tag;
                element.text = {element.start_tag.end, at};
                open.pop_back();
                continue;
            }
            std::size_t name_end = at + 1;
            while (name_end < close && text[name_end] != ' ' && text[name_end] != '/') ++name_end;
            if (!open.empty()) elements[open.back()].is_leaf = false;
            open.push_back(elements.size());
            elements.push_back({text.substr(at + 1, name_end - at - 1), tag, tag, {0, 0}, true});
        }
        static std::regex const attribute_pattern("([a-z_]+)=\"([^\"]*)\"");
        for (auto match = std::sregex_iterator(text.begin(), text.end(), attribute_pattern);
             match != std::sregex_iterator(); ++match)
        {
            std::size_t const value_begin = std::size_t(match->position(2));
            attributes.push_back({match->str(1), match->str(2), {value_begin, value_begin + match->str(2).size()}});
        }
    }

    std::vector<Element> elements;
    std::vector<Attribute> attributes;
};

typedef Damaged_copy::Edit Edit;

std::vector<Edit> replaced(Span span, std::string const& by)
{
    return {{span.begin, span.end, by}};
}

std::vector<Edit> replaced_everywhere(std::string const& text, std::string const& from, std::string const& to)
{
    std::vector<Edit> edits;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + from.size()))
        edits.push_back({at, at + from.size(), to});
    return edits;
}

bool is_number(std::string const& text)
{
    static std::regex const number("\\s*-?[0-9][0-9.e+-]*\\s*");
    return std::regex_match(text, number);
}

class Damage
{
public:
    Damage(std::string const& original, unsigned seed, bool thorough)
        : _original(original), _layout(original), _random(seed), _thorough(thorough)
    {
    }

    std::vector<Damaged_copy> all()
    {
        truncations();
        tags_and_elements();
        counts();
        values();
        class_names();
        class_ids();
        versions();
        tracking_levels();
        object_ids();
        return std::move(_copies);
    }

private:
    void add(std::string what, std::vector<Edit> edits)
    {
        bool changes = false;
        for (Edit const& edit : edits) changes |= _original.compare(edit.begin, edit.end - edit.begin, edit.text) != 0;
        if (changes) _copies.push_back({std::move(what), std::move(edits)});
    }

    // Up to `count` entries of `items`, spread by the seed (all when thorough and
    // `all_when_thorough`).
    template <class T> std::vector<T> sample(std::vector<T> items, std::size_t count, bool all_when_thorough = false)
    {
        std::shuffle(items.begin(), items.end(), _random);
        if (!(_thorough && all_when_thorough) && items.size() > count) items.resize(count);
        return items;
    }

    std::vector<Element> elements_where(bool (*keep)(Element const&)) const
    {
        std::vector<Element> found;
        for (Element const& element : _layout.elements)
        {
            if (keep(element)) found.push_back(element);
        }
        return found;
    }

    std::vector<Attribute> attributes_named(std::string const& name) const
    {
        std::vector<Attribute> found;
        for (Attribute const& attribute : _layout.attributes)
        {
            if (attribute.name == name) found.push_back(attribute);
        }
        return found;
    }

    void truncations()
    {
        std::size_t const size = _original.size();
        for (std::size_t cut = 1; cut <= 40 && cut < size; ++cut)
            add("the last " + std::to_string(cut) + " bytes cut", replaced({size - cut, size}, ""));
        int const parts = _thorough ? 24 : 8;
        for (int part = 1; part < parts; ++part)
        {
            std::size_t const at = size * std::size_t(part) / std::size_t(parts);
            add("cut at byte " + std::to_string(at), replaced({at, size}, ""));
        }
    }

    void tags_and_elements()
    {
        std::vector<Element> const inner(_layout.elements.begin() + 1, _layout.elements.end());
        std::size_t const many = _thorough ? 24 : 4;
        for (Element const& element : sample(inner, many))
        {
            std::string const start =
                _original.substr(element.start_tag.begin, element.start_tag.end - element.start_tag.begin);
            add("start tag of " + element.name + " deleted", replaced(element.start_tag, ""));
            add("start tag of " + element.name + " doubled", replaced(element.start_tag, start + start));
        }
        for (Element const& element : sample(inner, many))
        {
            std::string const end =
                _original.substr(element.end_tag.begin, element.end_tag.end - element.end_tag.begin);
            add("end tag of " + element.name + " deleted", replaced(element.end_tag, ""));
            add("end tag of " + element.name + " doubled", replaced(element.end_tag, end + end));
        }
        for (Element const& element : sample(inner, many))
        {
            Span const whole{element.start_tag.begin, element.end_tag.end};
            std::string const copy = _original.substr(whole.begin, whole.end - whole.begin);
            add("element " + element.name + " deleted", replaced(whole, ""));
            add("element " + element.name + " doubled", replaced(whole, copy + copy));
        }
    }

    void counts()
    {
        std::vector<Element> const counts = elements_where([](Element const& e) { return e.name == "count"; });
        for (Element const& count : sample(counts, _thorough ? 12 : 2))
        {
            long const stored = std::stol(_original.substr(count.text.begin, count.text.end - count.text.begin));
            for (std::string const& value :
                 {std::string("4000000000"), std::string("99999999999999999999"), std::string("2000000"),
                  std::string("-1"), std::string("-7"), std::string("abc"), std::string(""), std::string("1e5"),
                  std::to_string(stored + 1), std::to_string(std::max(stored - 1, 0L))})
                add("count " + std::to_string(stored) + " made " + value, replaced(count.text, value));
        }
    }

    void values()
    {
        static std::vector<std::string> const values{"nan", "inf", "-inf", "1e38",   "-1e38", "1e39", "2e9",
                                                     "5e7", "5e6", "-7",   "100000", "0",     "abc"};
        std::vector<Element> const numbers = elements_where([](Element const&) { return true; });
        std::map<std::string, std::vector<Element>> by_name;
        for (Element const& element : numbers)
        {
            if (element.is_leaf &&
                is_number(_original.substr(element.text.begin, element.text.end - element.text.begin)))
                by_name[element.name].push_back(element);
        }
        std::vector<std::pair<Element, std::string>> chosen;
        for (auto const& name : by_name)
        {
            // Every kind of value, once with every special value when thorough.
            Element const element = sample(name.second, 1).front();
            if (_thorough)
            {
                for (std::string const& value : values) chosen.push_back({element, value});
            }
            else
            {
                chosen.push_back({element, values[_random() % values.size()]});
            }
        }
        for (auto const& change : sample(chosen, _thorough ? chosen.size() : 24))
            add(change.first.name + " made " + change.second, replaced(change.first.text, change.second));
    }

    void class_names()
    {
        static std::vector<std::string> const names{"Box_barrier",     "Plane_barrier",   "Molecule_releaser",
                                                    "Box_portal",      "Sphere_portal",   "Brownian_box",
                                                    "Tractor_barrier", "Charged_barrier", "Molecule_capture_condition",
                                                    "Wobble_barrier",  "Level_element",   "x"};
        for (Attribute const& attribute : attributes_named("class_name"))
        {
            for (std::string const& name : sample(names, _thorough ? names.size() : 3))
                add("class name " + attribute.value + " made " + name, replaced(attribute.value_span, name));
        }
    }

    void renumbered(std::string const& attribute_name, std::size_t how_many, std::vector<std::string> const& extra)
    {
        for (Attribute const& attribute : sample(attributes_named(attribute_name), how_many))
        {
            bool const object = attribute.value.front() == '_';
            long const number = std::stol(object ? attribute.value.substr(1) : attribute.value);
            std::vector<std::string> values = extra;
            for (long delta : {1L, -1L, 5L}) values.push_back((object ? "_" : "") + std::to_string(number + delta));
            for (std::string const& value : values)
                add(attribute_name + " " + attribute.value + " made " + value, replaced(attribute.value_span, value));
        }
    }

    // The attribute and its value dropped, or renamed.
    void rewritten(std::string const& attribute_name, std::size_t how_many, std::string const& rename)
    {
        for (Attribute const& attribute : sample(attributes_named(attribute_name), how_many))
        {
            Span const whole{attribute.value_span.begin - attribute_name.size() - 3, attribute.value_span.end + 1};
            add(attribute_name + "=\"" + attribute.value + "\" deleted", replaced(whole, ""));
            if (!rename.empty())
                add(attribute_name + "=\"" + attribute.value + "\" renamed " + rename,
                    replaced(whole, " " + rename + "=\"" + attribute.value + "\""));
        }
    }

    void class_ids()
    {
        std::size_t const many = _thorough ? 16 : 2;
        renumbered("class_id", many, {"0", "-1", "-5", "32768", "70000", "x"});
        renumbered("class_id_reference", many, {"0", "-1", "9999"});
        rewritten("class_id", many / 2, "class_id_reference");
        rewritten("class_id_reference", many / 2, "class_id");
    }

    void versions()
    {
        for (Attribute const& attribute : sample(attributes_named("version"), _thorough ? 16 : 2))
        {
            long const version = std::stol(attribute.value);
            bool const archive = attribute.value_span.begin < _layout.elements.front().start_tag.end;
            std::vector<std::string> values{std::to_string(version + 1), "0", "99", "4294967296"};
            if (archive) values = {"0", "1", "9", "17", "19", "255", "x"};
            for (std::string const& value : values)
                add(std::string(archive ? "archive " : "") + "version " + attribute.value + " made " + value,
                    replaced(attribute.value_span, value));
        }
        rewritten("version", 3, "");
    }

    void tracking_levels()
    {
        for (Attribute const& attribute : sample(attributes_named("tracking_level"), _thorough ? 24 : 3))
        {
            for (std::string const value : {"0", "1", "2"})
                add("tracking level " + attribute.value + " made " + value, replaced(attribute.value_span, value));
        }
        rewritten("tracking_level", 3, "");

        // Portals and their conditions untracked, with and without their ids.
        static std::regex const tracked(
            "<(_end_condition|item|px|second) (class_id=\"\\d+\"(?: class_name=\"[A-Za-z_]+\")?) "
            "tracking_level=\"1\"( version=\"\\d+\")( object_id=\"_\\d+\")");
        for (auto match = std::sregex_iterator(_original.begin(), _original.end(), tracked);
             match != std::sregex_iterator(); ++match)
        {
            Span const span{std::size_t(match->position(0)), std::size_t(match->position(0) + match->length(0))};
            std::string const head =
                "<" + match->str(1) + " " + match->str(2) + " tracking_level=\"0\"" + match->str(3);
            add("untracked " + match->str(2), replaced(span, head + match->str(4)));
            add("untracked without its id " + match->str(2), replaced(span, head));
        }
    }

    void object_ids()
    {
        std::size_t const many = _thorough ? 16 : 2;
        renumbered("object_id", many, {"_0", "_999999"});
        rewritten("object_id", many / 2, "object_id_reference");
        rewritten("object_id_reference", many / 2, "object_id");

        // References pointed at other objects.
        std::vector<Attribute> const ids = attributes_named("object_id");
        if (ids.empty()) return;
        for (Attribute const& reference : sample(attributes_named("object_id_reference"), _thorough ? 24 : 4))
        {
            for (int i = 0; i < 3; ++i)
            {
                std::string const target = ids[_random() % ids.size()].value;
                add("object reference " + reference.value + " made " + target, replaced(reference.value_span, target));
            }
        }

        // An element renamed to the id of its own properties, and every reference
        // to it with it.
        int done = 0;
        for (Element const& element : _layout.elements)
        {
            std::string const element_id = object_id_of(element);
            if (element_id.empty() || element.name == "_properties" || done == 3) continue;
            for (Element const& part : _layout.elements)
            {
                if (part.name != "_properties" || part.start_tag.begin < element.start_tag.end ||
                    part.end_tag.end > element.end_tag.begin)
                    continue;
                std::string const properties_id = object_id_of(part);
                if (properties_id.empty()) break;
                ++done;
                add("element " + element_id + " renamed to its properties' id " + properties_id,
                    replaced_everywhere(_original, "\"" + element_id + "\"", "\"" + properties_id + "\""));
                std::vector<Edit> swapped =
                    replaced_everywhere(_original, "\"" + element_id + "\"", "\"" + properties_id + "\"");
                for (Edit& edit : replaced_everywhere(_original, "\"" + properties_id + "\"", "\"" + element_id + "\""))
                    swapped.push_back(std::move(edit));
                std::sort(swapped.begin(), swapped.end(),
                          [](Edit const& a, Edit const& b) { return a.begin < b.begin; });
                add("element " + element_id + " and its properties " + properties_id + " swapped ids", swapped);
                break;
            }
        }
    }

    std::string object_id_of(Element const& element) const
    {
        std::string const tag =
            _original.substr(element.start_tag.begin, element.start_tag.end - element.start_tag.begin);
        std::size_t const at = tag.find(" object_id=\"");
        if (at == std::string::npos) return std::string();
        std::size_t const begin = at + 12;
        return tag.substr(begin, tag.find('"', begin) - begin);
    }

    std::string const& _original;
    Layout const _layout;
    std::mt19937 _random;
    bool const _thorough;
    std::vector<Damaged_copy> _copies;
};

} // namespace

std::vector<Damaged_copy> damaged_copies(std::string const& original, unsigned seed, bool thorough)
{
    return Damage(original, seed, thorough).all();
}

std::string Damaged_copy::bytes(std::string const& original) const
{
    std::string result;
    std::size_t from = 0;
    for (Edit const& edit : edits)
    {
        result.append(original, from, edit.begin - from);
        result += edit.text;
        from = edit.end;
    }
    result.append(original, from, std::string::npos);
    return result;
}

std::vector<Damaged_copy> foreign_files(std::string const& original, unsigned seed)
{
    std::mt19937 random(seed);
    std::string garbage(4096, '\0');
    for (char& byte : garbage) byte = char(random() & 0xff);
    std::string text_garbage(4096, ' ');
    for (char& c : text_garbage) c = "<>/=\" _abcdefghijklmnopqrstuvwxyz0123456789\n"[random() % 44];
    std::vector<std::pair<char const*, std::string>> const files{
        {"an empty file", ""},
        {"binary garbage", garbage},
        {"angle-bracket garbage", text_garbage},
        {"plain text", "this is not a file of the game\n"},
        {"an XML header alone", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"},
        {"an empty archive", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n<!DOCTYPE "
                             "boost_serialization>\n<boost_serialization signature=\"serialization::archive\" "
                             "version=\"18\">\n</boost_serialization>\n"},
    };
    std::vector<Damaged_copy> copies;
    for (auto const& file : files) copies.push_back({file.first, {{0, original.size(), file.second}}});
    return copies;
}
