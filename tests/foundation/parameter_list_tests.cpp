#include "foundation/Parameter_list.h"

#include "support/Capture_stdout.h"
#include "support/Child_lists_freed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::HasSubstr;

TEST(Parameter_list, shows_parameters_in_the_order_they_were_added)
{
    Parameter b("b", true), a("a", false);
    Parameter_list list;
    list.add(&b);
    list.add(&a);

    EXPECT_EQ("a", list._list.begin()->first);
    EXPECT_EQ((std::vector<Parameter*>{&b, &a}), list.get_sorted_parameters());
}

TEST(Parameter_list, replaces_an_entry_without_deleting_or_growing)
{
    auto first = std::make_unique<Parameter>("x", true);
    Parameter other("y", 1, 0, 5), replacement("x", false);
    Parameter_list list;
    list.add(first.get());
    list.add(&other);

    list.add("x", &replacement);

    EXPECT_EQ(2u, list._list.size());
    EXPECT_EQ(&replacement, list["x"]);
    EXPECT_EQ(2, replacement._order_index);
    EXPECT_EQ("x", first->_name); // still alive and untouched
}

TEST(Parameter_list, paths_reach_through_children)
{
    Parameter strength("Strength", 1.f, 1.f, 200.f);
    Parameter_list core;
    Child_lists_freed const freed(core);
    Parameter_list* forces = core.add_child("Atomic Force Type", Parameter_list::Multi_select);
    Parameter_list* coulomb = forces->add_child("Coulomb Force");
    coulomb->add(&strength);

    EXPECT_EQ(Parameter_list::Multi_select, core._children["Atomic Force Type"]->_children_type);
    EXPECT_EQ(&strength, core["Atomic Force Type/Coulomb Force/Strength"]);
}

TEST(Parameter_list, missing_names_are_reported_and_nothing_is_inserted)
{
    Parameter speed("speed", 1.f, 0.f, 2.f);
    Parameter_list list;
    Child_lists_freed const freed(list);
    list.add(&speed);
    list.add_child("child");

    {
        Capture_stdout out;
        EXPECT_EQ(nullptr, list["nope"]);
        EXPECT_EQ("Parameter_list[]: No such parameter: nope\n", out.text());
    }
    {
        Capture_stdout out;
        EXPECT_EQ(nullptr, list["child/deeper/speed"]);
        EXPECT_THAT(out.text(),
                    HasSubstr("Parameter_list::get_child_helper(): child not found: deeper\nAvailable: \n"));
    }
    {
        Capture_stdout out;
        EXPECT_EQ(nullptr, list["ghost/speed"]);
        EXPECT_EQ(std::string("Parameter_list::get_child_helper(): child not found: ghost\nAvailable: \nspeed: speed, "
                              "type: ") +
                      typeid(float).name() + "\n",
                  out.text());
    }
    EXPECT_EQ(1u, list._list.size());
    EXPECT_EQ(1u, list._children.size());
}

TEST(Parameter_list, merging_takes_parameters_over_and_gives_them_the_callback_at_every_depth)
{
    int old_callbacks = 0;
    Parameter strength("Strength", 0.1f, 0.001f, 1.f, [&] { ++old_callbacks; });
    Parameter radius("Radius Factor", 1.4f, 0.5f, 2.f);
    Parameter nested("nested", true, [&] { ++old_callbacks; });
    Parameter_list defaults;
    Child_lists_freed const defaults_freed(defaults);
    defaults.add(&strength);
    defaults.add(&radius);
    defaults.add_child("sub")->add(&nested);

    int callbacks = 0;
    Parameter existing("existing", false);
    Parameter_list target;
    Child_lists_freed const target_freed(target);
    target.add(&existing);
    target.add(defaults, [&] { ++callbacks; });

    EXPECT_EQ(&strength, target["Strength"]);
    EXPECT_EQ(1, radius._order_index); // renumbered in name order after "existing"
    EXPECT_EQ(2, strength._order_index);

    strength._callback();
    nested._callback();
    EXPECT_EQ(2, callbacks);
    EXPECT_EQ(0, old_callbacks);

    // The child is a shallow copy: its own map, the same parameters.
    EXPECT_NE(defaults._children["sub"], target._children["sub"]);
    EXPECT_EQ(&nested, target["sub/nested"]);

    // An empty callback empties them. The copy of the child is replaced, not freed.
    delete target._children["sub"];
    target.add(defaults, std::function<void()>());
    EXPECT_FALSE(strength._callback);
    EXPECT_FALSE(nested._callback);
}
