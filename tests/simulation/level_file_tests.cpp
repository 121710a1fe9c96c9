#include "simulation/Charged_barrier.h"
#include "simulation/Level_data.h"
#include "simulation/Level_file.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Tractor_barrier.h"

#include "support/Capture_stdout.h"
#include "support/Full_level.h"
#include "support/Text_file.h"
#include "support/Vector_expect.h"

#include <QTemporaryDir>

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/xml_archive_exception.hpp>

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace
{

typedef boost::archive::archive_exception Archive_error;
typedef boost::archive::xml_archive_exception Xml_error;

std::string fixture(std::string const& name)
{
    return std::string(TEST_FIXTURE_DIR) + "/simulation/fixtures/" + name;
}

std::string replace_first(std::string text, std::string const& from, std::string const& to)
{
    std::string::size_type const at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string replace_after(std::string text, std::string const& anchor, std::string const& from, std::string const& to)
{
    std::string::size_type const at = text.find(from, text.find(anchor));
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

float property_value(Level_element& element, std::string const& name)
{
    return element.get_properties()[name]->get_value<float>();
}

// Every element the lists point to is one of the owned ones.
void expect_owned_lists(Level_data const& level)
{
    std::set<Level_element const*> owned;
    for (auto const& element : level._level_elements) owned.insert(element.get());
    EXPECT_EQ(level._level_elements.size(), owned.size());
    for (auto const& border : level._game_field_borders) EXPECT_TRUE(owned.count(border.second));
    for (Barrier const* barrier : level._barriers) EXPECT_TRUE(owned.count(barrier));
    for (Portal const* portal : level._portals) EXPECT_TRUE(owned.count(portal));
    for (Brownian_element const* element : level._brownian_elements) EXPECT_TRUE(owned.count(element));
    for (Molecule_releaser const* releaser : level._molecule_releasers) EXPECT_TRUE(owned.count(releaser));
}

Molecule probe_at(Eigen::Vector3f const& position)
{
    Molecule molecule = create_molecule("Na", position);
    molecule._accumulated_charge = 1.f;
    return molecule;
}

class Level_file_test : public ::testing::Test
{
protected:
    std::string path(char const* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
    // Levels and default-built molecules announce themselves.
    Capture_stdout quiet;
};

} // namespace

TEST_F(Level_file_test, default_level_is_written_in_member_order_with_shared_borders)
{
    Level_data level;
    level.reset();
    save_level_file(level, path("default.data"));
    std::string const text = read_text(path("default.data"));

    EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
                            "<!DOCTYPE boost_serialization>\n"
                            "<boost_serialization signature=\"serialization::archive\" version=\"18\">\n"
                            "<_level_data class_id=\"0\" tracking_level=\"0\" version=\"5\">\n"));
    char const* const members[] = {"_game_field_borders",      "_barriers",          "_portals",
                                   "_molecule_releasers",      "_brownian_elements", "_level_elements",
                                   "_available_elements",      "_score_time_factor", "_background_name",
                                   "_translation_damping",     "_rotation_damping",  "_rotation_fluctuation",
                                   "_translation_fluctuation", "_external_forces",   "_molecules"};
    std::string::size_type previous = 0;
    for (char const* member : members)
    {
        std::string::size_type const at = text.find(std::string("\n\t<") + member);
        ASSERT_NE(std::string::npos, at) << member;
        EXPECT_LT(previous, at) << member;
        previous = at;
    }
    EXPECT_EQ(std::string::npos, text.find("_gravity"));

    // Written once under the borders, referred to from the lists.
    std::string::size_type const barriers = text.find("<_barriers");
    std::string::size_type const elements = text.find("<_level_elements");
    std::string const barrier_list = text.substr(barriers, text.find("</_barriers>") - barriers);
    std::string const element_list = text.substr(elements, text.find("</_level_elements>") - elements);
    for (std::string const* list : {&barrier_list, &element_list})
    {
        int references = 0;
        for (auto at = list->find("object_id_reference="); at != std::string::npos;
             at = list->find("object_id_reference=", at + 1))
            ++references;
        EXPECT_EQ(6, references);
        EXPECT_EQ(std::string::npos, list->find("<_position"));
    }

    Level_data loaded;
    load_level_file(path("default.data"), loaded);
    ASSERT_EQ(6u, loaded._barriers.size());
    ASSERT_EQ(6u, loaded._level_elements.size());
    Level_data::Plane const order[] = {Level_data::X_min, Level_data::X_max, Level_data::Y_min,
                                       Level_data::Y_max, Level_data::Z_min, Level_data::Z_max};
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(loaded._game_field_borders.at(order[i]), loaded._barriers[i]);
        EXPECT_EQ(loaded._barriers[i], loaded._level_elements[i].get());
    }
}

