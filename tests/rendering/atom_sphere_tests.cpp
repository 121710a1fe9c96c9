#include "rendering/Atom_spheres.h"
#include "simulation/Color_palette.h"

#include <gtest/gtest.h>

namespace
{

Atom atom_at(Atom::Element element, Eigen::Vector3f const& position)
{
    Atom atom(element, Eigen::Vector3f::Zero());
    atom.set_position(position);
    return atom;
}

} // namespace

TEST(Atom_spheres, radius_is_the_scaled_van_der_waals_radius_except_for_type_zero)
{
    Atom sodium = atom_at(Atom::Element::Na, Eigen::Vector3f::Zero());
    ASSERT_GT(sodium._radius, 0.f);
    EXPECT_FLOAT_EQ(sodium._radius, atom_sphere_radius(sodium, 1.f));
    EXPECT_FLOAT_EQ(2.f * sodium._radius, atom_sphere_radius(sodium, 2.f));

    sodium._type = 0;
    EXPECT_FLOAT_EQ(0.3f, atom_sphere_radius(sodium, 1.f));
    EXPECT_FLOAT_EQ(0.3f, atom_sphere_radius(sodium, 7.f));
}

TEST(Atom_spheres, model_moves_the_unit_sphere_to_the_atom_and_scales_it_by_the_radius)
{
    Atom const oxygen = atom_at(Atom::Element::O, Eigen::Vector3f(3.f, -2.f, 5.f));
    Eigen::Matrix4f const model = atom_sphere_model(oxygen, 1.5f);
    float const radius = 1.5f * oxygen._radius;

    Eigen::Vector4f const centre = model * Eigen::Vector4f(0.f, 0.f, 0.f, 1.f);
    EXPECT_TRUE(centre.isApprox(Eigen::Vector4f(3.f, -2.f, 5.f, 1.f)));
    Eigen::Vector4f const top = model * Eigen::Vector4f(0.f, 0.f, 1.f, 1.f);
    EXPECT_TRUE(top.isApprox(Eigen::Vector4f(3.f, -2.f, 5.f + radius, 1.f)));
    // The shader reads the matrix as stored: column-major, the translation last.
    EXPECT_FLOAT_EQ(3.f, model.data()[12]);
    EXPECT_FLOAT_EQ(radius, model.data()[0]);
}

TEST(Atom_spheres, colour_is_the_palette_entry_of_the_element_type_even_for_types_it_lacks)
{
    Atom chlorine = atom_at(Atom::Element::Cl, Eigen::Vector3f::Zero());
    Color4 const color = atom_color(chlorine);
    Color const& entry = color_palette()[size_t(chlorine._type)];
    EXPECT_FLOAT_EQ(entry.g, color.g);
    EXPECT_FLOAT_EQ(1.f, color.a);

    chlorine._type = 42;
    EXPECT_FLOAT_EQ(color_palette().back().r, atom_color(chlorine).r);
    chlorine._type = -1;
    EXPECT_FLOAT_EQ(color_palette().front().r, atom_color(chlorine).r);
}
