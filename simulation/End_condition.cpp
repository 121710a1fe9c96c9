#include "simulation/End_condition.h"

bool Molecule_capture_condition::is_met(Level_data const& /*level_data*/) const
{
    return _num_captured_molecules >= _min_captured_molecules;
}