TEST_F(Level_file_test, every_element_kind_survives_a_round_trip_unchanged)
{
    Full_level original;
    save_level_file(original.level, path("first.data"));

    Level_data loaded;
    load_level_file(path("first.data"), loaded);
    save_level_file(loaded, path("second.data"));
    std::string const first = read_text(path("first.data"));
    EXPECT_EQ(first, read_text(path("second.data")));
    EXPECT_NE(std::string::npos, first.find("<initialized>0</initialized>"));

    expect_owned_lists(loaded);
    EXPECT_EQ(original.level._level_elements.size(), loaded._level_elements.size());
    ASSERT_EQ(10u, loaded._barriers.size());
    ASSERT_EQ(2u, loaded._portals.size());
    ASSERT_EQ(1u, loaded._brownian_elements.size());
    ASSERT_EQ(1u, loaded._molecule_releasers.size());
    ASSERT_TRUE(loaded.has_game_field_borders());
    EXPECT_EQ(100.f, loaded._game_field_width);
    EXPECT_EQ(loaded._game_field_borders.at(Level_data::Z_max), loaded._barriers[5]);

    // Turned elements act in their loaded frames.
    auto* box = dynamic_cast<Box_barrier*>(loaded._barriers[6]);
    auto* plane = dynamic_cast<Plane_barrier*>(loaded._barriers[8]);
    auto* tractor = dynamic_cast<Tractor_barrier*>(loaded._barriers[9]);
    auto* portal = dynamic_cast<Box_portal*>(loaded._portals[0]);
    auto* heat = dynamic_cast<Brownian_box*>(loaded._brownian_elements[0]);
    ASSERT_TRUE(box && plane && tractor && portal && heat);
    for (Eigen::Vector3f const& point :
         {Eigen::Vector3f(-8.f, 3.5f, 3.f), Eigen::Vector3f(-5.f, 0.f, 5.f), Eigen::Vector3f(11.f, 3.f, 1.f),
          Eigen::Vector3f(25.f, 0.f, 3.f), Eigen::Vector3f(24.f, 0.f, 4.5f), Eigen::Vector3f(0.f, 6.f, 4.f),
          Eigen::Vector3f(2.f, -14.f, -20.f)})
    {
        Molecule const probe = probe_at(point);
        expect_near(original.box->get_force(probe), box->get_force(probe), 1e-2f);
        expect_near(original.tilted_plane->get_force(probe), plane->get_force(probe), 1e-3f);
        expect_near(original.tractor->get_force(probe), tractor->get_force(probe), 1e-5f);
        EXPECT_EQ(original.box_portal->contains(point), portal->contains(point));
        EXPECT_NEAR(original.heat->get_strength_at(point), heat->get_strength_at(point), 1e-4f);
    }
    EXPECT_TRUE(portal->contains(Eigen::Vector3f(25.f, 0.f, 3.f)));
    EXPECT_FALSE(portal->is_persistent());
    EXPECT_TRUE(loaded._portals[1]->get_destroy_on_entering());

    EXPECT_EQ(original.box->get_animation()._end, box->get_animation()._end);
    EXPECT_EQ(original.tractor->get_particles().size(), tractor->get_particles().size());
    EXPECT_FALSE(tractor->get_particles().empty());
    EXPECT_EQ(100u, heat->get_particles().size());
    EXPECT_EQ(-20.f, property_value(*heat, "strength"));

    // The prepared molecule is released without being prepared again.
    Molecule_releaser* releaser = loaded._molecule_releasers[0];
    EXPECT_EQ(0, releaser->get_queued_atom_count());
    EXPECT_TRUE(releaser->check_release(2.25f, false));
    EXPECT_EQ(3u, releaser->make_molecule(2.25f)._atoms.size());

    ASSERT_EQ(3u, loaded._molecules.size());
    auto molecule = loaded._molecules.begin();
    for (Molecule const& expected : original.level._molecules)
    {
        EXPECT_EQ(expected._atoms.size(), molecule->_atoms.size());
        EXPECT_EQ(expected._x, molecule->_x);
        EXPECT_TRUE(expected._q.isApprox(molecule->_q));
        EXPECT_EQ(expected._atoms.back()._charge, molecule->_atoms.back()._charge);
        ++molecule;
    }
    expect_near(Eigen::Vector3f(0.f, 0.f, -9.81f), loaded._external_forces.at("gravity")._force);
    EXPECT_EQ(2, loaded._available_elements.at("Brownian_box"));
}

