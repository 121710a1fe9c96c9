#include "simulation/Loaded_level_check.h"

#include "simulation/Level_data.h"
#include "simulation/Level_element_visitor.h"
#include "simulation/Level_limits.h"
#include "simulation/Molecule_factory.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

namespace
{

// The names a level file gives the kinds, so that a hand editor finds the entry.
class Kind_name : public Level_element_visitor
{
public:
    std::string name = "an element";

    void visit(Brownian_box&) override { name = "a Brownian_box"; }
    void visit(Sphere_portal&) override { name = "a Sphere_portal"; }
    void visit(Box_portal&) override { name = "a Box_portal"; }
    void visit(Molecule_releaser&) override { name = "a Molecule_releaser"; }
    void visit(Charged_barrier&) override { name = "a Charged_barrier"; }
    void visit(Tractor_barrier&) override { name = "a Tractor_barrier"; }
    void visit(Box_barrier&) override { name = "a Box_barrier"; }
    void visit(Plane_barrier&) override { name = "a Plane_barrier"; }
};

template <int Size> std::string shown(Eigen::Matrix<float, Size, 1> const& point)
{
    std::ostringstream text;
    text << '(';
    for (int axis = 0; axis < Size; ++axis) text << (axis ? ", " : "") << point[axis];
    text << ')';
    return text.str();
}

template <int Size> bool within(Eigen::Matrix<float, Size, 1> const& point, float reach)
{
    for (int axis = 0; axis < Size; ++axis)
    {
        if (!(std::abs(point[axis]) <= reach)) return false;
    }
    return true;
}

template <int Size> void check_within(Eigen::Matrix<float, Size, 1> const& point, std::string const& what)
{
    if (within(point, level_reach)) return;
    std::ostringstream reason;
    reason << what << ' ' << shown(point) << ", farther than the " << level_reach
           << " units from the field's centre that a level reaches";
    throw std::runtime_error(reason.str());
}

std::string known_molecule_types()
{
    std::vector<std::string> names = get_molecule_names();
    std::sort(names.begin(), names.end());
    std::string list;
    for (std::string const& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
}

void check_molecule(Molecule const& molecule)
{
    check_within(molecule._x, "a molecule at");
    for (Atom const& atom : molecule._atoms) check_within(atom._r_0, "a molecule with an atom at the offset");
}

class Element_check : public Level_element_visitor
{
public:
    explicit Element_check(std::string kind) : _kind(std::move(kind)) {}

    void visit(Molecule_releaser& releaser) override
    {
        if (!molecule_exists(releaser.get_molecule_type()))
            throw std::runtime_error(_kind + " of the molecule type \"" + releaser.get_molecule_type() +
                                     "\", which the game does not know (it knows " + known_molecule_types() + ")");
        if (Molecule const* prepared = releaser.get_prepared_molecule()) check_molecule(*prepared);
    }

    void visit(Plane_barrier& plane) override
    {
        // A plane's box is empty: its drawn extent is its size.
        if (!plane.get_extent() || within(*plane.get_extent(), 2.f * level_reach)) return;
        std::ostringstream reason;
        reason << _kind << " spanning " << shown(*plane.get_extent()) << ", wider than the " << 2.f * level_reach
               << " units across that a level reaches";
        throw std::runtime_error(reason.str());
    }

private:
    std::string _kind;
};

void check_element(Level_element& element)
{
    Kind_name kind;
    element.accept(kind);
    check_within(element.get_position(), kind.name + " at");
    Eigen::AlignedBox3f const box = element.get_bounding_box();
    if (!box.isEmpty())
    {
        check_within(box.min(), kind.name + " reaching");
        check_within(box.max(), kind.name + " reaching");
    }
    for (Animation const& animation : element.get_animations())
    {
        check_within(animation._start, kind.name + " moving from");
        check_within(animation._end, kind.name + " moving to");
    }
    Element_check check(kind.name);
    element.accept(check);
}

} // namespace

void check_loaded_level(Level_data& level)
{
    for (auto const& element : level._level_elements) check_element(*element);
    for (Molecule const& molecule : level._molecules) check_molecule(molecule);
}
