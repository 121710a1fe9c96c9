#ifndef WIDGETS_WIDGET_PAINTING_H
#define WIDGETS_WIDGET_PAINTING_H

#include <Eigen/Core>

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

class Draggable_statistics;

// The widget textures as images, painted for a viewport of the given size so
// that one image pixel covers one screen pixel. Images are ARGB32 on a
// transparent ground; the Ui_renderer uploads them. Texts are drawn in white:
// the widget's colour tints them when drawn.

// A framed, rounded button of the widget's size with its text fitted inside.
QImage paint_button(QSize const& viewport, Eigen::Vector2f const& size, QString const& text, QFont const& font);

// A label's text fitted into the widget's size with the given Qt alignment and text flags.
QImage paint_label(QSize const& viewport, Eigen::Vector2f const& size, QString const& text, QFont const& font,
                   int flags);

// Word-wrapped text in a column the given fraction of the viewport wide, cropped
// to the text with a small margin.
QImage paint_flowing_text(QSize const& viewport, float width_fraction, QString const& text, QFont const& font);

// The same for a tooltip: a column 0.3 of the viewport wide, not top-aligned.
QImage paint_tooltip_text(QSize const& viewport, QString const& text, QFont const& font);

// Frame, title, axis numbers, grid and, for a time limit above 0, the curve of
// how the score decays once the time limit has passed.
QImage paint_statistics(QSize const& viewport, Draggable_statistics const& plot, float duration, float time_limit,
                        QFont const& font);

// One digit in white at point size viewport width x 0.05, cropped to its
// glyph with a transparent border of 2 pixels.
QImage paint_digit(int digit, QFont const& font, int viewport_width);

// Where a tooltip of the given size goes for a widget at `position` (normalised
// screen coordinates): below it by half the offset's y and half its own height,
// or above when that would leave the screen, and kept off the side edges.
Eigen::Vector3f tooltip_position(Eigen::Vector3f const& position, Eigen::Vector3f const& offset,
                                 Eigen::Vector2f const& size);

// The size of an image as fractions of the viewport.
Eigen::Vector2f fraction_of_viewport(QSize const& image, QSize const& viewport);

#endif