TEST_F(Level_file_test, older_versions_load)
{
    {
        Level_data level;
        load_level_file(fixture("level_version_2.data"), level);
        EXPECT_FLOAT_EQ(0.3f, level._translation_damping);
        EXPECT_FLOAT_EQ(0.3f, level._rotation_damping);
        EXPECT_EQ(3.f, level._rotation_fluctuation);
        EXPECT_EQ("nebula.png", level._background_name);
        EXPECT_EQ(90.f, level._score_time_factor);
        expect_owned_lists(level);

        ASSERT_EQ(1u, level._portals.size());
        EXPECT_FALSE(level._portals[0]->get_destroy_on_entering());
        EXPECT_EQ(3, level._portals[0]->get_end_condition().get_min_captured_molecules());
        ASSERT_EQ(1u, level._molecule_releasers.size());
        Molecule_releaser* releaser = level._molecule_releasers[0];
        EXPECT_EQ("Na", releaser->get_molecule_type());
        EXPECT_FALSE(releaser->check_release(1.2f, false));

        // The file's elements carry no properties; the code looks them up by name.
        ASSERT_EQ(2u, level._barriers.size());
        Level_element& charged = *level._barriers[0];
        EXPECT_EQ(5.f, property_value(charged, "charge"));
        EXPECT_EQ(-10.f, charged.get_properties()["charge"]->get_min<float>());
        EXPECT_EQ(10.f, charged.get_properties()["charge"]->get_max<float>());
        Level_element& tractor = *level._barriers[1];
        EXPECT_EQ(2.f, property_value(tractor, "tractor_strength"));
        EXPECT_EQ(5.f, property_value(tractor, "radius"));
        EXPECT_EQ(100.f, tractor.get_properties()["radius"]->get_max<float>());
    }
    {
        Level_data level;
        load_level_file(fixture("level_version_3.data"), level);
        expect_near(Eigen::Vector3f(0.f, 0.f, -9.81f), level._external_forces.at("gravity")._force);
        EXPECT_EQ(1u, level._external_forces.size());
        EXPECT_TRUE(level._molecules.empty());
        EXPECT_EQ(-10.f, level._translation_fluctuation);
        EXPECT_EQ(4, level._available_elements.at("Brownian_box"));
        level.update_parameters_from_data();
        EXPECT_FLOAT_EQ(9.81f, level.get_parameters()["gravity"]->get_value<float>());
        EXPECT_EQ(-10.f, level.get_parameters()["Temperature"]->get_value<float>());
    }
    {
        Level_data level;
        load_level_file(fixture("level_old_shared_pointers.data"), level);
        ASSERT_EQ(2u, level._barriers.size());
        ASSERT_EQ(2u, level._level_elements.size());
        for (int i = 0; i < 2; ++i)
        {
            EXPECT_EQ(level._barriers[i], level._level_elements[i].get());
            EXPECT_EQ(1, level._level_elements[i].use_count());
        }
        expect_near(Eigen::Vector3f(5.f, 1.f, 1.f), level._barriers[1]->get_position());
    }
}

