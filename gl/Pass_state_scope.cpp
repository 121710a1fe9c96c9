#include "gl/Pass_state_scope.h"

namespace
{

GLenum const pack_names[] = {GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH, GL_PACK_SKIP_PIXELS, GL_PACK_SKIP_ROWS};
GLenum const unpack_names[] = {GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_PIXELS, GL_UNPACK_SKIP_ROWS};
GLint const packed_defaults[] = {4, 0, 0, 0};

} // namespace

Pass_state_scope::Pass_state_scope(QOpenGLFunctions_3_3_Core& gl, int texture_units) : _gl(gl)
{
    _gl.glGetIntegerv(GL_VIEWPORT, _viewport.data());
    _draw_framebuffer = get(GL_DRAW_FRAMEBUFFER_BINDING);
    _read_framebuffer = get(GL_READ_FRAMEBUFFER_BINDING);
    _blend = _gl.glIsEnabled(GL_BLEND);
    _depth_test = _gl.glIsEnabled(GL_DEPTH_TEST);
    _scissor_test = _gl.glIsEnabled(GL_SCISSOR_TEST);
    _cull_face = _gl.glIsEnabled(GL_CULL_FACE);
    _gl.glGetIntegerv(GL_POLYGON_MODE, _polygon_mode.data());
    // Core contexts report one mode for both faces.
    if (_polygon_mode[1] == 0) _polygon_mode[1] = _polygon_mode[0];
    _gl.glGetBooleanv(GL_COLOR_WRITEMASK, _color_mask.data());
    _gl.glGetFloatv(GL_COLOR_CLEAR_VALUE, _clear_color.data());
    _clamp_read_color = get(GL_CLAMP_READ_COLOR);
    _program = get(GL_CURRENT_PROGRAM);
    _vertex_array = get(GL_VERTEX_ARRAY_BINDING);
    _array_buffer = get(GL_ARRAY_BUFFER_BINDING);
    _active_texture = get(GL_ACTIVE_TEXTURE);
    for (int unit = 0; unit < texture_units; ++unit)
    {
        _gl.glActiveTexture(GLenum(GL_TEXTURE0 + unit));
        _textures.push_back(get(GL_TEXTURE_BINDING_2D));
    }
    for (int i = 0; i < 4; ++i)
    {
        _pack[i] = get(pack_names[i]);
        _unpack[i] = get(unpack_names[i]);
    }
    _pack_buffer = get(GL_PIXEL_PACK_BUFFER_BINDING);
    _unpack_buffer = get(GL_PIXEL_UNPACK_BUFFER_BINDING);

    for (GLenum capability : {GL_BLEND, GL_DEPTH_TEST, GL_SCISSOR_TEST, GL_CULL_FACE}) _gl.glDisable(capability);
    _gl.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    _gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    _gl.glClampColor(GL_CLAMP_READ_COLOR, GL_FALSE);
    for (int i = 0; i < 4; ++i)
    {
        _gl.glPixelStorei(pack_names[i], packed_defaults[i]);
        _gl.glPixelStorei(unpack_names[i], packed_defaults[i]);
    }
    _gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    _gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    _gl.glActiveTexture(GL_TEXTURE0);
}

Pass_state_scope::~Pass_state_scope()
{
    _gl.glViewport(_viewport[0], _viewport[1], _viewport[2], _viewport[3]);
    _gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(_draw_framebuffer));
    _gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(_read_framebuffer));
    set_enabled(GL_BLEND, _blend);
    set_enabled(GL_DEPTH_TEST, _depth_test);
    set_enabled(GL_SCISSOR_TEST, _scissor_test);
    set_enabled(GL_CULL_FACE, _cull_face);
    // Separate front and back modes exist only in compatibility contexts, where
    // setting each face is also allowed.
    if (_polygon_mode[0] == _polygon_mode[1])
    {
        _gl.glPolygonMode(GL_FRONT_AND_BACK, GLenum(_polygon_mode[0]));
    }
    else
    {
        _gl.glPolygonMode(GL_FRONT, GLenum(_polygon_mode[0]));
        _gl.glPolygonMode(GL_BACK, GLenum(_polygon_mode[1]));
    }
    _gl.glColorMask(_color_mask[0], _color_mask[1], _color_mask[2], _color_mask[3]);
    _gl.glClearColor(_clear_color[0], _clear_color[1], _clear_color[2], _clear_color[3]);
    _gl.glClampColor(GL_CLAMP_READ_COLOR, GLenum(_clamp_read_color));
    _gl.glUseProgram(GLuint(_program));
    _gl.glBindVertexArray(GLuint(_vertex_array));
    _gl.glBindBuffer(GL_ARRAY_BUFFER, GLuint(_array_buffer));
    for (size_t unit = 0; unit < _textures.size(); ++unit)
    {
        _gl.glActiveTexture(GLenum(GL_TEXTURE0 + unit));
        _gl.glBindTexture(GL_TEXTURE_2D, GLuint(_textures[unit]));
    }
    _gl.glActiveTexture(GLenum(_active_texture));
    for (int i = 0; i < 4; ++i)
    {
        _gl.glPixelStorei(pack_names[i], _pack[i]);
        _gl.glPixelStorei(unpack_names[i], _unpack[i]);
    }
    _gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, GLuint(_pack_buffer));
    _gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, GLuint(_unpack_buffer));
}

GLint Pass_state_scope::get(GLenum name) const
{
    GLint value = 0;
    _gl.glGetIntegerv(name, &value);
    return value;
}

void Pass_state_scope::set_enabled(GLenum capability, bool enabled)
{
    if (enabled)
        _gl.glEnable(capability);
    else
        _gl.glDisable(capability);
}
