#ifndef TESTS_GL_RENDER_TARGET_H
#define TESTS_GL_RENDER_TARGET_H

#include <QOpenGLFunctions_3_3_Compatibility>

#include <array>
#include <vector>

// A small RGBA8 colour target with depth, bound and cleared to black while it
// lives; the viewport covers it.
class Render_target
{
public:
    Render_target(QOpenGLFunctions_3_3_Compatibility& f, int size) : _f(f), _size(size)
    {
        _f.glGenTextures(1, &_texture);
        _f.glBindTexture(GL_TEXTURE_2D, _texture);
        _f.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        _f.glBindTexture(GL_TEXTURE_2D, 0);
        _f.glGenRenderbuffers(1, &_depth);
        _f.glBindRenderbuffer(GL_RENDERBUFFER, _depth);
        _f.glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size, size);
        _f.glGenFramebuffers(1, &_framebuffer);
        _f.glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer);
        _f.glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, _texture, 0);
        _f.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, _depth);
        _f.glViewport(0, 0, size, size);
        _f.glClearColor(0.f, 0.f, 0.f, 1.f);
        _f.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    ~Render_target()
    {
        _f.glBindFramebuffer(GL_FRAMEBUFFER, 0);
        _f.glDeleteFramebuffers(1, &_framebuffer);
        _f.glDeleteRenderbuffers(1, &_depth);
        _f.glDeleteTextures(1, &_texture);
    }

    bool complete() const { return _f.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }
    int size() const { return _size; }

    // Pixel (x, y) from the bottom-left as r, g, b, a bytes.
    std::array<unsigned char, 4> pixel(int x, int y) const
    {
        _f.glBindFramebuffer(GL_READ_FRAMEBUFFER, _framebuffer);
        std::array<unsigned char, 4> rgba{};
        _f.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    std::vector<unsigned char> pixels() const
    {
        _f.glBindFramebuffer(GL_READ_FRAMEBUFFER, _framebuffer);
        std::vector<unsigned char> all(size_t(_size) * _size * 4);
        _f.glReadPixels(0, 0, _size, _size, GL_RGBA, GL_UNSIGNED_BYTE, all.data());
        return all;
    }

    bool is_black() const
    {
        std::vector<unsigned char> const all = pixels();
        for (size_t i = 0; i < all.size(); ++i)
            if (i % 4 != 3 && all[i] != 0) return false;
        return true;
    }

    Render_target(Render_target const&) = delete;
    Render_target& operator=(Render_target const&) = delete;

private:
    QOpenGLFunctions_3_3_Compatibility& _f;
    int _size;
    GLuint _texture = 0;
    GLuint _depth = 0;
    GLuint _framebuffer = 0;
};

#endif
