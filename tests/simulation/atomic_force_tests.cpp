#include "simulation/Atomic_force_types.h"
#include "simulation/Molecule_factory.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

Atom const& only_atom(Molecule const& molecule)
{
    return molecule._atoms.front();
}

template <class Force> Force with_defaults()
{
    Force force;
    force.apply_parameters(Class_registry<Atomic_force>::instance().get_default_parameters(Force::name()));
    return force;
}

std::vector<std::string> names_in_order(Parameter_list const& list)
{
    std::vector<std::string> names;
    for (Parameter const* parameter : list.get_sorted_parameters()) names.push_back(parameter->_name);
    return names;
}

} // namespace

TEST(Atomic_force, laws_give_known_pair_forces_with_the_registered_defaults)
{
    Molecule const na = create_na_molecule(Eigen::Vector3f::Zero());
    Molecule const cl = create_cl_molecule(Eigen::Vector3f::Zero());

    Coulomb_force const coulomb = with_defaults<Coulomb_force>();
    EXPECT_FLOAT_EQ(-0.25f, coulomb.calc_force(2.f, only_atom(na), only_atom(cl)));

    Lennard_jones_force const vdw = with_defaults<Lennard_jones_force>();
    EXPECT_NEAR(0.2335552f, vdw.calc_force(6.f, only_atom(na), only_atom(na)), 1e-6f);
    EXPECT_NEAR(0.f, vdw.calc_force(6.356f, only_atom(na), only_atom(na)), 1e-6f);
    EXPECT_NEAR(-0.0246344f, vdw.calc_force(10.f, only_atom(na), only_atom(na)), 1e-7f);

    Atom untyped = only_atom(na);
    untyped._type = 0;
    EXPECT_EQ(0.f, vdw.calc_force(3.f, untyped, only_atom(na)));
    EXPECT_EQ(0.f, vdw.calc_force(3.f, only_atom(cl), untyped));
}

TEST(Atomic_force, registry_holds_both_forces_with_their_defaults_in_name_order)
{
    Class_registry<Atomic_force>& registry = Class_registry<Atomic_force>::instance();
    EXPECT_EQ((std::vector<std::string>{"Coulomb Force", "Van der Waals Force"}), registry.get_names());

    for (std::string const& name : registry.get_names())
    {
        std::unique_ptr<Atomic_force> force(registry.create(name));
        ASSERT_TRUE(force);
        EXPECT_EQ(name, force->get_name());
    }

    Parameter_list& vdw = registry.get_default_parameters("Van der Waals Force");
    EXPECT_EQ((std::vector<std::string>{"Radius Factor", "Strength"}), names_in_order(vdw));
    EXPECT_FLOAT_EQ(0.5f, vdw["Radius Factor"]->get_min<float>());
    EXPECT_FLOAT_EQ(200.f, registry.get_default_parameters("Coulomb Force")["Strength"]->get_max<float>());
}

TEST(Atomic_force, storing_writes_the_fields_back_and_only_van_der_waals_runs_callbacks)
{
    int calls = 0;
    auto const count = [&] { ++calls; };

    Parameter_list coulomb_list = make_coulomb_force_parameters();
    coulomb_list["Strength"]->_callback = count;
    Coulomb_force coulomb;
    coulomb._strength = 20.f;
    coulomb.store_parameters(coulomb_list);
    EXPECT_FLOAT_EQ(20.f, coulomb_list["Strength"]->get_value<float>());
    EXPECT_EQ(0, calls);

    Parameter_list vdw_list = make_lennard_jones_force_parameters();
    vdw_list["Strength"]->_callback = count;
    vdw_list["Radius Factor"]->_callback = count;
    Lennard_jones_force vdw;
    vdw._strength = 0.5f;
    vdw._radius_factor = 1.1f;
    vdw.store_parameters(vdw_list);
    EXPECT_FLOAT_EQ(0.5f, vdw_list["Strength"]->get_value<float>());
    EXPECT_FLOAT_EQ(1.1f, vdw_list["Radius Factor"]->get_value<float>());
    EXPECT_EQ(2, calls);

    for (Parameter_list* list : {&coulomb_list, &vdw_list})
        for (auto& entry : list->_list) delete entry.second;
}

TEST(Atomic_force_types, list_holds_an_enable_flag_and_copies_of_the_defaults_per_force)
{
    int calls = 0;
    Parameter_list core;
    Owned_parameter_tree owned;
    Parameter_list* types = add_atomic_force_type_list(
        core, [&] { ++calls; }, owned);

    ASSERT_EQ(types, core.get_child_helper("Atomic Force Type"));
    EXPECT_EQ(Parameter_list::Multi_select, types->_children_type);
    ASSERT_EQ(2u, types->_children.size());
    EXPECT_EQ((std::vector<std::string>{"multi_enable", "Strength"}),
              names_in_order(*types->get_child_helper("Coulomb Force")));
    Parameter_list& vdw = *types->get_child_helper("Van der Waals Force");
    EXPECT_EQ((std::vector<std::string>{"multi_enable", "Radius Factor", "Strength"}), names_in_order(vdw));
    EXPECT_FALSE(vdw["multi_enable"]->get_value<bool>());

    // Copies: changing one leaves the registry's defaults alone.
    Parameter* strength = core["Atomic Force Type/Van der Waals Force/Strength"];
    ASSERT_TRUE(strength);
    EXPECT_FLOAT_EQ(0.1f, strength->get_value<float>());
    EXPECT_NE(strength,
              Class_registry<Atomic_force>::instance().get_default_parameters("Van der Waals Force")["Strength"]);

    for (auto const& child : types->_children)
        for (auto const& entry : child.second->_list) entry.second->_callback();
    EXPECT_EQ(5, calls);
    EXPECT_EQ(5u, owned.parameters.size());
    EXPECT_EQ(3u, owned.lists.size());
}

TEST(Atomic_force_types, only_enabled_forces_are_created_with_the_lists_values)
{
    Parameter_list core;
    Owned_parameter_tree owned;
    Parameter_list& types = *add_atomic_force_type_list(
        core, [] {}, owned);

    EXPECT_TRUE(create_forces(types).empty());

    types["Van der Waals Force/multi_enable"]->set_value_no_update(true);
    types["Van der Waals Force/Strength"]->set_value_no_update(0.5f);
    std::vector<std::unique_ptr<Atomic_force>> forces = create_forces(types);
    ASSERT_EQ(1u, forces.size());
    auto const* vdw = dynamic_cast<Lennard_jones_force const*>(forces.front().get());
    ASSERT_TRUE(vdw);
    EXPECT_FLOAT_EQ(0.5f, vdw->_strength);
    EXPECT_FLOAT_EQ(1.4f, vdw->_radius_factor);

    types["Coulomb Force/multi_enable"]->set_value_no_update(true);
    forces = create_forces(types);
    ASSERT_EQ(2u, forces.size());
    EXPECT_EQ("Coulomb Force", forces[0]->get_name());
    EXPECT_FLOAT_EQ(1.f, static_cast<Coulomb_force const&>(*forces[0])._strength);
}
