#include "foundation/Parameter_list.h"

#include "support/Capture_stdout.h"
#include "support/Text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <boost/archive/archive_exception.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::HasSubstr;

namespace
{

// A small settings tree like the one the simulation publishes, owning its parts.
struct Settings
{
    std::vector<std::string> events;
    Parameter speed{"physics_speed", 1.f, -10.f, 10.f, [this] { events.push_back("speed callback"); }};
    Parameter steps{"steps", 3, 1, 9};
    Parameter toggle{"Toggle simulation", false};
    Parameter levels{"levels", false};
    Parameter renderer{"Renderer", 0, {"Editor Renderer", "Shader Renderer"}, [this] { record("renderer callback"); }};
    Parameter reset{};
    Parameter strength{"Strength", 1.f, 1.f, 200.f};
    Parameter enable{"multi_enable", true};
    Parameter_list list;
    Parameter_list* forces = nullptr;
    Parameter_list* coulomb = nullptr;

    Settings()
    {
        levels._value = std::string("Intro 0,Intro 1");
        reset._name = "Reset";
        reset._special_type = Parameter::Button;
        reset._callback = [this] { events.push_back("button callback"); };
        list.add(&speed);
        list.add(&steps);
        list.add(&toggle);
        list.add(&levels);
        list.add(&renderer);
        list.add(&reset);
        forces = list.add_child("Atomic Force Type", Parameter_list::Multi_select);
        coulomb = forces->add_child("Coulomb Force");
        coulomb->add(&strength);
        coulomb->add(&enable);
    }

    ~Settings()
    {
        delete coulomb;
        delete forces;
    }

