#ifndef RENDERING_ATOM_SPHERES_H
#define RENDERING_ATOM_SPHERES_H

#include "rendering/Shader_uniforms.h"
#include "simulation/Atom_surface_points.h"
#include "simulation/Level_data.h"

#include <QGLShaderProgram>

// Atoms are drawn as spheres of scale x their Van der Waals radius; element
// type 0 has no such radius and is drawn at 0.3 whatever the scale.
float atom_sphere_radius(Atom const& atom, float scale);

// Translation to the atom's world position times the uniform radius scale.
Eigen::Matrix4f atom_sphere_model(Atom const& atom, float scale);

// Every atom of the level's molecules through the bound program: its "m_model"
// and "color" (the palette colour, opaque), then draw_sphere(). The far halves
// of the closed spheres are culled, which halves the work of the software
// rasteriser.
template <class Draw_sphere>
void draw_atom_spheres(QOpenGLFunctions_3_3_Core& gl, QGLShaderProgram& program, Level_data const& level, float scale,
                       Draw_sphere draw_sphere)
{
    GLint const model = program.uniformLocation("m_model");
    GLint const color = program.uniformLocation("color");
    gl.glEnable(GL_CULL_FACE);
    gl.glCullFace(GL_BACK);
    for_each_atom(level._molecules, [&](Atom const& atom, int /*molecule_id*/) {
        set_model_uniform(gl, model, atom_sphere_model(atom, scale));
        Color4 const c = atom_color(atom);
        gl.glUniform4f(color, c.r, c.g, c.b, c.a);
        draw_sphere();
    });
    gl.glDisable(GL_CULL_FACE);
}

#endif
