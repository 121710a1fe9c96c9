#include "foundation/Parameter_list.h"
#include "foundation/Xml_archive_file.h"

#include "support/Capture_stdout.h"
#include "support/Text_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace
{

// A small tree with every shape of a parameter file: a class met first through
// a pointer, then again by reference, an entry shared by two keys and a child.
struct Small_settings
{
    Parameter alpha{"alpha", 5.f, 0.f, 10.f};
    Parameter beta{"beta", 2, 0, 5};
    Parameter gamma{"gamma", true};
    Parameter_list list;
    std::unique_ptr<Parameter_list> child{list.add_child("child")};

    Small_settings()
    {
        list.add(&alpha);
        list.add(&beta);
        list._list["delta"] = &alpha;
        child->add(&gamma);
    }
};

std::string replaced(std::string text, std::string const& from, std::string const& to)
{
    std::string::size_type const at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class Archive_structure_test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Small_settings saved;
        saved.alpha.set_value_no_update(7.f);
        Capture_stdout quiet;
        ASSERT_TRUE(saved.list.save(file));
        good = read_text(file);
    }

    // The damaged file is refused before anything changes.
    void expect_refused(char const* what, std::string const& damaged)
    {
        SCOPED_TRACE(what);
        write_text(file, damaged);
        Small_settings settings;
        Capture_stdout quiet;
        EXPECT_THROW(settings.list.load(file), Damaged_archive);
        EXPECT_EQ(5.f, settings.alpha.get_value<float>());
    }

    QTemporaryDir dir;
    std::string const file = dir.filePath("settings").toStdString();
    std::string good;
};

} // namespace

TEST_F(Archive_structure_test, the_writers_own_file_loads)
{
    Small_settings settings;
    Capture_stdout quiet;
    settings.list.load(file);
    EXPECT_EQ(7.f, settings.alpha.get_value<float>());
}

// Each of these made the library write past its class or object tables, or hand
// one object over as another.
TEST_F(Archive_structure_test, class_ids_out_of_step_with_the_readers_table_are_refused)
{
    expect_refused("the first new class id of the shipped defaults made the next one",
                   replaced(good, "<second class_id=\"3\"", "<second class_id=\"4\""));
    expect_refused(
        "a class id reference to no class read before",
        replaced(good, "class_id_reference=\"3\" object_id=\"_5\"", "class_id_reference=\"8\" object_id=\"_5\""));
    expect_refused("a pointer's new class id beyond the next one",
                   replaced(good, "<second class_id_reference=\"0\" object_id=\"_9\">",
                            "<second class_id=\"30\" tracking_level=\"1\" version=\"0\" object_id=\"_9\">"));
    // The next id free in the reader's table, and the document's own later use of
    // it moved on.
    expect_refused("a new class id for a class the reader knows",
                   replaced(replaced(good, "<second class_id_reference=\"3\" object_id=\"_5\">",
                                     "<second class_id=\"6\" tracking_level=\"1\" version=\"0\" object_id=\"_5\">"),
                            "<_children class_id=\"6\"", "<_children class_id=\"8\""));
}

TEST_F(Archive_structure_test, object_ids_and_references_must_be_the_writers)
{
    expect_refused("an object id out of sequence", replaced(good, "object_id=\"_5\"", "object_id=\"_7\""));
    expect_refused("an object's id deleted", replaced(good, "<_value object_id=\"_6\">", "<_value>"));
    expect_refused("an object id on a class untracked", replaced(good, "<_value class_id=\"4\" tracking_level=\"1\"",
                                                                 "<_value class_id=\"4\" tracking_level=\"0\""));
    expect_refused("a reference to a stored value under a parameter's class",
                   replaced(good, "object_id_reference=\"_1\"", "object_id_reference=\"_2\""));
    std::string::size_type const child = good.find("<second class_id_reference=\"0\"");
    std::string::size_type const child_end = good.find("</second>\n\t\t</item>\n\t</_children>");
    ASSERT_NE(std::string::npos, child_end);
    std::string to_root = good;
    to_root.replace(child, child_end + 9 - child,
                    "<second class_id_reference=\"0\" object_id_reference=\"_0\"></second>");
    expect_refused("a child referring back to the root list", to_root);
    expect_refused(
        "a reference stripped of its ids, which the library would take from the tag before",
        replaced(good, "<second class_id_reference=\"3\" object_id_reference=\"_1\"></second>", "<second></second>"));
}

TEST_F(Archive_structure_test, framing_the_writer_never_produces_is_refused)
{
    expect_refused("a count over more items than there are", replaced(good, "<count>3</count>", "<count>4</count>"));
    expect_refused("a comment", replaced(good, "<_list", "<!-- a note --><_list"));
    expect_refused(
        "an entity declared in the document type",
        replaced(good, "<!DOCTYPE boost_serialization>", "<!DOCTYPE boost_serialization [<!ENTITY e \"x\">]>"));
    expect_refused("a newer archive version", replaced(good, "version=\"18\"", "version=\"19\""));
    expect_refused("a second root object",
                   replaced(good, "</boost_serialization>", "<settings></settings></boost_serialization>"));
}

TEST_F(Archive_structure_test, a_tag_the_reader_does_not_expect_is_refused_at_its_start)
{
    // The reader met "item_version" where it wanted "count", and compared the
    // names at the end tag by reading the shorter one past its end.
    std::string const start = "<count>3</count>";
    write_text(file, replaced(good, start, ""));
    Small_settings settings;
    Capture_stdout quiet;
    try
    {
        settings.list.load(file);
        FAIL();
    }
    catch (boost::archive::xml_archive_exception const& error)
    {
        EXPECT_EQ(boost::archive::xml_archive_exception::xml_archive_tag_mismatch, error.code);
    }
    EXPECT_EQ(5.f, settings.alpha.get_value<float>());
}

TEST(Archive_file, a_file_larger_than_any_the_game_writes_is_not_read)
{
    QTemporaryDir dir;
    QFile huge(dir.filePath("huge"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(65) << 20)); // sparse: nothing is written
    huge.close();
    std::string bytes;
    EXPECT_THROW(read_file_bytes(huge.fileName().toStdString(), bytes), Damaged_archive);
    EXPECT_TRUE(bytes.empty());
}
