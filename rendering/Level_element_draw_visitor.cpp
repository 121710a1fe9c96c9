#include "rendering/Level_element_draw_visitor.h"

#include "gl/GL_utilities.h"
#include "gl/Particle_drawing.h"
#include "rendering/Data_files.h"
#include "rendering/Element_looks.h"
#include "rendering/Frame_scope.h"
#include "simulation/Atom_cannon.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Particle_system_element.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"

#include <QGLShaderProgram>
#include <QOpenGLContext>

#include <GL/gl.h>

#include <cmath>

namespace
{

void set_lighting(bool lit)
{
    if (lit)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
}

// The element's own frame for as long as it lives. The lighting is given back
// as it was found, so that no element's look depends on what was drawn before.
class Element_frame
{
public:
    explicit Element_frame(Level_element const& element) : _was_lit(glIsEnabled(GL_LIGHTING) == GL_TRUE)
    {
        Eigen::Vector3f const& position = element.get_position();
        glPushMatrix();
        glTranslatef(position.x(), position.y(), position.z());
        glMultMatrixf(element.get_transform().data());
    }
    ~Element_frame()
    {
        glPopMatrix();
        set_fill_polygons();
        set_lighting(_was_lit);
    }

    Element_frame(Element_frame const&) = delete;
    Element_frame& operator=(Element_frame const&) = delete;

private:
    bool const _was_lit;
};

void set_color(Color4 const& c)
{
    glColor4f(c.r, c.g, c.b, c.a);
}

void set_color(Color const& c, float alpha = 1.f)
{
    glColor4f(c.r, c.g, c.b, alpha);
}

// A level read from a file may hold an element whose box was never set.
// Outlines are drawn two pixels wide, or they vanish at the field's distance.
void draw_local_box(Eigen::AlignedBox3f const& box, bool wireframe, float scale = 1.f)
{
    if (box.isEmpty()) return;
    if (wireframe) glLineWidth(2.f);
    draw_box(box.center(), box.sizes(), scale, wireframe);
    if (wireframe) glLineWidth(1.f);
}

void draw_highlight(Level_element const& element, Eigen::AlignedBox3f const& box, Color4 const& color,
                    float scale = 1.05f)
{
    if (!element.is_selected()) return;
    set_color(color);
    draw_local_box(box, true, scale);
    set_fill_polygons();
}

void draw_gauge_cells(std::vector<Gauge_cell> const& cells)
{
    glBegin(GL_QUADS);
    for (Gauge_cell const& cell : cells)
    {
        set_color(gauge_cell_color(cell.filled));
        glVertex3f(0.f, cell.bottom, 0.f);
        glVertex3f(1.f, cell.bottom, 0.f);
        glVertex3f(1.f, cell.top, 0.f);
        glVertex3f(0.f, cell.top, 0.f);
    }
    glEnd();
}

// Beside a tall box, under a wide one; one cell per required molecule.
void draw_capture_gauge(Eigen::AlignedBox3f const& box, Molecule_capture_condition const& condition)
{
    if (box.isEmpty()) return;
    Eigen::Vector3f const extent = box.sizes();
    glPushMatrix();
    if (extent.z() > extent.x())
    {
        glTranslatef(extent.x() / 2.f + 1.5f, -extent.y() / 2.f, 0.f);
        glScalef(1.f, 1.f, extent.z());
    }
    else
    {
        glTranslatef(0.f, -extent.y() / 2.f, -extent.z() / 2.f - 1.5f);
        glScalef(extent.x(), 1.f, 1.f);
        glRotatef(90.f, 0.f, 1.f, 0.f);
    }
    glTranslatef(-0.5f, 0.f, -0.5f);
    glRotatef(90.f, 1.f, 0.f, 0.f);
    draw_gauge_cells(gauge_cells(condition.get_min_captured_molecules(), condition.get_num_captured_molecules()));
    glPopMatrix();
}

void draw_ring_gauge(Molecule_capture_condition const& condition)
{
    int const required = condition.get_min_captured_molecules();
    if (required < 1) return;
    int const captured = condition.get_num_captured_molecules();
    int const steps = ring_arc_steps(required);
    float const span = 2.f * float(M_PI) * 0.9f / float(required);
    glPushMatrix();
    for (int arc = 0; arc < required; ++arc)
    {
        set_color(gauge_cell_color(arc < captured));
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j <= steps; ++j)
        {
            float const angle = float(j) * span / float(steps);
            glVertex3f(std::cos(angle), std::sin(angle), 0.f);
            glVertex3f(1.1f * std::cos(angle), 1.1f * std::sin(angle), 0.f);
        }
        glEnd();
        glRotatef(360.f / float(required), 0.f, 0.f, 1.f);
    }
    glPopMatrix();
}

