#include "foundation/Parameter.h"

#include "support/Capture_stdout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using ::testing::HasSubstr;

namespace
{

struct Recording_listener : Notifiable
{
    explicit Recording_listener(std::function<void()> on_notify = {}) : on_notify(std::move(on_notify)) {}
    void notify() override
    {
        ++count;
        if (on_notify) on_notify();
    }
    int count = 0;
    std::function<void()> on_notify;
};

} // namespace

TEST(Parameter, ranged_values_are_clamped_without_running_the_callback)
{
    int callbacks = 0;
    Parameter p("speed", 10.f, 1.f, 100.f, [&] { ++callbacks; });
    Recording_listener listener;
    p.add_listener(&listener);

    p.set_value_no_update(150.f);
    EXPECT_EQ(100.f, p.get_value<float>());
    p.set_value_no_update(-3.f);
    EXPECT_EQ(1.f, p.get_value<float>());
    p.set_value_no_update(50.f);
    EXPECT_EQ(50.f, p.get_value<float>());

    Parameter count("count", 5, 0, 10);
    count.set_value_no_update(11);
    EXPECT_EQ(10, count.get_value<int>());

    EXPECT_EQ(0, callbacks);
    EXPECT_EQ(3, listener.count);
}

TEST(Parameter, unranged_values_are_stored_as_given)
{
    Parameter flag("flag", false);
    flag.set_value_no_update(true);
    EXPECT_TRUE(flag.get_value<bool>());

    Parameter text;
    text._value = std::string("a");
    text.set_value_no_update("anything at all");
    EXPECT_EQ("anything at all", text.get_value<std::string>());
    EXPECT_EQ(0, text._index);
    EXPECT_EQ(0, text._order_index);
}

TEST(Parameter, setting_the_range_does_not_clamp_until_the_next_set)
{
    Parameter p("p", 5.f, 0.f, 10.f);
    p.set_min_max<float>(0.f, 1.f);
    EXPECT_EQ(5.f, p.get_value<float>());
    EXPECT_EQ(0.f, p.get_min<float>());
    EXPECT_EQ(1.f, p.get_max<float>());
    p.set_value_no_update(5.f);
    EXPECT_EQ(1.f, p.get_value<float>());
}

TEST(Parameter, list_lookup_takes_the_last_equal_choice)
{
    Parameter p("choice", 1, {"x", "y", "x"});
    EXPECT_EQ(Parameter::List, p._special_type);
    EXPECT_EQ("y", p.get_value<std::string>());

    p.set_value_no_update(std::string("x"));
    EXPECT_EQ(2, p._index);
    EXPECT_EQ("x", p.get_value<std::string>());
}

TEST(Parameter, list_without_the_value_keeps_its_choice_lists_the_choices_and_still_notifies)
{
    Parameter p("renderer", 0, {"Editor", "Shader"});
    Recording_listener listener;
    p.add_listener(&listener);

    Capture_stdout out;
    p.set_value_no_update(std::string("Missing"));

    EXPECT_EQ(0, p._index);
    EXPECT_EQ("Editor", p.get_value<std::string>());
    EXPECT_EQ(1, listener.count);
    EXPECT_THAT(out.text(), HasSubstr("Parameter::set_value_no_update  << failed on list parameter: renderer value: "
                                      "Missing\nPossible values:\nEditor\nShader\n"));
}

TEST(Parameter, list_of_another_type_reports_each_foreign_entry)
{
    Parameter p("mixed", 0, {"a"});
    p._value_list.push_back(7);

    Capture_stdout out;
    p.set_value_no_update(std::string("a"));

    EXPECT_EQ(0, p._index);
    std::string const type = typeid(std::string).name();
    EXPECT_THAT(out.text(), HasSubstr("Parameter::set_value_no_update get failed on list parameter: mixed value: a\n" +
                                      type + " " + type + "\nPossible values:\n0: a\n"));
    EXPECT_THAT(out.text(), ::testing::Not(HasSubstr("<< failed")));
}

TEST(Parameter, wrong_type_reads_report_and_reach_the_caller)
{
    Parameter p("strength", 1.f, 0.f, 2.f);
    {
        Capture_stdout out;
        EXPECT_THROW(p.get_value<int>(), boost::bad_get);
        EXPECT_EQ(std::string("Parameter::get_value(): Exception strength\nRequested type: ") + typeid(int).name() +
                      ", stored type: " + typeid(float).name() + "\n",
                  out.text());
    }
    {
        Capture_stdout out;
        EXPECT_THROW(p.get_min<int>(), boost::bad_get);
        EXPECT_THROW(p.get_max<bool>(), boost::bad_get);
        EXPECT_EQ("Parameter::get_min(): Exception strength\nParameter::get_max(): Exception strength\n", out.text());
    }
}

TEST(Parameter, set_from_index_runs_the_callback_before_the_listeners)
{
    std::vector<std::string> events;
    Parameter p("mode", 0, {"a", "b", "c"}, [&] { events.push_back("callback " + p.get_value<std::string>()); });
    Recording_listener listener([&] { events.push_back("listener " + p.get_value<std::string>()); });
    p.add_listener(&listener);

    p.set_from_index(2);

    EXPECT_EQ((std::vector<std::string>{"callback c", "listener c"}), events);
    EXPECT_EQ("c", boost::get<std::string>(p._value));
}

TEST(Parameter, listeners_are_removed_everywhere_and_may_leave_while_being_told)
{
    Parameter p("p", true);
    Recording_listener twice;
    p.add_listener(&twice);
    p.add_listener(&twice);
    p.remove_listener(&twice);
    EXPECT_TRUE(p._listeners.empty());

    // The first listener removes the second, which must then not be told.
    Recording_listener second;
    Recording_listener first([&] {
        p.remove_listener(&first);
        p.remove_listener(&second);
    });
    p.add_listener(&first);
    p.add_listener(&second);
    p.notify_listeners();
    EXPECT_EQ(1, first.count);
    EXPECT_EQ(0, second.count);
    EXPECT_TRUE(p._listeners.empty());
}

TEST(Parameter, a_copy_keeps_the_callback_but_not_the_listeners)
{
    int callbacks = 0;
    Parameter original("p", 3, 0, 9, [&] { ++callbacks; });
    Recording_listener listener;
    original.add_listener(&listener);

    Parameter copy(original);
    EXPECT_TRUE(copy._listeners.empty());
    EXPECT_EQ(3, copy.get_value<int>());
    copy._callback();
    EXPECT_EQ(1, callbacks);

    copy = original;
    EXPECT_TRUE(copy._listeners.empty());
    EXPECT_EQ(0, listener.count);
}

TEST(Parameter, describes_itself_by_name_and_type)
{
    EXPECT_EQ(std::string("Damping, type: ") + typeid(float).name(), to_string(Parameter("Damping", 0.5f, 0.f, 1.f)));
}
