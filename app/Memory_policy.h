#ifndef APP_MEMORY_POLICY_H
#define APP_MEMORY_POLICY_H

// Every screen's renderer holds some 60 MB of frame targets and textures, and
// a play session builds and frees them again and again. Left to itself the C
// library keeps blocks of that size in its heap once one has been freed, so
// the game's resident memory climbs by a renderer's worth each time screens
// overlap and never comes back down. Called once, before the first window:
// blocks of a megabyte or more are mapped and unmapped on their own.
void return_large_blocks_to_the_system();

// The resident set of this process in kB, 0 where the system does not tell.
long resident_kb();

#endif
