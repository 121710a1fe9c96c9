#include "gl/Image_conversion.h"

#include "gl/Color_conversion.h"

#include <iostream>

namespace
{

template <class T, class Pixel_conversion>
Frame_buffer<T> convert_flipped(QImage const& image, Pixel_conversion to_pixel)
{
    Frame_buffer<T> buffer;
    if (image.isNull())
    {
        std::cout << "convert"
                  << " Could not convert image, image is empty." << std::endl;
        buffer.resize(0, 0);
        return buffer;
    }

    int const width = image.width();
    int const height = image.height();
    buffer.resize(width, height);
    for (int i = 0; i < buffer.get_count(); ++i)
        buffer.set_pixel(i, to_pixel(image.pixel(i % width, height - 1 - i / width)));
    return buffer;
}

} // namespace

template <> Frame_buffer<Color> convert<Color>(QImage const& image)
{
    return convert_flipped<Color>(image, [](QRgb pixel) { return to_color(QColor(pixel)); });
}

template <> Frame_buffer<Color4> convert<Color4>(QImage const& image)
{
    return convert_flipped<Color4>(image, [](QRgb pixel) { return to_color4(pixel); });
}

QImage convert_to_qimage(Frame_buffer<Color4> const& buffer)
{
    int const width = buffer.get_width();
    int const height = buffer.get_height();
    QImage image(width, height, QImage::Format_ARGB32);
    // ARGB32 is not premultiplied, so colour and alpha go in together and survive
    // unchanged even where alpha is low.
    for (int i = 0; i < buffer.get_count(); ++i)
    {
        QColor const color = to_qcolor(buffer.get_pixel(i));
        QRgb const opaque = color.rgb();
        image.setPixel(i % width, height - 1 - i / width,
                       qRgba(qRed(opaque), qGreen(opaque), qBlue(opaque), color.alpha()));
    }
    return image;
}
