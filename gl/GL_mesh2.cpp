#include "gl/GL_mesh2.h"

#include <iostream>
#include <vector>

void GL_mesh2::init(Poly_mesh const& mesh, bool keep_copy)
{
    initializeOpenGLFunctions();
    // A second init replaces the first upload instead of leaking it.
    release_gl_objects();

    if (keep_copy)
    {
        if (_mesh)
            *_mesh = mesh;
        else
            _mesh = std::make_unique<Poly_mesh>(mesh);
    }

    _num_faces = int(mesh.n_faces());
    _num_vertices = int(mesh.n_vertices());

    glGenVertexArrays(1, &_vertex_array);
    glBindVertexArray(_vertex_array);
    glGenBuffers(Buffer_count, _buffers);

    GLsizeiptr const vertices = _num_vertices;
    upload_attribute(Positions, 0, vertices * 12, mesh.points(), 3, GL_FLOAT);
    if (mesh.has_vertex_normals()) upload_attribute(Normals, 1, vertices * 12, mesh.vertex_normals(), 3, GL_FLOAT);
    if (mesh.has_vertex_texcoords2D())
        upload_attribute(Texture_coordinates, 2, vertices * 8, mesh.texcoords2D(), 2, GL_FLOAT);
    if (mesh.has_vertex_colors()) upload_attribute(Colors, 3, vertices * 3, mesh.vertex_colors(), 3, GL_UNSIGNED_BYTE);

    std::vector<GLuint> indices;
    indices.reserve(mesh.n_faces() * 3);
    int faces = 0;
    for (auto const face : mesh.faces())
    {
        for (auto const vertex : first_three_vertices(mesh, face)) indices.push_back(GLuint(vertex.idx()));
        ++faces;
    }
    _num_indices = int(indices.size());
    std::cout << "GL_mesh2::init"
              << " num_faces: " << faces << " " << indices.size() << std::endl;

    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, _buffers[Indices]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLuint)), indices.data(), GL_STATIC_DRAW);

    // The element buffer stays recorded in the vertex array.
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void GL_mesh2::upload_attribute(Buffer buffer, GLuint location, GLsizeiptr bytes, void const* data, GLint components,
                                GLenum type)
{
    glBindBuffer(GL_ARRAY_BUFFER, _buffers[buffer]);
    glBufferData(GL_ARRAY_BUFFER, bytes, data, GL_STATIC_DRAW);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, type, GL_FALSE, 0, nullptr);
}

void GL_mesh2::release_gl_objects()
{
    if (_vertex_array == 0) return;
    glDeleteBuffers(Buffer_count, _buffers);
    glDeleteVertexArrays(1, &_vertex_array);
    _vertex_array = 0;
    for (GLuint& name : _buffers) name = 0;
}

void GL_mesh2::draw()
{
    bind();
    draw_elements();
    unbind();
}

void GL_mesh2::draw_elements()
{
    glDrawElements(GL_TRIANGLES, _num_indices, GL_UNSIGNED_INT, nullptr);
}

void GL_mesh2::bind()
{
    glBindVertexArray(_vertex_array);
}

void GL_mesh2::unbind()
{
    glBindVertexArray(0);
}

void GL_mesh2::init_color_buffer()
{
    glBindVertexArray(_vertex_array);
    glBindBuffer(GL_ARRAY_BUFFER, _buffers[Colors]);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(_num_vertices) * 3 * GLsizeiptr(sizeof(float)), nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void GL_mesh2::update_colors(float const* colors)
{
    glBindBuffer(GL_ARRAY_BUFFER, _buffers[Colors]);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(_num_vertices) * 3 * GLsizeiptr(sizeof(float)), colors);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
