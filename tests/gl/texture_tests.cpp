#include "gl/GL_utilities.h"

#include "support/Capture_stdout.h"
#include "support/Gl_test.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <array>

namespace
{

class Texture_creation : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        initialize_gl_functions(_functions);
    }

    void TearDown() override
    {
        // No routine may leave a GL error for the next caller to find.
        if (gl())
        {
            EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
        }
    }

    GLint parameter(GLuint texture, GLenum name)
    {
        GLint value = -1;
        gl()->glBindTexture(GL_TEXTURE_2D, texture);
        gl()->glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        gl()->glBindTexture(GL_TEXTURE_2D, 0);
        return value;
    }

    GLint level_parameter(GLuint texture, GLint level, GLenum name)
    {
        GLint value = -1;
        gl()->glBindTexture(GL_TEXTURE_2D, texture);
        gl()->glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
        gl()->glBindTexture(GL_TEXTURE_2D, 0);
        return value;
    }

    std::vector<float> rgba_texels(GLuint texture)
    {
        GLint const width = level_parameter(texture, 0, GL_TEXTURE_WIDTH);
        GLint const height = level_parameter(texture, 0, GL_TEXTURE_HEIGHT);
        std::vector<float> texels(size_t(width * height * 4), -1.f);
        gl()->glBindTexture(GL_TEXTURE_2D, texture);
        gl()->glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels.data());
        gl()->glBindTexture(GL_TEXTURE_2D, 0);
        return texels;
    }

    GLint bound_texture()
    {
        GLint bound = -1;
        gl()->glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        return bound;
    }

    GL_functions _functions;
};

// A 4 x 2 image whose bottom-left pixel differs from every other one.
QString write_image(QTemporaryDir const& dir)
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 255, 255));
    image.setPixel(0, 1, qRgba(255, 0, 0, 51));
    QString const path = QDir(dir.path()).filePath("corner.png");
    EXPECT_TRUE(image.save(path));
    return path;
}

} // namespace

TEST_F(Texture_creation, raw_texture_sets_filter_wrap_and_allocates_without_data)
{
    GLuint const target =
        create_texture(_functions, 8, 4, std::vector<float>(), GL_RGBA32F, GL_RGBA, GL_FLOAT, GL_NEAREST, GL_REPEAT);
    ASSERT_NE(0u, target);
    EXPECT_EQ(0, bound_texture());
    EXPECT_EQ(GL_NEAREST, parameter(target, GL_TEXTURE_MIN_FILTER));
    EXPECT_EQ(GL_NEAREST, parameter(target, GL_TEXTURE_MAG_FILTER));
    EXPECT_EQ(GL_REPEAT, parameter(target, GL_TEXTURE_WRAP_S));
    EXPECT_EQ(GL_REPEAT, parameter(target, GL_TEXTURE_WRAP_T));
    EXPECT_EQ(8, level_parameter(target, 0, GL_TEXTURE_WIDTH));
    EXPECT_EQ(4, level_parameter(target, 0, GL_TEXTURE_HEIGHT));
    EXPECT_EQ(GL_RGBA32F, level_parameter(target, 0, GL_TEXTURE_INTERNAL_FORMAT));

    std::vector<float> const values{-3.f, 0.5f, 70000.f, 2.f};
    GLuint const with_data =
        create_texture(_functions, 2, 2, values, GL_R32F, GL_RED, GL_FLOAT, GL_LINEAR, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(GL_LINEAR, parameter(with_data, GL_TEXTURE_MAG_FILTER));
    EXPECT_EQ(GL_CLAMP_TO_EDGE, parameter(with_data, GL_TEXTURE_WRAP_T));
    std::vector<float> const texels = rgba_texels(with_data);
    for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i], texels[i * 4]) << "texel " << i;

    delete_texture(_functions, target);
    delete_texture(_functions, with_data);
    EXPECT_FALSE(gl()->glIsTexture(target));
    EXPECT_FALSE(gl()->glIsTexture(with_data));
}

