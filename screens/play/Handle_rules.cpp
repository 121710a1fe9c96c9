#include "screens/play/Handle_rules.h"

#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Portal.h"
#include "widgets/Draggable_box.h"

int pickable_handle_sets(int mode, int game_state, int user_editable)
{
    if (game_state == Core::Running) return user_editable;
    return mode == Editor_mode ? Draggable_box::All_handles : Draggable_box::All_handles & ~Draggable_box::Disc_handle;
}

bool shows_every_handle(int mode, int game_state)
{
    return mode == Editor_mode && game_state != Core::Running;
}

std::optional<Handle_box_shape> handle_box_shape(Level_element& element)
{
    // Moving barriers before the other box barriers they are built on.
    if (auto* box = dynamic_cast<Brownian_box*>(&element)) return Handle_box_shape{box->get_extent(), false};
    if (auto* moving = dynamic_cast<Moving_box_barrier*>(&element)) return Handle_box_shape{moving->get_extent(), true};
    if (auto* barrier = dynamic_cast<Box_barrier*>(&element)) return Handle_box_shape{barrier->get_extent(), false};
    if (auto* portal = dynamic_cast<Box_portal*>(&element)) return Handle_box_shape{portal->get_extent(), false};
    if (auto* releaser = dynamic_cast<Molecule_releaser*>(&element))
    {
        Eigen::AlignedBox3f const box = releaser->get_box();
        return Handle_box_shape{box.max() - box.min(), false};
    }
    return std::nullopt;
}
