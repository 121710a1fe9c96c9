#ifndef RENDERING_SHADER_UNIFORMS_H
#define RENDERING_SHADER_UNIFORMS_H

#include <Eigen/Core>

#include <QOpenGLFunctions_3_3_Core>

class QGLShaderProgram;

namespace qglviewer
{
class Camera;
}

// Where the scene is seen from: the camera's, or without one what the current
// fixed-function matrices say (a perspective projection assumed).
struct View_frame
{
    Eigen::Vector3f camera_position;
    float z_near;
    float z_far;
};
View_frame view_frame(qglviewer::Camera const* camera);

// "m_projection" and "m_view" of the bound program: the current fixed-function
// projection and model-view matrices, so shaders see what the fixed pipeline
// sees. The GL returns them column-major and QMatrix4x4 reads row-major, hence
// the transpose.
void set_view_uniforms(QGLShaderProgram& program);

// A model matrix as it is stored (column-major), untransposed.
void set_model_uniform(QOpenGLFunctions_3_3_Core& gl, GLint location, Eigen::Matrix4f const& model);

#endif
