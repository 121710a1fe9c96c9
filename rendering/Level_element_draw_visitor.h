#ifndef RENDERING_LEVEL_ELEMENT_DRAW_VISITOR_H
#define RENDERING_LEVEL_ELEMENT_DRAW_VISITOR_H

#include "gl/GL_functions.h"
#include "gl/Mesh.h"
#include "gl/Texture_handle.h"
#include "simulation/Level_element_visitor.h"

#include <QSize>

#include <memory>

class QGLContext;
class QGLShaderProgram;

// Draws every kind of level element in the 3D scene with the fixed-function
// pipeline and, for particles, a point-sprite program. Each element is drawn in
// its own frame (its position, then its transform); every visit sets the
// lighting each of its parts needs and leaves the polygon mode at fill and the
// lighting as it found them.
class Level_element_draw_visitor : public Level_element_visitor
{
public:
    Level_element_draw_visitor();
    ~Level_element_draw_visitor() override;

    Level_element_draw_visitor(Level_element_draw_visitor const&) = delete;
    Level_element_draw_visitor& operator=(Level_element_draw_visitor const&) = delete;

    // Loads (or, called again, replaces and frees) the programs, textures and
    // meshes. Needs the context current; throws "No such file." for a missing one.
    void init(QGLContext const* context, QSize const& size);

    void visit(Particle_system_element& element) override;
    void visit(Brownian_box& element) override;
    void visit(Sphere_portal& element) override;
    void visit(Box_portal& element) override;
    void visit(Molecule_releaser& element) override;
    void visit(Charged_barrier& element) override;
    void visit(Moving_box_barrier& element) override;
    void visit(Tractor_barrier& element) override;
    void visit(Blow_barrier& element) override;
    void visit(Box_barrier& element) override;
    void visit(Plane_barrier& element) override;

    // Viewport height / 768: particles keep their share of the screen.
    void set_particle_height_scale(float scale) { _particle_height_scale = scale; }
    float get_particle_height_scale() const { return _particle_height_scale; }

private:
    void draw_box_barrier(Box_barrier const& element);

    float _particle_height_scale = 1.f;
    std::unique_ptr<QGLShaderProgram> _temperature_program;
    Texture_handle _brownian_panel_texture;
    Poly_mesh _releaser_mesh;
    Poly_mesh _tractor_circle_mesh;
    Poly_mesh _sphere_mesh;
    Texture_handle _releaser_texture;
    Texture_handle _particle_texture;
    std::unique_ptr<QGLShaderProgram> _particle_program;
    GL_functions _gl;
};

#endif
