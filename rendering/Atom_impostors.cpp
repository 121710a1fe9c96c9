#include "rendering/Atom_impostors.h"

#include "rendering/Atom_spheres.h"
#include "rendering/Data_files.h"
#include "simulation/Level_data.h"

#include <QGLShaderProgram>

#include <algorithm>
#include <cstddef>

Atom_impostors::Atom_impostors() = default;

Atom_impostors::~Atom_impostors() = default;

void Atom_impostors::init(QGLContext const* context)
{
    initializeOpenGLFunctions();
    release_gl_objects();
    _program = load_data_program(context, "shaders/atom_impostor.vert",
                                 QStringList{"shaders/atom_impostor.frag", "shaders/atom_shading.frag"});

    glGenVertexArrays(1, &_vertex_array);
    glGenBuffers(1, &_corner_buffer);
    glGenBuffers(1, &_index_buffer);
    glBindVertexArray(_vertex_array);
    glBindBuffer(GL_ARRAY_BUFFER, _corner_buffer);
    GLsizei const stride = sizeof(Corner);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void const*>(offsetof(Corner, centre_and_radius)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void const*>(offsetof(Corner, color)));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, _index_buffer);
    // The element buffer stays recorded in the vertex array.
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    _indexed_atoms = 0;
}

void Atom_impostors::release_gl_objects()
{
    if (_vertex_array == 0) return;
    glDeleteBuffers(1, &_corner_buffer);
    glDeleteBuffers(1, &_index_buffer);
    glDeleteVertexArrays(1, &_vertex_array);
    _vertex_array = 0;
    _corner_buffer = 0;
    _index_buffer = 0;
    _indexed_atoms = 0;
}

void Atom_impostors::ensure_indices(size_t atoms)
{
    if (atoms <= _indexed_atoms) return;
    // The atom limit at once, so that a level filling up does not grow it step
    // by step.
    _indexed_atoms = std::max<size_t>(atoms, 4096);
    std::vector<GLuint> indices;
    indices.reserve(_indexed_atoms * 6);
    for (GLuint first = 0; first < GLuint(_indexed_atoms * 4); first += 4)
        for (GLuint corner : {0u, 1u, 2u, 2u, 1u, 3u}) indices.push_back(first + corner);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLuint)), indices.data(), GL_STATIC_DRAW);
}

void Atom_impostors::draw(Level_data const& level, float scale)
{
    _corners.clear();
    for_each_atom(level._molecules, [&](Atom const& atom, int /*molecule_id*/) {
        Eigen::Vector3f const& p = atom.get_position();
        Color4 const c = atom_color(atom);
        Corner const corner{{p.x(), p.y(), p.z(), atom_sphere_radius(atom, scale)}, {c.r, c.g, c.b, c.a}};
        _corners.insert(_corners.end(), 4, corner);
    });
    if (_corners.empty()) return;
    size_t const atoms = _corners.size() / 4;

    glBindVertexArray(_vertex_array);
    ensure_indices(atoms);
    glBindBuffer(GL_ARRAY_BUFFER, _corner_buffer);
    // A fresh store each frame, so the upload never waits for the last draw.
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(_corners.size() * sizeof(Corner)), _corners.data(), GL_STREAM_DRAW);
    glDrawElements(GL_TRIANGLES, GLsizei(atoms * 6), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
