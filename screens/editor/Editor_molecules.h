#ifndef SCREENS_EDITOR_EDITOR_MOLECULES_H
#define SCREENS_EDITOR_EDITOR_MOLECULES_H

class Core;

// A level's start clears its molecules; the ones the designer placed are kept
// here at "Play Level" and put back when the test play returns to the editor.
void keep_molecules_for_editor(Core const& core);
void forget_molecules_for_editor();
// The kept molecules into the field again, once more (they stay kept).
void put_back_molecules_for_editor(Core& core);
// Starts the level for a test play ("Play Level", "Play Again") with the
// designer's kept molecules in the field.
void start_test_play(Core& core);

#endif
