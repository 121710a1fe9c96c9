#ifndef SCREENS_HELP_HELP_LAYOUT_H
#define SCREENS_HELP_HELP_LAYOUT_H

#include "screens/help/Help_page.h"

#include <Eigen/Core>
#include <Eigen/Geometry>

#include <functional>
#include <vector>

// Where a help screen puts its widgets, decided without any GL. Coordinates are
// normalised window coordinates, y up; positions are widget centres.

// A page of text in a box of that corner and size, ringing nothing.
Help_page make_help_page(QString const& text, float x, float y, float width, float height);

// The size every help page's button has.
Eigen::Vector2f help_button_size();

// A page whose text was painted `text_size` large: the label hangs from the
// box's top-left corner and the button sits under its right end; the box grows
// to hold both. The corner asked for may lie anywhere (it follows an element
// on screen): the corner used keeps the whole box, its margin included, inside
// the window of that aspect (width / height), for a help that takes every
// input must never hide its own button. A box too big for the window keeps
// its top-left corner in.
struct Page_placement
{
    Eigen::Vector2f corner;
    Eigen::Vector3f label_position;
    Eigen::Vector3f button_position;
    float width;
    float height;
};
Page_placement place_page(float x, float y, Eigen::Vector2f const& text_size, float aspect);

// The translucent box around a placed page, its margin the same number of
// pixels across and up; `aspect` is the window's width / height.
Eigen::AlignedBox2f help_box(Help_page const& page, float aspect);

// The ring of twenty points round the page's ellipse, closed on itself.
std::vector<Eigen::Vector3f> highlight_ring(Help_page const& page);
// The particles that run once round the ring, in glowing orange.
Curve_particle_system highlight_particles(Help_page const& page);

// The rectangle in which the camera shows an element's box, from three of its
// corners: (x0, y0) is where the min corner lands.
struct Screen_rect
{
    float x0, y0, x1, y1;

    Eigen::Vector2f centre() const { return Eigen::Vector2f((x0 + x1) / 2.f, (y0 + y1) / 2.f); }
    float rx() const;
    float ry() const;
};
typedef std::function<Eigen::Vector2f(Eigen::Vector3f const&)> Screen_projector;
Screen_rect screen_rect_of_box(Screen_projector const& project, Eigen::AlignedBox3f const& box);

// A size computed from projected positions: once the camera has turned, the
// element may stand where the formula gives no room at all.
float page_extent(float computed);
float const minimum_page_extent = 0.2f;

#endif