TEST_F(Texture_creation, buffer_texture_with_or_without_mipmaps)
{
    Frame_buffer<Color4> buffer(4, 4);
    buffer.set_pixel(0, 0, Color4(0.25f, 0.5f, 0.75f, 1.f));

    GLuint const mipmapped = create_texture(_functions, buffer, true, GL_RGBA32F, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(0, bound_texture());
    EXPECT_EQ(GL_LINEAR_MIPMAP_LINEAR, parameter(mipmapped, GL_TEXTURE_MIN_FILTER));
    EXPECT_EQ(GL_LINEAR, parameter(mipmapped, GL_TEXTURE_MAG_FILTER));
    EXPECT_EQ(0, parameter(mipmapped, GL_TEXTURE_BASE_LEVEL));
    EXPECT_EQ(4, parameter(mipmapped, GL_TEXTURE_MAX_LEVEL));
    EXPECT_EQ(GL_CLAMP_TO_EDGE, parameter(mipmapped, GL_TEXTURE_WRAP_S));
    EXPECT_EQ(2, level_parameter(mipmapped, 1, GL_TEXTURE_WIDTH));
    EXPECT_EQ(1, level_parameter(mipmapped, 2, GL_TEXTURE_WIDTH));
    std::vector<float> const texels = rgba_texels(mipmapped);
    EXPECT_EQ(0.25f, texels[0]);
    EXPECT_EQ(0.75f, texels[2]);
    EXPECT_EQ(0.f, texels[4]);

    Frame_buffer<Color> rgb(2, 1);
    rgb.set_pixel(1, Color(0.f, 1.f, 0.5f));
    GLuint const plain = create_texture(_functions, rgb, false, GL_RGB32F, GL_REPEAT);
    EXPECT_EQ(GL_LINEAR, parameter(plain, GL_TEXTURE_MIN_FILTER));
    EXPECT_EQ(1000, parameter(plain, GL_TEXTURE_MAX_LEVEL)); // untouched default
    std::vector<float> const rgb_texels = rgba_texels(plain);
    EXPECT_EQ(1.f, rgb_texels[5]);
    EXPECT_EQ(0.5f, rgb_texels[6]);

    delete_texture(_functions, mipmapped);
    delete_texture(_functions, plain);
}

TEST_F(Texture_creation, image_file_texel_zero_is_the_bottom_left_pixel)
{
    QTemporaryDir dir;
    QString const path = write_image(dir);

    GLuint const with_alpha = create_texture_from_file(_functions, path, true);
    EXPECT_EQ(0, bound_texture());
    EXPECT_EQ(GL_LINEAR_MIPMAP_LINEAR, parameter(with_alpha, GL_TEXTURE_MIN_FILTER));
    EXPECT_EQ(GL_REPEAT, parameter(with_alpha, GL_TEXTURE_WRAP_T));
    EXPECT_EQ(4, parameter(with_alpha, GL_TEXTURE_MAX_LEVEL));
    EXPECT_EQ(1, level_parameter(with_alpha, 1, GL_TEXTURE_HEIGHT));
    std::vector<float> const rgba = rgba_texels(with_alpha);
    EXPECT_NEAR(1.f, rgba[0], 1e-3f);
    EXPECT_NEAR(0.f, rgba[2], 1e-3f);
    EXPECT_NEAR(0.2f, rgba[3], 1e-2f);
    EXPECT_NEAR(1.f, rgba[4 * 4 + 2], 1e-3f); // top-left pixel sits in row 1

    GLuint const opaque = create_texture_from_file(_functions, path, false);
    EXPECT_EQ(GL_RGB, level_parameter(opaque, 0, GL_TEXTURE_INTERNAL_FORMAT));
    std::vector<float> const rgb = rgba_texels(opaque);
    EXPECT_NEAR(1.f, rgb[0], 1e-3f);
    EXPECT_NEAR(1.f, rgb[3], 1e-3f);

    delete_texture(_functions, with_alpha);
    delete_texture(_functions, opaque);
}

TEST_F(Texture_creation, missing_image_gives_an_empty_texture_and_the_conversion_message)
{
    QTemporaryDir dir;
    GLuint texture = 0;
    {
        Capture_stdout out;
        texture = create_texture_from_file(_functions, QDir(dir.path()).filePath("absent.png"), true);
        EXPECT_EQ("convert Could not convert image, image is empty.\n", out.text());
    }
    ASSERT_NE(0u, texture);
    EXPECT_TRUE(gl()->glIsTexture(texture));
    EXPECT_EQ(0, level_parameter(texture, 0, GL_TEXTURE_WIDTH));
    EXPECT_EQ(0, bound_texture());
    delete_texture(_functions, texture);
}
