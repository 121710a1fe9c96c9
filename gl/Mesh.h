#ifndef GL_MESH_H
#define GL_MESH_H

// OpenMesh's vectors start uninitialised on purpose; GCC reports it wherever
// their property arrays grow.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <OpenMesh/Core/Mesh/PolyMesh_ArrayKernelT.hh>
#pragma GCC diagnostic pop

#include <array>
#include <string>

// The container of every model read from the data directory.
using Poly_mesh = OpenMesh::PolyMesh_ArrayKernelT<OpenMesh::DefaultTraits>;

// The face's first three corners in winding order: its halfedge's target and
// the targets of the next two halfedges. Drawing uses only these, so meshes are
// triangulated first.
std::array<Poly_mesh::VertexHandle, 3> first_three_vertices(Poly_mesh const& mesh, Poly_mesh::FaceHandle face);

// Reads a mesh (format by extension), triangulates it and computes its face and
// vertex normals. With keep_colors every vertex takes the colour of the last
// face around it when the file colours its faces, keeps its own when the file
// colours only vertices, and is white when the file has no colours. An
// unreadable file yields an empty mesh and a line on standard error.
Poly_mesh load_mesh(std::string const& path, bool keep_colors = false);

// Draws the mesh's triangles from client-side arrays with the current
// fixed-function state; normals, colours and texture coordinates when present.
void draw_mesh(Poly_mesh const& mesh);

#endif