TEST_F(Level_file_test, damaged_files_raise_the_archive_errors_and_leave_no_stray_elements)
{
    Full_level original;
    save_level_file(original.level, path("good.data"));
    std::string const good = read_text(path("good.data"));

    struct Damage
    {
        char const* what;
        std::string text;
    };
    std::string const strength = "<_strength>1.000000000e+04</_strength>";
    Damage const damages[] = {
        {"unknown class", replace_first(good, "class_name=\"Tractor_barrier\"", "class_name=\"Wobble_barrier\"")},
        {"wrong tag", replace_first(replace_first(good, "<_score_time_factor>", "<_score_factor>"),
                                    "</_score_time_factor>", "</_score_factor>")},
        {"nan", replace_first(good, "<_charge>-3.000000000e+00</_charge>", "<_charge>nan</_charge>")},
        {"newer level", replace_first(good, "version=\"5\"", "version=\"6\"")},
        {"newer portal", replace_after(good, "<Portal class_id", "version=\"1\"", "version=\"2\"")},
        {"truncated", good.substr(0, good.size() / 2)},
    };
    for (Damage const& damage : damages)
    {
        SCOPED_TRACE(damage.what);
        write_text(path("damaged.data"), damage.text);
        Level_data level;
        EXPECT_THROW(load_level_file(path("damaged.data"), level), Archive_error);
        expect_owned_lists(level);
    }

    Level_data level;
    try
    {
        write_text(path("damaged.data"), replace_first(good, "version=\"5\"", "version=\"6\""));
        load_level_file(path("damaged.data"), level);
        FAIL();
    }
    catch (Archive_error const& error)
    {
        EXPECT_EQ(Archive_error::unsupported_class_version, error.code);
    }
    try
    {
        load_level_file(path("absent.data"), level);
        FAIL();
    }
    catch (std::runtime_error const& error)
    {
        EXPECT_STREQ("No such file.", error.what());
    }

    // The check before a load says why, and reads the good file as it is.
    std::string reason;
    EXPECT_FALSE(is_loadable_level_file(path("absent.data"), reason));
    EXPECT_EQ("No such file.", reason);
    write_text(path("damaged.data"), good.substr(0, good.size() / 2));
    EXPECT_FALSE(is_loadable_level_file(path("damaged.data"), reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(is_loadable_level_file(path("good.data"), reason));
}

TEST_F(Level_file_test, references_must_name_a_whole_element_of_its_own_class)
{
    Full_level original;
    save_level_file(original.level, path("good.data"));
    std::string const good = read_text(path("good.data"));

    // The heat box's "strength" made the tractor's "radius": two owners of one parameter.
    std::smatch radius;
    std::string const after_radius = good.substr(good.find("<first>radius</first>"));
    ASSERT_TRUE(std::regex_search(after_radius, radius,
                                  std::regex("class_id(?:_reference)?=\"(\\d+)\"[^>]*object_id=\"(_\\d+)\"")));
    std::string::size_type const strength = good.find("<second ", good.find("<first>strength</first>"));
    std::string shared = good;
    shared.replace(strength, good.find("</second>", strength) - strength,
                   "<second class_id_reference=\"" + radius.str(1) + "\" object_id_reference=\"" + radius.str(2) +
                       "\">");

    // A border plane passed off as a box.
    std::smatch box;
    ASSERT_TRUE(std::regex_search(good, box, std::regex("class_id=\"(\\d+)\" class_name=\"Box_barrier\"")));
    std::string const retyped =
        replace_first(good, "<px class_id_reference=\"3\" object_id_reference=\"_0\">",
                      "<px class_id_reference=\"" + box.str(1) + "\" object_id_reference=\"_0\">");

    for (std::string const* text : {static_cast<std::string const*>(&shared), &retyped})
    {
        write_text(path("crafted.data"), *text);
        Level_data level;
        EXPECT_THROW(load_level_file(path("crafted.data"), level), Xml_error);
        expect_owned_lists(level);
    }
}

TEST_F(Level_file_test, failed_saves_leave_the_file_alone)
{
    Level_data level;
    level.reset();
    save_level_file(level, path("level.data"));
    std::string const before = read_text(path("level.data"));

    level.add_element(new Moving_box_barrier(Eigen::Vector3f::Zero(), Eigen::Vector3f::Ones(), 1.f, 1.f));
    try
    {
        save_level_file(level, path("level.data"));
        FAIL();
    }
    catch (Archive_error const& error)
    {
        EXPECT_EQ(Archive_error::unregistered_class, error.code);
    }
    EXPECT_EQ(before, read_text(path("level.data")));

    level.delete_element(level._barriers.back());
    EXPECT_THROW(save_level_file(level, path("missing/folder/level.data")), std::runtime_error);
}

TEST_F(Level_file_test, properties_of_another_type_are_replaced)
{
    Level_data level;
    level.add_element(new Brownian_box(Eigen::Vector3f::Zero(), Eigen::Vector3f::Ones(), 12.f));
    save_level_file(level, path("heat.data"));
    // The heat box's "strength" turned into an int.
    std::string text = read_text(path("heat.data"));
    text = replace_after(text, "<first>strength</first>", "<which>1</which>", "<which>2</which>");
    text = replace_first(text, "<value>1.200000000e+01</value>", "<value>40</value>");
    write_text(path("heat.data"), text);

    Level_data loaded;
    load_level_file(path("heat.data"), loaded);
    ASSERT_EQ(1u, loaded._brownian_elements.size());
    Brownian_element& heat = *loaded._brownian_elements[0];
    EXPECT_EQ(12.f, property_value(heat, "strength"));
    EXPECT_EQ(50.f, heat.get_properties()["strength"]->get_max<float>());
}