void draw_release_arrow(Molecule_releaser const& releaser)
{
    float const extent_x = releaser.get_box().isEmpty() ? 0.f : releaser.get_box().sizes().x();
    std::optional<Release_arrow> const arrow =
        release_arrow(releaser.get_num_released_molecules(), releaser.get_num_max_molecules(),
                      releaser.get_release_progress(), extent_x);
    if (!arrow) return;
    set_lighting(false);
    glLineWidth(3.f);
    glColor4f(0.3f, 0.35f, 0.7f, 0.6f);
    glPushMatrix();
    glRotatef(90.f, 1.f, 0.f, 0.f);
    draw_arrow(Eigen::Vector3f(arrow->from_x, 0.f, 0.f), Eigen::Vector3f(arrow->to_x, 0.f, 0.f), arrow->head);
    glPopMatrix();
    glLineWidth(1.f);
}

// Nothing before init has built the program.
template <class Particle_type>
void draw_points(QGLShaderProgram const* program, std::vector<Particle_type> const& particles, float height,
                 bool with_colors)
{
    if (program) draw_particles(program->programId(), particles, height, with_colors);
}

void draw_quad_outline(float half_x, float half_y)
{
    glBegin(GL_LINE_LOOP);
    glVertex3f(-half_x, -half_y, 0.f);
    glVertex3f(half_x, -half_y, 0.f);
    glVertex3f(half_x, half_y, 0.f);
    glVertex3f(-half_x, half_y, 0.f);
    glEnd();
}

} // namespace

Level_element_draw_visitor::Level_element_draw_visitor() = default;

Level_element_draw_visitor::~Level_element_draw_visitor() = default;

void Level_element_draw_visitor::init(QGLContext const* context, QSize const& size)
{
    initialize_gl_functions(_gl);
    _particle_height_scale = float(size.height()) / 768.f;
    _temperature_program = load_data_program(context, "shaders/temperature.vert", "shaders/test.frag");
    _brownian_panel_texture.reset(load_data_texture(_gl, "textures/brownian_panel.png", true));
    _releaser_mesh = load_data_mesh("meshes/molecule_releaser.obj");
    _tractor_circle_mesh = load_data_mesh("meshes/tractor_circle.obj");
    _sphere_mesh = load_data_mesh("meshes/icosphere_3.obj");
    _releaser_texture.reset(load_data_texture(_gl, "textures/molecule_releaser.png", false));
    _particle_texture.reset(load_data_texture(_gl, "textures/particle.png", true));
    _particle_program = load_data_program(context, "shaders/distance_particle.vert", "shaders/particle.frag");
}

