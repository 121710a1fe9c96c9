#ifndef GL_IMAGE_CONVERSION_H
#define GL_IMAGE_CONVERSION_H

#include "gl/Color.h"
#include "gl/Frame_buffer.h"

#include <QImage>

// Image rows run top-down, frame buffer rows bottom-up: both directions flip.
// A null image prints a line and gives an empty buffer.
template <class T> Frame_buffer<T> convert(QImage const& image);
template <> Frame_buffer<Color> convert<Color>(QImage const& image);
template <> Frame_buffer<Color4> convert<Color4>(QImage const& image);

// An ARGB32 image with each pixel's alpha taken from its fourth float.
QImage convert_to_qimage(Frame_buffer<Color4> const& buffer);

#endif
