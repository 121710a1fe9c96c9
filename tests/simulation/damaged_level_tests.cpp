#include "simulation/Level_file.h"
#include "simulation/Level_limits.h"

#include "support/Capture_stdout.h"
#include "support/Full_level.h"
#include "support/Hand_edited_level.h"
#include "support/Text_file.h"

#include <QTemporaryDir>

#include <boost/archive/xml_archive_exception.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <regex>
#include <set>

namespace
{

typedef boost::archive::xml_archive_exception Xml_error;
using ::testing::HasSubstr;

std::string replaced(std::string text, std::string const& from, std::string const& to)
{
    std::string::size_type const at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string replaced_everywhere(std::string const& text, std::string const& from, std::string const& to)
{
    return std::regex_replace(text, std::regex(from), to);
}

// The element text of the first `name` after `anchor`, replaced.
std::string with_value(std::string const& text, std::string const& anchor, std::string const& name,
                       std::string const& value)
{
    std::string::size_type const start = text.find("<" + name + ">", text.find(anchor));
    std::string::size_type const end = text.find("</" + name + ">", start);
    EXPECT_NE(std::string::npos, end) << name;
    std::string changed = text;
    changed.replace(start, end - start, "<" + name + ">" + value);
    return changed;
}

int line_of(std::string const& text, std::string const& part)
{
    std::string::size_type const at = text.find(part);
    EXPECT_NE(std::string::npos, at) << part;
    return 1 + int(std::count(text.begin(), text.begin() + std::string::difference_type(at), '\n'));
}

class Damaged_level : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Full_level full;
        save_level_file(full.level, file);
        good = read_text(file);
    }

    void load(std::string const& text, Level_data& level)
    {
        write_text(file, text);
        load_level_file(file, level);
    }

    // Refused, and the level left owning whatever it points to.
    template <class Error> void expect_refused(char const* what, std::string const& text)
    {
        SCOPED_TRACE(what);
        Level_data level;
        EXPECT_THROW(load(text, level), Error);
        std::set<Level_element const*> owned;
        for (auto const& element : level._level_elements) owned.insert(element.get());
        for (Barrier const* barrier : level._barriers) EXPECT_TRUE(owned.count(barrier));
        for (Portal const* portal : level._portals) EXPECT_TRUE(owned.count(portal));
    }

    // Why the loader refused the text; empty when it loaded.
    std::string refusal(std::string const& text)
    {
        try
        {
            Level_data level;
            load(text, level);
        }
        catch (std::exception const& error)
        {
            return error.what();
        }
        return std::string();
    }

    QTemporaryDir dir;
    std::string const file = dir.filePath("level.data").toStdString();
    std::string good;
    Capture_stdout quiet;
};

} // namespace

// Each of these passed the earlier reference check; the library then handed a
// property list over as a barrier, or wrote past its class table.
TEST_F(Damaged_level, ids_that_would_hand_one_object_over_as_another_are_refused)
{
    expect_refused<Xml_error>("a border renamed to its properties' id, with every reference to it",
                              replaced_everywhere(good, "\"_0\"", "\"_1\""));
    expect_refused<Xml_error>("a box portal untracked", replaced(good, "class_name=\"Box_portal\" tracking_level=\"1\"",
                                                                 "class_name=\"Box_portal\" tracking_level=\"0\""));
    expect_refused<Xml_error>("an end condition untracked",
                              replaced(good, "<_end_condition class_id=\"29\" tracking_level=\"1\"",
                                       "<_end_condition class_id=\"29\" tracking_level=\"0\""));
    expect_refused<Xml_error>(
        "a class read by value named again for a new pointer",
        replaced(good, "class_name=\"Brownian_box\"", "class_name=\"Molecule_capture_condition\""));
    expect_refused<Xml_error>(
        "an owned element stripped of its ids",
        replaced(good, "<px class_id_reference=\"15\" object_id_reference=\"_12\"></px>", "<px></px>"));
}

