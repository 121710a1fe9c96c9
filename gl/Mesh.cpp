#include "gl/Mesh.h"

#include "gl/Compatibility_functions.h"

// Including the IO layer registers its readers and writers.
#include <OpenMesh/Core/IO/MeshIO.hh>

#include <iostream>
#include <vector>

namespace
{

Poly_mesh mesh_with_properties(bool keep_colors)
{
    Poly_mesh mesh;
    mesh.request_face_colors();
    mesh.request_vertex_texcoords2D();
    mesh.request_face_normals();
    mesh.request_vertex_normals();
    if (keep_colors) mesh.request_vertex_colors();
    return mesh;
}

void color_vertices_from_faces(Poly_mesh& mesh)
{
    for (auto const face : mesh.faces())
        for (auto const vertex : first_three_vertices(mesh, face)) mesh.set_color(vertex, mesh.color(face));
}

// The reader fills only the colours the file holds; the others stay as they
// were allocated, undefined.
void settle_vertex_colors(Poly_mesh& mesh, OpenMesh::IO::Options const& read)
{
    if (read.face_has_color())
        color_vertices_from_faces(mesh);
    else if (!read.vertex_has_color())
        for (auto const vertex : mesh.vertices()) mesh.set_color(vertex, Poly_mesh::Color(255, 255, 255));
}

} // namespace

std::array<Poly_mesh::VertexHandle, 3> first_three_vertices(Poly_mesh const& mesh, Poly_mesh::FaceHandle face)
{
    auto const first = mesh.halfedge_handle(face);
    auto const second = mesh.next_halfedge_handle(first);
    auto const third = mesh.next_halfedge_handle(second);
    return {mesh.to_vertex_handle(first), mesh.to_vertex_handle(second), mesh.to_vertex_handle(third)};
}

Poly_mesh load_mesh(std::string const& path, bool keep_colors)
{
    Poly_mesh mesh = mesh_with_properties(keep_colors);

    OpenMesh::IO::Options options = OpenMesh::IO::Options::VertexNormal;
    options += OpenMesh::IO::Options::VertexTexCoord;
    options += OpenMesh::IO::Options::FaceTexCoord;
    if (keep_colors)
    {
        options += OpenMesh::IO::Options::VertexColor;
        options += OpenMesh::IO::Options::FaceColor;
    }

    if (!OpenMesh::IO::read_mesh(mesh, path, options))
    {
        std::cerr << "Can't read mesh from file: " << path << std::endl;
        return mesh_with_properties(keep_colors);
    }

    mesh.triangulate();
    mesh.update_face_normals();
    mesh.update_normals();
    if (keep_colors) settle_vertex_colors(mesh, options);

    std::cout << "Mesh loaded: " << path << " "
              << "Vertices: " << mesh.n_vertices() << " "
              << "Faces: " << mesh.n_faces() << " " << std::endl;
    std::cout << "vnormals? " << (mesh.has_vertex_normals() ? 1 : 0) << std::endl;
    std::cout << "vertex.texcoord2D? " << (mesh.has_vertex_texcoords2D() ? 1 : 0) << std::endl;
    return mesh;
}

void draw_mesh(Poly_mesh const& mesh)
{
    if (mesh.n_faces() == 0) return;
    QOpenGLFunctions_3_3_Compatibility* f = current_compatibility_functions();
    if (!f) return;

    Client_array_scope const scope(*f);
    f->glEnableClientState(GL_VERTEX_ARRAY);
    f->glVertexPointer(3, GL_FLOAT, 0, mesh.points());
    if (mesh.has_vertex_normals())
    {
        f->glEnableClientState(GL_NORMAL_ARRAY);
        f->glNormalPointer(GL_FLOAT, 0, mesh.vertex_normals());
    }
    if (mesh.has_vertex_colors())
    {
        f->glEnableClientState(GL_COLOR_ARRAY);
        f->glColorPointer(3, GL_UNSIGNED_BYTE, 0, mesh.vertex_colors());
    }
    if (mesh.has_vertex_texcoords2D())
    {
        f->glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        f->glTexCoordPointer(2, GL_FLOAT, 0, mesh.texcoords2D());
    }

    // One indexed draw of the faces' first three corners: the same triangles as
    // an element call per corner, in one call instead of thousands.
    std::vector<GLuint> indices;
    indices.reserve(mesh.n_faces() * 3);
    for (auto const face : mesh.faces())
        for (auto const vertex : first_three_vertices(mesh, face)) indices.push_back(GLuint(vertex.idx()));
    f->glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_INT, indices.data());
}
