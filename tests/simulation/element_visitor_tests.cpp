#include "simulation/Atom_cannon.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Level_element_visitor.h"
#include "simulation/Particle_system_element.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"

#include "support/Capture_stdout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{

class Recording_visitor : public Level_element_visitor
{
public:
    void visit(Particle_system_element&) override { seen.push_back("Particle_system_element"); }
    void visit(Brownian_box&) override { seen.push_back("Brownian_box"); }
    void visit(Sphere_portal&) override { seen.push_back("Sphere_portal"); }
    void visit(Box_portal&) override { seen.push_back("Box_portal"); }
    void visit(Molecule_releaser&) override { seen.push_back("Molecule_releaser"); }
    void visit(Charged_barrier&) override { seen.push_back("Charged_barrier"); }
    void visit(Moving_box_barrier&) override { seen.push_back("Moving_box_barrier"); }
    void visit(Tractor_barrier&) override { seen.push_back("Tractor_barrier"); }
    void visit(Blow_barrier&) override { seen.push_back("Blow_barrier"); }
    void visit(Box_barrier&) override { seen.push_back("Box_barrier"); }
    void visit(Plane_barrier&) override { seen.push_back("Plane_barrier"); }

    std::vector<std::string> seen;
};

Eigen::Vector3f const a(-1.f, -1.f, -1.f);
Eigen::Vector3f const b(1.f, 1.f, 1.f);

} // namespace

TEST(Level_element_visitor, reaches_the_overload_of_each_concrete_element)
{
    Capture_stdout quiet;
    std::vector<std::pair<std::string, std::unique_ptr<Level_element>>> elements;
    elements.emplace_back("Particle_system_element", std::make_unique<Particle_system_element>());
    elements.emplace_back("Brownian_box", std::make_unique<Brownian_box>(a, b, 0.f));
    elements.emplace_back("Sphere_portal", std::make_unique<Sphere_portal>(a, b));
    elements.emplace_back("Box_portal", std::make_unique<Box_portal>(a, b));
    elements.emplace_back("Molecule_releaser", std::make_unique<Molecule_releaser>(a, b, 1.f, 1.f));
    elements.emplace_back("Molecule_releaser", std::make_unique<Atom_cannon>(a, b, 1.f, 1.f, 10.f, 1.f));
    elements.emplace_back("Charged_barrier", std::make_unique<Charged_barrier>(a, b, 1.f, 2.f, 0.f));
    elements.emplace_back("Moving_box_barrier", std::make_unique<Moving_box_barrier>(a, b, 1.f, 2.f));
    elements.emplace_back("Tractor_barrier", std::make_unique<Tractor_barrier>(a, b, 1.f));
    elements.emplace_back("Blow_barrier", std::make_unique<Blow_barrier>(a, b, 1.f, 2.f));
    elements.emplace_back("Box_barrier", std::make_unique<Box_barrier>(a, b, 1.f, 2.f));
    elements.emplace_back("Plane_barrier",
                          std::make_unique<Plane_barrier>(Eigen::Vector3f::Zero(), Eigen::Vector3f::UnitZ(), 1.f, 2.f));

    for (auto& element : elements)
    {
        Recording_visitor visitor;
        element.second->accept(visitor);
        EXPECT_EQ(std::vector<std::string>{element.first}, visitor.seen);
    }
}

TEST(Level_element_visitor, elements_read_from_levels_start_empty_and_without_properties)
{
    Capture_stdout quiet;
    Charged_barrier const charged;
    Tractor_barrier const tractor;
    Brownian_box const heat;
    Molecule_releaser const releaser;
    EXPECT_TRUE(charged.get_properties()._list.empty());
    EXPECT_TRUE(tractor.get_properties()._list.empty());
    EXPECT_TRUE(heat.get_properties()._list.empty());
    EXPECT_TRUE(charged.get_box().isEmpty());
    EXPECT_TRUE(heat.get_box().isEmpty());
    EXPECT_TRUE(releaser.get_box().isEmpty());
    EXPECT_TRUE(heat.get_particles().empty());
    EXPECT_EQ(100, releaser.get_num_max_molecules());
    EXPECT_EQ("", releaser.get_molecule_type());

    // Built in a level, the same kinds carry the properties the editor shows.
    EXPECT_EQ(1u, Charged_barrier(a, b, 1.f, 2.f, 3.f).get_properties()._list.count("charge"));
    EXPECT_EQ(2u, Tractor_barrier(a, b, 1.f).get_properties()._list.size());
    EXPECT_EQ(1u, Brownian_box(a, b, 3.f).get_properties()._list.count("strength"));
    EXPECT_EQ(2u, Atom_cannon(a, b, 1.f, 1.f, 10.f, 1.f).get_properties()._list.size());
}
