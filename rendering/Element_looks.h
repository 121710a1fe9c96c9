#ifndef RENDERING_ELEMENT_LOOKS_H
#define RENDERING_ELEMENT_LOOKS_H

#include "gl/Color.h"

#include <optional>
#include <vector>

// What the element draw visitor draws, decided apart from the GL.

Color4 const highlight_color(1.f, 1.f, 0.7f, 1.f);
Color4 const portal_highlight_color(0.3f, 1.f, 0.4f, 1.f);

// Red when hot, blue when cold, magenta at 0: (c, 0, 1 - c) with c the
// temperature shade of the strength.
Color brownian_color(float strength);

// Grey blended towards palette entry 6 (positive) or 7 (negative) by charge / 50.
Color charged_barrier_color(float charge);

// One cell of a portal's capture gauge, in the gauge's unit square: a quad from
// (0, bottom) to (1, top).
struct Gauge_cell
{
    float bottom;
    float top;
    bool filled;
};

// `required` cells stacked upwards, each 0.9 of its share of the height; the
// first `captured` are filled. None when nothing is required.
std::vector<Gauge_cell> gauge_cells(int required, int captured);
Color4 gauge_cell_color(bool filled);

// The ring gauge of a sphere portal: each of the n arcs spans 0.9 / n of a turn
// in this many strip steps.
int ring_arc_steps(int required);

// A releaser's flat arrow along its x axis, pulsing with the release cycle and
// shrinking as the releaser runs out.
struct Release_arrow
{
    float from_x;
    float to_x;
    float head;
};

// None once every molecule has been released.
std::optional<Release_arrow> release_arrow(int released, int max_molecules, float release_progress, float extent_x);

#endif
