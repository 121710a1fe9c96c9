#include "simulation/Atom_surface_points.h"

#include "foundation/Halton_sequence.h"
#include "simulation/Color_palette.h"

#include <algorithm>
#include <cmath>

std::vector<Atom_surface_point> atom_surface_points(Molecule const& molecule, int count)
{
    std::vector<Atom_surface_point> points;
    int const atom_count = int(molecule._atoms.size());
    if (atom_count == 0) return points;

    Halton_sequence atom_choice(2);
    Halton_sequence polar(3);
    Halton_sequence azimuth(5);
    for (int i = 0; i < count; ++i)
    {
        int const atom_index = std::min(int(atom_choice.next() * atom_count), atom_count - 1);
        // Uniform over the sphere: cos(a) is uniform for a = 2 acos(sqrt(1 - h)).
        float const a = 2.f * std::acos(std::sqrt(1.f - float(polar.next())));
        float const b = 2.f * float(M_PI) * float(azimuth.next());
        points.push_back(
            {atom_index, Eigen::Vector3f(std::sin(a) * std::cos(b), std::sin(a) * std::sin(b), std::cos(a))});
    }
    return points;
}

Color4 atom_color(Atom const& atom)
{
    std::vector<Color> const& palette = color_palette();
    // A level may hold atom types the palette does not know; they take its last colour.
    std::size_t const index = std::min(std::size_t(std::max(atom._type, 0)), palette.size() - 1);
    return Color4(palette[index], 1.f);
}
