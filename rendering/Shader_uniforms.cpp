#include "rendering/Shader_uniforms.h"

#include <Eigen/LU>
#include <QGLShaderProgram>
#include <QGLViewer/camera.h>
#include <QMatrix4x4>

#include <GL/gl.h>

void set_view_uniforms(QGLShaderProgram& program)
{
    GLfloat projection[16];
    GLfloat model_view[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, model_view);
    program.setUniformValue("m_projection", QMatrix4x4(projection).transposed());
    program.setUniformValue("m_view", QMatrix4x4(model_view).transposed());
}

void set_model_uniform(QOpenGLFunctions_3_3_Core& gl, GLint location, Eigen::Matrix4f const& model)
{
    gl.glUniformMatrix4fv(location, 1, GL_FALSE, model.data());
}

View_frame view_frame(qglviewer::Camera const* camera)
{
    if (camera)
    {
        qglviewer::Vec const p = camera->position();
        return View_frame{Eigen::Vector3f(float(p.x), float(p.y), float(p.z)), float(camera->zNear()),
                          float(camera->zFar())};
    }
    Eigen::Matrix4f projection;
    Eigen::Matrix4f model_view;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, model_view.data());
    Eigen::Vector3f const eye = model_view.inverse().col(3).head<3>();
    float const a = projection(2, 2);
    float const b = projection(2, 3);
    return View_frame{eye, b / (a - 1.f), b / (a + 1.f)};
}
