#ifndef GL_FRAME_BUFFER_H
#define GL_FRAME_BUFFER_H

#include <Eigen/Core>

#include <vector>

// The value a freshly allocated pixel holds. Eigen's vectors are left
// uninitialised by their constructor, so they are zeroed explicitly.
template <class T> T zero_pixel()
{
    return T();
}

template <> inline Eigen::Vector3f zero_pixel<Eigen::Vector3f>()
{
    return Eigen::Vector3f::Zero();
}

// A 2D grid of pixels in main memory. Pixel (x, y) is at index y * width + x and
// row 0 is the bottom row, as OpenGL lays out textures, so the contiguous pixel
// vector can go to glTexImage2D or come from glReadPixels in one call.
// Coordinates are not range-checked.
template <class T> class Frame_buffer
{
public:
    Frame_buffer() = default;
    Frame_buffer(int width, int height) { resize(width, height); }
    virtual ~Frame_buffer() = default;

    // The (x, y) forms go through the index forms, so overriding an index form
    // changes both.
    virtual void set_pixel(int x, int y, T const& value) { set_pixel(y * _width + x, value); }
    virtual void set_pixel(int index, T const& value) { _pixels[index] = value; }
    virtual T& get_pixel(int index) { return _pixels[index]; }
    virtual T& get_pixel(int x, int y) { return get_pixel(x + _width * y); }
    virtual T const& get_pixel(int index) const { return _pixels[index]; }
    virtual T const& get_pixel(int x, int y) const { return get_pixel(x + _width * y); }

    virtual void resize(int width, int height)
    {
        _width = width;
        _height = height;
        _count = width * height;
        reallocate();
    }

    // Every pixel becomes zero, even when the size is unchanged.
    virtual void reallocate()
    {
        _pixels.clear();
        _pixels.resize(_count, zero_pixel<T>());
    }

    int get_width() const { return _width; }
    int get_height() const { return _height; }
    int get_count() const { return _count; }

    T* data() { return _pixels.data(); }
    T const* data() const { return _pixels.data(); }
    std::vector<T> const& get_pixels() const { return _pixels; }

protected:
    int _width = 0;
    int _height = 0;
    int _count = 0;
    std::vector<T> _pixels;
};

#endif