TEST_F(Damaged_level, an_element_named_twice_is_owned_and_listed_once)
{
    std::string const box_reference = "<px class_id_reference=\"15\" object_id_reference=\"_12\"></px>";
    std::string const box_entry = "<item>\n\t\t\t" + box_reference + "\n\t\t</item>";
    std::string text = replaced(good, box_entry, box_entry + "\n\t\t" + box_entry);
    text = replaced(text, "<_level_elements class_id=\"44\" tracking_level=\"0\" version=\"0\">\n\t\t<count>14</count>",
                    "<_level_elements class_id=\"44\" tracking_level=\"0\" version=\"0\">\n\t\t<count>15</count>");
    std::string const border_entry = "<item class_id_reference=\"3\" object_id_reference=\"_0\"></item>";
    text = replaced(text, border_entry, border_entry + "\n\t\t" + border_entry);
    text = replaced(text, "<_barriers class_id=\"14\" tracking_level=\"0\" version=\"0\">\n\t\t<count>10</count>",
                    "<_barriers class_id=\"14\" tracking_level=\"0\" version=\"0\">\n\t\t<count>11</count>");

    Level_data level;
    load(text, level);
    EXPECT_EQ(14u, level._level_elements.size());
    ASSERT_EQ(10u, level._barriers.size());
    EXPECT_EQ(
        1, std::count(level._barriers.begin(), level._barriers.end(), level._game_field_borders.at(Level_data::X_min)));
}

TEST_F(Damaged_level, a_border_under_a_side_that_does_not_exist_is_dropped)
{
    for (std::string const side : {"-7", "100000"})
    {
        Level_data level;
        load(with_value(good, "<_game_field_borders", "first", side), level);
        EXPECT_EQ(5u, level._game_field_borders.size()) << side;
        EXPECT_FALSE(level.has_game_field_borders()) << side;
    }
}

TEST_F(Damaged_level, counts_and_dampings_stay_within_what_a_level_holds)
{
    std::string text = with_value(good, "class_name=\"Box_portal\"", "_min_captured_molecules", "2000000000");
    text = with_value(text, "<_molecule_releasers", "_num_max_molecules", "50000000");
    text = with_value(text, "</_level_elements>", "_translation_damping", "1.000000000e+38");
    text = with_value(text, "</_level_elements>", "_rotation_fluctuation", "-1.000000000e+38");

    Level_data level;
    load(text, level);
    ASSERT_EQ(2u, level._portals.size());
    EXPECT_EQ(level_atom_limit, level._portals[0]->get_end_condition().get_min_captured_molecules());
    level._portals[0]->reset();
    EXPECT_EQ(swarm_particle_limit, static_cast<Box_portal*>(level._portals[0])->get_particles().size());
    EXPECT_EQ(level_atom_limit, level._molecule_releasers[0]->get_num_max_molecules());
    // The two dampings were stored as one, so the mean of 1e38 and 0.3 was taken.
    EXPECT_EQ(1.f, level._translation_damping);
    EXPECT_EQ(1.f, level._rotation_damping);
    EXPECT_EQ(-50.f, level._rotation_fluctuation);
}

TEST_F(Damaged_level, properties_keep_the_ranges_of_the_code)
{
    // The heat box's strength, its range widened in the file to let it pass.
    std::string const heat = "class_name=\"Brownian_box\"";
    std::string text = good;
    std::string::size_type const box = text.find(heat);
    for (auto const& change : {std::make_pair("<value>-2.000000000e+01</value>", "<value>1e38</value>"),
                               std::make_pair("<value>-5.000000000e+01</value>", "<value>-1e38</value>"),
                               std::make_pair("<value>5.000000000e+01</value>", "<value>1e38</value>")})
    {
        std::string::size_type const at = text.find(change.first, box);
        ASSERT_NE(std::string::npos, at) << change.first;
        text.replace(at, std::string(change.first).size(), change.second);
    }
    text = with_value(text, heat, "_strength", "1e38");

    Level_data level;
    load(text, level);
    ASSERT_EQ(1u, level._brownian_elements.size());
    Brownian_element& loaded = *level._brownian_elements[0];
    EXPECT_EQ(50.f, loaded.get_strength());
    Parameter const& strength = *loaded.get_properties()["strength"];
    EXPECT_EQ(50.f, strength.get_value<float>());
    EXPECT_EQ(-50.f, strength.get_min<float>());
    EXPECT_EQ(50.f, strength.get_max<float>());
}

