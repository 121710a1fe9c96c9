#ifndef RENDERING_ATOM_IMPOSTORS_H
#define RENDERING_ATOM_IMPOSTORS_H

#include <QOpenGLFunctions_3_3_Core>

#include <memory>
#include <vector>

class Level_data;
class QGLContext;
class QGLShaderProgram;

// Atoms as ray-cast spheres (shaders/atom_impostor.vert and .frag, shaded by
// atom_shading.frag as the mesh spheres are): a square facing the eye per atom,
// in which the fragment shader finds the sphere's front surface and writes its
// depth. Two triangles an atom where a finely cut sphere takes over a
// thousand: on a software rasteriser, whose vertex and set-up stage runs on one
// thread, the molecules then cost a fraction of the frame.
class Atom_impostors : protected QOpenGLFunctions_3_3_Core
{
public:
    Atom_impostors();
    ~Atom_impostors();

    // It owns names of GL objects: copies would share them.
    Atom_impostors(Atom_impostors const&) = delete;
    Atom_impostors& operator=(Atom_impostors const&) = delete;

    // The program from the data files and the buffers. Needs a current
    // context; a second call replaces what the first made.
    void init(QGLContext const* context);
    // Needs the context current; the destructor leaves the GL objects alone.
    void release_gl_objects();

    // For the caller to bind and give the view and shading uniforms: those of
    // the mesh spheres' program, but no "m_model" or "color".
    QGLShaderProgram& get_program() { return *_program; }

    // Every atom of the level as a sphere of atom_sphere_radius in its palette
    // colour, through the bound program: one upload and one draw. Leaves no
    // vertex array or buffer bound.
    void draw(Level_data const& level, float scale);

private:
    // What the vertex shader reads for a corner of an atom's square.
    struct Corner
    {
        float centre_and_radius[4];
        float color[4];
    };

    void ensure_indices(size_t atoms);

    std::unique_ptr<QGLShaderProgram> _program;
    GLuint _vertex_array = 0;
    GLuint _corner_buffer = 0;
    GLuint _index_buffer = 0;
    size_t _indexed_atoms = 0;
    std::vector<Corner> _corners;
};

#endif