void Level_element_draw_visitor::visit(Particle_system_element& element)
{
    if (element.get_particles().empty()) return;
    Element_frame const frame(element);
    set_lighting(false);
    glEnable(GL_BLEND);
    draw_points(_particle_program.get(), element.get_particles(), _particle_height_scale * 48.f, true);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Level_element_draw_visitor::visit(Brownian_box& element)
{
    Element_frame const frame(element);
    Color const color = brownian_color(element.get_strength());
    set_color(color);
    set_lighting(false);
    draw_points(_particle_program.get(), element.get_particles(), _particle_height_scale * 24.f, false);
    glBindTexture(GL_TEXTURE_2D, 0);
    set_lighting(true);
    set_color(color, 0.4f);
    draw_local_box(element.get_box(), true);
    draw_highlight(element, element.get_box(), highlight_color);
}

void Level_element_draw_visitor::visit(Sphere_portal& element)
{
    Element_frame const frame(element);
    set_lighting(false);
    Eigen::AlignedBox3f const box = element.get_box();
    if (!box.isEmpty())
    {
        glColor4f(0.3f, 0.8f, 0.4f, 0.6f);
        Eigen::Vector3f const center = box.center();
        Eigen::Vector3f const half = box.sizes() / 2.f;
        glPushMatrix();
        glTranslatef(center.x(), center.y(), center.z());
        glScalef(half.x(), half.y(), half.z());
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        draw_mesh(_sphere_mesh);
        set_fill_polygons();
        glRotatef(90.f, 1.f, 0.f, 0.f);
        draw_ring_gauge(element.get_end_condition());
        glPopMatrix();
    }
    draw_points(_particle_program.get(), element.get_particles(), _particle_height_scale * 48.f, true);
    draw_highlight(element, box, portal_highlight_color, 1.f);
}

void Level_element_draw_visitor::visit(Box_portal& element)
{
    Element_frame const frame(element);
    set_lighting(true);
    glColor4f(0.3f, 0.8f, 0.4f, 0.6f);
    draw_local_box(element.get_box(), true);
    set_fill_polygons();
    set_lighting(false);
    draw_capture_gauge(element.get_box(), element.get_end_condition());
    draw_points(_particle_program.get(), element.get_particles(), _particle_height_scale * 48.f, true);
    draw_highlight(element, element.get_box(), portal_highlight_color);
}

void Level_element_draw_visitor::visit(Molecule_releaser& element)
{
    Element_frame const frame(element);
    set_lighting(false);
    glColor4f(0.3f, 0.35f, 0.7f, 0.6f);
    draw_local_box(element.get_box(), true);
    set_fill_polygons();
    for (Targeted_particle_system const& group : element.get_particle_groups())
        draw_points(_particle_program.get(), group.get_particles(), _particle_height_scale * 48.f, true);
    draw_highlight(element, element.get_box(), highlight_color);
    draw_release_arrow(element);
}

void Level_element_draw_visitor::visit(Charged_barrier& element)
{
    Element_frame const frame(element);
    set_lighting(true);
    set_color(charged_barrier_color(element.get_charge()));
    draw_local_box(element.get_box(), false);
    draw_highlight(element, element.get_box(), highlight_color);
}

void Level_element_draw_visitor::visit(Moving_box_barrier& element)
{
    draw_box_barrier(element);
}

void Level_element_draw_visitor::visit(Tractor_barrier& element)
{
    Element_frame const frame(element);
    set_lighting(false);
    glPointSize(_particle_height_scale * 24.f);
    glBegin(GL_POINTS);
    for (Particle const& particle : element.get_particles())
    {
        glColor4f(particle.color.r, particle.color.g, particle.color.b, 1.f - particle.age);
        glVertex3fv(particle.position.data());
    }
    glEnd();
    glPointSize(1.f);
    set_lighting(true);

    Eigen::Vector3f const extent = element.get_extent();
    if (!element.get_box().isEmpty())
    {
        glColor4f(0.3f, 0.3f, 0.3f, 1.f);
        glPushMatrix();
        glScalef(extent.x(), 0.95f * extent.y(), extent.z());
        glRotatef(element.get_rotation_angle(), 1.f, 0.f, 0.f);
        glRotatef(90.f, 0.f, 0.f, 1.f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        draw_mesh(_tractor_circle_mesh);
        set_fill_polygons();
        glPopMatrix();
    }
    draw_highlight(element, element.get_box(), highlight_color);
}

void Level_element_draw_visitor::visit(Blow_barrier& element)
{
    Element_frame const frame(element);
    set_lighting(true);
    glColor4f(0.5f, 0.6f, 0.8f, 1.f);
    Eigen::AlignedBox3f const box = element.get_box();
    draw_local_box(box, false);
    draw_highlight(element, box, highlight_color);
    if (box.isEmpty()) return;

    int const axis = element.get_axis();
    Eigen::Vector3f const from = Eigen::Vector3f::Unit(axis) * box.sizes()[axis] / 2.f;
    Eigen::Vector3f const to = from + Eigen::Vector3f::Unit(axis) * 15.f;
    set_lighting(false);
    glLineWidth(3.f);
    glPushMatrix();
    glRotatef(90.f, 1.f, 0.f, 0.f);
    draw_arrow(from, to, 0.2f);
    glPopMatrix();
    glLineWidth(1.f);
}

void Level_element_draw_visitor::visit(Box_barrier& element)
{
    draw_box_barrier(element);
}

void Level_element_draw_visitor::visit(Plane_barrier& element)
{
    boost::optional<Eigen::Vector2f> const& extent = element.get_extent();
    if (!extent) return;
    Element_frame const frame(element);
    set_lighting(false);
    glLineWidth(3.f);
    glColor4f(0.7f, 0.7f, 0.7f, 1.f);
    draw_quad_outline(extent->x() / 2.f, extent->y() / 2.f);
    if (element.is_selected())
    {
        set_color(highlight_color);
        draw_quad_outline(0.55f * extent->x(), 0.55f * extent->y());
    }
    glLineWidth(1.f);
}

void Level_element_draw_visitor::draw_box_barrier(Box_barrier const& element)
{
    Element_frame const frame(element);
    set_lighting(true);
    glColor4f(0.7f, 0.7f, 0.7f, 1.f);
    draw_local_box(element.get_box(), false);
    draw_highlight(element, element.get_box(), highlight_color);
}
