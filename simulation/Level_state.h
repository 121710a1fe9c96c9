#ifndef SIMULATION_LEVEL_STATE_H
#define SIMULATION_LEVEL_STATE_H

// What a level change announces. Every announcement carries 1; the play screen
// keeps the last one it received.
typedef int Level_state;

#endif
