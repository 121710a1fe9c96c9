#ifndef SCREENS_HELP_HELP_PAGE_H
#define SCREENS_HELP_HELP_PAGE_H

#include "gl/Curve_particle_system.h"

#include <QString>

// One page of a help screen, in normalised window coordinates with y up: the
// text box has its top-left corner at (x, y); the ellipse (cx, cy, rx, ry) is
// ringed with flowing particles when `highlight` is set.
struct Help_page
{
    QString text;
    float x = 0.f;
    float y = 0.f;
    float width = 0.f;
    float height = 0.f;
    float cx = 0.f;
    float cy = 0.f;
    float rx = 0.f;
    float ry = 0.f;
    Curve_particle_system particles;
    bool highlight = false;
};

#endif
