#ifndef GL_COLOR_H
#define GL_COLOR_H

#include <boost/serialization/nvp.hpp>

// Pixel types of frame buffers and textures: plain floats, tightly packed, so a
// buffer of them uploads directly as GL_RGB / GL_RGBA float data.
struct Color
{
    Color() = default;
    Color(float red, float green, float blue) : r(red), g(green), b(blue) {}

    float r = 0.f;
    float g = 0.f;
    float b = 0.f;
};

struct Color4
{
    Color4() = default;
    Color4(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}
    Color4(Color const& c, float alpha) : r(c.r), g(c.g), b(c.b), a(alpha) {}

    float r = 0.f;
    float g = 0.f;
    float b = 0.f;
    float a = 0.f;

    template <class Archive> void serialize(Archive& ar, unsigned int const /*version*/)
    {
        ar& boost::serialization::make_nvp("r", r);
        ar& boost::serialization::make_nvp("g", g);
        ar& boost::serialization::make_nvp("b", b);
        ar& boost::serialization::make_nvp("a", a);
    }
};

static_assert(sizeof(Color) == 12, "Color must stay three packed floats");
static_assert(sizeof(Color4) == 16, "Color4 must stay four packed floats");

#endif