    void record(std::string const& what)
    {
        events.push_back(what + " value=" + boost::get<std::string>(renderer._value) +
                         " index=" + std::to_string(renderer._index));
    }
};

struct Recording_listener : Notifiable
{
    explicit Recording_listener(std::function<void()> on_notify) : on_notify(std::move(on_notify)) {}
    void notify() override { on_notify(); }
    std::function<void()> on_notify;
};

class Parameter_file : public ::testing::Test
{
protected:
    std::string path(std::string const& name) const
    {
        return QDir(dir.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    QTemporaryDir dir;
};

// Element names of the children of the first element called `parent`, in order.
std::vector<std::string> child_names(std::string const& xml, std::string const& parent)
{
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    std::vector<std::string> names;
    int depth = 0, parent_depth = -1;
    while (!reader.atEnd())
    {
        reader.readNext();
        if (reader.isStartElement())
        {
            ++depth;
            if (parent_depth < 0 && reader.name().toString().toStdString() == parent)
                parent_depth = depth;
            else if (parent_depth > 0 && depth == parent_depth + 1)
                names.push_back(reader.name().toString().toStdString());
        }
        else if (reader.isEndElement())
        {
            if (depth == parent_depth) break;
            --depth;
        }
    }
    return names;
}

} // namespace

TEST_F(Parameter_file, saved_then_loaded_into_a_fresh_list_restores_every_value_and_index)
{
    std::string const file = path("simulation_settings.data");
    {
        Settings saved;
        saved.speed.set_value_no_update(2.5f);
        saved.steps.set_value_no_update(7);
        saved.toggle.set_value_no_update(true);
        saved.levels.set_value_no_update("Intro 0,Level 1");
        saved.renderer.set_value_no_update(std::string("Shader Renderer"));
        saved.strength.set_value_no_update(42.f);
        saved.enable.set_value_no_update(false);
        ASSERT_TRUE(saved.list.save(file));
    }

    Settings loaded;
    loaded.speed.set_min_max<float>(0.f, 2.f); // ranges changed in code since hold for the loaded value
    {
        Capture_stdout out;
        loaded.list.load(file);
    }
    EXPECT_EQ(2.f, loaded.speed.get_value<float>());
    EXPECT_EQ(7, loaded.steps.get_value<int>());
    EXPECT_TRUE(loaded.toggle.get_value<bool>());
    EXPECT_EQ("Intro 0,Level 1", loaded.levels.get_value<std::string>());
    EXPECT_EQ(1, loaded.renderer._index);
    EXPECT_EQ("Shader Renderer", loaded.renderer.get_value<std::string>());
    EXPECT_EQ(42.f, loaded.strength.get_value<float>());
    EXPECT_FALSE(loaded.enable.get_value<bool>());
}

TEST_F(Parameter_file, saved_file_has_the_documented_layout)
{
    std::string const file = path("default_simulation_settings.data");
    Settings settings;
    {
        Capture_stdout out;
        ASSERT_TRUE(settings.list.save(file));
        EXPECT_EQ("Parameter_list::save " + file + "\n", out.text());
    }
    std::string const xml = read_text(file);

    EXPECT_THAT(xml, HasSubstr("<!DOCTYPE boost_serialization>"));
    EXPECT_THAT(xml, HasSubstr("signature=\"serialization::archive\""));
    EXPECT_EQ((std::vector<std::string>{"default_simulation_settings.data"}), child_names(xml, "boost_serialization"));
    EXPECT_EQ((std::vector<std::string>{"_list", "_children", "_children_type"}),
              child_names(xml, "default_simulation_settings.data"));
    EXPECT_EQ((std::vector<std::string>{"_name", "_description", "_value", "_index", "_value_list", "_special_type",
                                        "_order_index"}),
              child_names(xml, "second"));
    EXPECT_EQ((std::vector<std::string>{"which", "value"}), child_names(xml, "_value"));

    // Another list built the same way gives the same bytes: nothing uninitialised reaches the file.
    Settings twin;
    ASSERT_TRUE(twin.list.save(file));
    EXPECT_EQ(xml, read_text(file));
}

TEST_F(Parameter_file, merge_sets_value_runs_callback_notifies_sets_index_and_notifies_again)
{
    std::string const file = path("settings");
    {
        Settings saved;
        saved.renderer.set_value_no_update(std::string("Shader Renderer"));
        saved.list.save(file);
    }

    Settings loaded;
    Recording_listener listener([&] { loaded.record("notify"); });
    loaded.renderer.add_listener(&listener);
    Capture_stdout out;
    loaded.list.load(file);

    // Keys merge in byte order: "Renderer" before "physics_speed".
    EXPECT_EQ((std::vector<std::string>{"renderer callback value=Shader Renderer index=0",
                                        "notify value=Shader Renderer index=0", "notify value=Shader Renderer index=1",
                                        "speed callback"}),
              loaded.events);
    // The loaded list is printed after the merge.
    EXPECT_THAT(out.text(), HasSubstr("Renderer: Renderer, type: "));
}

TEST_F(Parameter_file, unknown_names_are_reported_and_the_rest_is_merged_within_its_ranges)
{
    std::string const file = path("settings");
    {
        Parameter extra("retired", 1, 0, 5), speed("physics_speed", 50.f, 0.f, 100.f), child_value("x", true);
        Parameter steps("steps", -40, -100, 100);
        Parameter_list list;
        list.add(&extra);
        list.add(&speed);
        list.add(&steps);
        std::unique_ptr<Parameter_list> orphan(list.add_child("Orphan"));
        orphan->add(&child_value);
        list.save(file);
    }

    Settings settings;
    Capture_stdout out;
    settings.list.load(file);

    EXPECT_THAT(out.text(), HasSubstr("Parameter_list::load(): No such parameter: retired\n"));
    EXPECT_THAT(out.text(), HasSubstr("Parameter_list::load(): No such child: Orphan\n"));
    EXPECT_EQ(10.f, settings.speed.get_value<float>()); // 50 is beyond the range of -10..10
    EXPECT_EQ(1, settings.steps.get_value<int>());
    EXPECT_THAT(out.text(), HasSubstr("Parameter_list::load(): Value out of range, clamped: physics_speed\n"));
    EXPECT_THAT(out.text(), HasSubstr("Parameter_list::load(): Value out of range, clamped: steps\n"));
}

TEST_F(Parameter_file, missing_file_changes_nothing)
{
    Settings settings;
    Capture_stdout out;
    settings.list.load(path("does_not_exist"));
    EXPECT_EQ("Parameter file not found\n", out.text());
    EXPECT_EQ(1.f, settings.speed.get_value<float>());
    EXPECT_TRUE(settings.events.empty());
}

TEST_F(Parameter_file, damaged_files_throw_before_anything_changes)
{
    std::string const good_file = path("settings");
    {
        Settings saved;
        saved.speed.set_value_no_update(9.f);
        saved.list.save(good_file);
    }
    std::string const good = read_text(good_file);
    std::string huge_count = good;
    huge_count.replace(huge_count.find("<count>"), std::string("<count>6").size(), "<count>4000000000");

    std::vector<std::pair<std::string, std::string>> const damaged{
        {"not xml", "garbage"},
        {"truncated inside the closing tag", good.substr(0, good.rfind("</boost_serialization>") + 10)},
        {"truncated after the list", good.substr(0, good.find("_children_type>") + 30)},
        {"huge count", huge_count},
    };

    for (auto const& damage : damaged)
    {
        write_text(good_file, damage.second);
        Settings settings;
        Capture_stdout out;
        EXPECT_ANY_THROW(settings.list.load(good_file)) << damage.first;
        EXPECT_EQ(1.f, settings.speed.get_value<float>()) << damage.first;
        EXPECT_TRUE(settings.events.empty()) << damage.first;
    }
}

TEST_F(Parameter_file, values_of_another_type_bad_indices_and_empty_entries_are_refused)
{
    std::string const file = path("settings");
    {
        Parameter speed("physics_speed", 4, 0, 10); // an int where the code declares a float
        Parameter renderer("Renderer", 0, {"a", "b", "c", "d", "e"});
        renderer._index = 4; // no such choice in the code's list of two
        Parameter_list list;
        list.add(&speed);
        list.add(&renderer);
        list._list["steps"] = nullptr;
        list.save(file);
    }
    EXPECT_THAT(read_text(file), HasSubstr("class_id=\"-1\""));

    Settings settings;
    Capture_stdout out;
    settings.list.load(file);

    EXPECT_EQ(1.f, settings.speed.get_value<float>());
    EXPECT_EQ(0, settings.renderer._index);
    EXPECT_EQ(3, settings.steps.get_value<int>());
    EXPECT_THAT(out.text(), HasSubstr("Parameter_list::load(): Wrong type, value kept: physics_speed\n"));
    EXPECT_THAT(out.text(), HasSubstr("Parameter_list::load(): Invalid index, index kept: Renderer\n"));
}

TEST_F(Parameter_file, buttons_take_the_value_but_never_run_their_callback)
{
    std::string const file = path("settings");
    Settings settings;
    settings.list.save(file);
    settings.events.clear();
    Capture_stdout out;
    settings.list.load(file);
    EXPECT_EQ(0, std::count(settings.events.begin(), settings.events.end(), "button callback"));
}

TEST_F(Parameter_file, failed_saves_keep_the_old_file)
{
    std::string const file = path("my settings");
    write_text(file, "old contents");
    Settings settings;
    {
        Capture_stdout out;
        EXPECT_THROW(settings.list.save(file), boost::archive::archive_exception); // a blank is no XML name
    }
    EXPECT_EQ("old contents", read_text(file));

    std::string const unwritable = path("no_such_dir/settings");
    Capture_stdout out;
    EXPECT_FALSE(settings.list.save(unwritable));
    EXPECT_THAT(out.text(), HasSubstr("Parameter_list::save: could not write " + unwritable));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(unwritable)));
}

// Files written by the serialisation library of earlier releases: archive version
// 10, an untracked variant and floats in short form.
TEST_F(Parameter_file, files_of_the_earlier_format_load_and_merge)
{
    std::string const file = path("simulation_settings.data");
    QFile::copy(TEST_FIXTURE_DIR "/foundation/fixtures/simulation_settings.data", QString::fromStdString(file));

    Settings settings;
    Capture_stdout out;
    settings.list.load(file);

    EXPECT_EQ(-10.f, settings.speed.get_value<float>());
    EXPECT_EQ(5, settings.steps.get_value<int>());
    EXPECT_TRUE(settings.toggle.get_value<bool>());
    EXPECT_EQ("Intro 0,Intro 1,Intro 2", settings.levels.get_value<std::string>());
    EXPECT_EQ(1, settings.renderer._index);
    EXPECT_EQ(1.5f, settings.strength.get_value<float>());
    EXPECT_FALSE(settings.enable.get_value<bool>());
}
