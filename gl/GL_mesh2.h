#ifndef GL_GL_MESH2_H
#define GL_GL_MESH2_H

#include "gl/Mesh.h"

#include <QOpenGLFunctions_3_3_Core>

#include <memory>

// A triangle mesh in a vertex array object. Attribute locations, which every
// mesh shader declares: 0 position, 1 normal, 2 texture coordinate (all floats),
// 3 colour (unsigned bytes as uploaded, floats after init_color_buffer).
// The GL names live as long as the context; the destructor leaves them.
class GL_mesh2 : public QOpenGLFunctions_3_3_Core
{
public:
    GL_mesh2() = default;
    virtual ~GL_mesh2() = default;

    // It owns its copy of the mesh and names of GL objects: copies would share both.
    GL_mesh2(GL_mesh2 const&) = delete;
    GL_mesh2& operator=(GL_mesh2 const&) = delete;

    // Uploads a triangulated mesh; with keep_copy the mesh is also kept for
    // get_mesh. Needs a current context. Leaves no vertex array or buffer bound.
    void init(Poly_mesh const& mesh, bool keep_copy = false);

    void draw();
    // The draw call alone, for a caller that has bound the vertex array.
    void draw_elements();
    void bind();
    void unbind();

    // Only valid after init with keep_copy.
    Poly_mesh& get_mesh() { return *_mesh; }
    bool has_mesh() const { return bool(_mesh); }

    // Makes the colours per-frame data: vertex count x 3 floats, filled by
    // update_colors.
    void init_color_buffer();
    void update_colors(float const* colors);

    int get_num_faces() const { return _num_faces; }
    int get_num_vertices() const { return _num_vertices; }
    int get_num_indices() const { return _num_indices; }

    // Deletes the vertex array and buffers, which the destructor leaves alone.
    // Needs the context current; init may follow.
    void release_gl_objects();

private:
    enum Buffer
    {
        Positions,
        Normals,
        Texture_coordinates,
        Colors,
        Indices,
        Buffer_count
    };

    void upload_attribute(Buffer buffer, GLuint location, GLsizeiptr bytes, void const* data, GLint components,
                          GLenum type);

    GLuint _vertex_array = 0;
    GLuint _buffers[Buffer_count] = {0, 0, 0, 0, 0};
    std::unique_ptr<Poly_mesh> _mesh;
    int _num_faces = 0;
    int _num_vertices = 0;
    int _num_indices = 0;
};

#endif
