#include "gl/Texture_handle.h"

#include "support/Gl_test.h"

#include <QGLWidget>

#include <type_traits>

static_assert(!std::is_copy_constructible<Texture_handle>::value, "two handles must never own one texture");
static_assert(!std::is_copy_assignable<Texture_handle>::value, "two handles must never own one texture");

namespace
{

class Texture_handle_test : public Gl_test
{
protected:
    GLuint new_texture()
    {
        GLuint texture = 0;
        gl()->glGenTextures(1, &texture);
        // A name becomes a texture object only once bound.
        gl()->glBindTexture(GL_TEXTURE_2D, texture);
        gl()->glBindTexture(GL_TEXTURE_2D, 0);
        return texture;
    }
};

} // namespace

TEST_F(Texture_handle_test, replaced_and_destroyed_textures_are_deleted)
{
    GLuint const first = new_texture();
    GLuint const second = new_texture();
    {
        Texture_handle handle;
        EXPECT_EQ(0u, handle.get());
        handle.reset(first);
        EXPECT_EQ(first, handle.get());

        handle.reset(second);
        EXPECT_FALSE(gl()->glIsTexture(first));
        EXPECT_TRUE(gl()->glIsTexture(second));
    }
    EXPECT_FALSE(gl()->glIsTexture(second));

    // Through a stored context as well.
    GLuint const third = new_texture();
    {
        Texture_handle handle;
        handle.set_context(const_cast<QGLContext*>(widget()->context()));
        handle.reset(third);
    }
    EXPECT_FALSE(gl()->glIsTexture(third));
}

TEST_F(Texture_handle_test, holding_the_same_name_again_keeps_the_texture)
{
    GLuint const texture = new_texture();
    Texture_handle handle;
    handle.reset(texture);
    handle.reset(texture);
    EXPECT_EQ(texture, handle.get());
    EXPECT_TRUE(gl()->glIsTexture(texture));
}

TEST_F(Texture_handle_test, without_a_current_context_the_name_is_let_go)
{
    GLuint const texture = new_texture();
    {
        Texture_handle unbound;
        unbound.reset(texture);
        Texture_handle with_context;
        with_context.set_context(const_cast<QGLContext*>(widget()->context()));
        with_context.reset(texture);
        widget()->doneCurrent();
        with_context.reset(0);
    }
    widget()->makeCurrent();
    EXPECT_TRUE(gl()->glIsTexture(texture));
    gl()->glDeleteTextures(1, &texture);
}
