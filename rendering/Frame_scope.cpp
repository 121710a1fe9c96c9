#include "rendering/Frame_scope.h"

#include <GL/gl.h>

Frame_scope::Frame_scope(QOpenGLFunctions_3_3_Core& gl, int width, int height) : _gl(gl), _bindings(gl)
{
    _gl.glGetIntegerv(GL_VIEWPORT, _viewport.data());
    _gl.glViewport(0, 0, width, height);
}

Frame_scope::~Frame_scope()
{
    _gl.glUseProgram(0);
    _gl.glBindVertexArray(0);
    _gl.glActiveTexture(GL_TEXTURE0);
    _gl.glBindTexture(GL_TEXTURE_2D, 0);
    set_fill_polygons();
    _gl.glDisable(GL_CULL_FACE);
    _gl.glEnable(GL_DEPTH_TEST);
    _gl.glDepthMask(GL_TRUE);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    _gl.glViewport(_viewport[0], _viewport[1], _viewport[2], _viewport[3]);
}

void set_fill_polygons()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void set_scene_light()
{
    GLfloat const direction[4] = {500.f, -1000.f, 750.f, 0.f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glEnable(GL_LIGHT0);
    // Faces turned from the sun stay readable.
    GLfloat const ambient[4] = {0.35f, 0.35f, 0.38f, 1.f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    // Boxes are drawn as scaled unit cubes, whose normals the scale would shorten.
    glEnable(GL_NORMALIZE);
    glColor4f(1.f, 1.f, 1.f, 1.f);
}