TEST_F(Damaged_level, values_no_arithmetic_survives_are_refused)
{
    // The first frame is a border's; all zeros has no inverse.
    std::string::size_type const frame = good.find("<transform");
    std::string::size_type const body = good.find('>', frame) + 1;
    std::string singular = good;
    std::string zeros;
    for (int i = 0; i < 16; ++i) zeros += "<v>0</v>";
    singular.replace(body, good.find("</transform>", frame) - body, zeros);
    expect_refused<std::runtime_error>("a frame that cannot be inverted", singular);

    // The first box is the box barrier's.
    expect_refused<std::runtime_error>(
        "a box larger than a float measures",
        with_value(with_value(good, "<boxmin>", "v", "-3.0e+38"), "<boxmax>", "v", "3.0e+38"));
    // A molecule's mass follows its atoms, which have masses of their own.
    std::string const molecules = good.substr(good.find("<_molecules"));
    expect_refused<std::runtime_error>("a molecule without mass", good.substr(0, good.size() - molecules.size()) +
                                                                      with_value(molecules, "</_atoms>", "_mass", "0"));
}

// Each loaded without a word before: a level at 1e30 showed an empty field and
// was won unseen, and the releaser released nothing, forever saying why.
TEST_F(Damaged_level, what_lies_beyond_the_fields_reach_or_is_unknown_to_the_game_is_refused_by_name)
{
    EXPECT_THAT(refusal(every_position_at(good, "1e30")),
                HasSubstr("a Plane_barrier at (1e+30, 1e+30, 1e+30), farther than the 10000 units from the field's "
                          "centre that a level reaches"));
    // The first box is the box barrier's, turned.
    EXPECT_THAT(refusal(with_value(with_value(good, "<boxmin>", "v", "-2.0e+04"), "<boxmax>", "v", "2.0e+04")),
                HasSubstr("a Box_barrier reaching ("));
    EXPECT_THAT(refusal(with_value(good, "<_end>", "v", "5.0e+04")),
                HasSubstr("a Box_barrier moving to (50000, 6, 0)"));
    EXPECT_THAT(refusal(with_value(good, "<_extent", "v", "3.0e+04")),
                HasSubstr("a Plane_barrier spanning (30000, 40), wider than the 20000 units across"));
    // The releaser's prepared molecule comes before the level's own.
    EXPECT_THAT(refusal(with_value(good, "<_x>", "v", "-1.0e+30")), HasSubstr("a molecule at (-1e+30, "));
    std::string const molecules = good.substr(good.find("<_molecules"));
    EXPECT_THAT(refusal(good.substr(0, good.size() - molecules.size()) + with_value(molecules, "<_x>", "v", "2e4")),
                HasSubstr("a molecule at (20000, 2, 3)"));
    EXPECT_THAT(refusal(with_value(good, "<_molecule_releasers", "_molecule_type", "Dipole")),
                HasSubstr("a Molecule_releaser of the molecule type \"Dipole\", which the game does not know (it "
                          "knows Cl, H2O, Na)"));

    // Just inside, the level loads.
    EXPECT_EQ("", refusal(with_value(good, "<_end>", "v", "1.0e+04")));
}

TEST_F(Damaged_level, text_that_reads_as_no_finite_number_is_refused_naming_it_and_its_line)
{
    std::string const strength = with_value(good, "class_name=\"Box_barrier\"", "_strength", "inf");
    EXPECT_EQ("\"inf\" in _strength on line " + std::to_string(line_of(strength, "<_strength>inf<")) +
                  " does not read as a finite number",
              refusal(strength));
    std::string const frame = with_value(good, "<transform", "v", "1e39");
    EXPECT_THAT(refusal(frame),
                HasSubstr("\"1e39\" in transform on line " + std::to_string(line_of(frame, "<v>1e39<"))));
    EXPECT_THAT(refusal(with_value(good, "</_level_elements>", "_rotation_damping", "nan")),
                HasSubstr("\"nan\" in _rotation_damping"));
}

TEST_F(Damaged_level, a_level_that_would_not_load_back_is_not_saved)
{
    Full_level full;
    full.box->set_position(Eigen::Vector3f(std::numeric_limits<float>::quiet_NaN(), 0.f, 0.f));
    try
    {
        save_level_file(full.level, file);
        FAIL();
    }
    catch (std::runtime_error const& error)
    {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("could not be loaded back"));
    }
    EXPECT_EQ(good, read_text(file));
}
