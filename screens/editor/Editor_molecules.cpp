#include "screens/editor/Editor_molecules.h"

#include "simulation/Core.h"

#include <list>
#include <optional>

namespace
{

std::optional<std::list<Molecule>>& molecules_for_editor()
{
    static std::optional<std::list<Molecule>> kept;
    return kept;
}

} // namespace

void keep_molecules_for_editor(Core const& core)
{
    molecules_for_editor() = core.get_level_data()._molecules;
}

void forget_molecules_for_editor()
{
    molecules_for_editor().reset();
}

void put_back_molecules_for_editor(Core& core)
{
    if (molecules_for_editor())
        for (Molecule const& molecule : *molecules_for_editor()) core.add_molecule(molecule);
}

void start_test_play(Core& core)
{
    core.start_level();
    put_back_molecules_for_editor(core);
}
