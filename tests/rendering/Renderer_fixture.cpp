#include "Renderer_fixture.h"

#include "simulation/Atom_cannon.h"
#include "simulation/Box_barrier.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Molecule_factory.h"
#include "simulation/Tractor_barrier.h"

#include "support/Capture_stdout.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <GL/gl.h>

void Renderer_test::SetUp()
{
    Gl_test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    QString const game_data = TEST_FIXTURE_DIR "/../data/";
    for (char const* folder : {"shaders", "meshes", "textures"})
    {
        QDirIterator files(game_data + folder, QDir::Files);
        while (files.hasNext())
        {
            files.next();
            _data.copy_from_game(QString(folder) + "/" + files.fileName());
        }
    }
    Capture_stdout quiet;
    _level = std::make_unique<Level_data>();
    _level->reset();
    _camera.setScreenWidthAndHeight(width, height);
    frame_game_field(_camera, *_level);
    gl_errors();
}

void Renderer_test::TearDown()
{
    Capture_stdout quiet;
    _level.reset();
}

void Renderer_test::replace_data_file(QString const& relative, QByteArray const& contents)
{
    QFile file(QString::fromStdString(_data.path(relative)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

void Renderer_test::remove_data_file(QString const& relative)
{
    ASSERT_TRUE(QFile::remove(QString::fromStdString(_data.path(relative))));
}

void Renderer_test::replace_with_flat_color(QString const& fragment_file, char const* color_expression)
{
    replace_data_file(fragment_file,
                      QByteArray("#version 120\nvoid main() { gl_FragColor = ") + color_expression + "; }\n");
}

void Renderer_test::replace_atom_shading_with_flat_color(char const* color_expression)
{
    replace_data_file("shaders/atom_shading.frag",
                      QByteArray("#version 330 compatibility\nvec4 shade_atom(vec3 surface, vec3 centre, vec4 color) "
                                 "{ return ") +
                          color_expression + "; }\n");
}

std::unique_ptr<World_renderer> Renderer_test::make_renderer(std::string const& name)
{
    Capture_stdout quiet;
    std::unique_ptr<World_renderer> renderer(Class_registry<World_renderer>::instance().create(name));
    renderer->set_parameters(Class_registry<World_renderer>::instance().get_default_parameters(name));
    renderer->init(widget()->context(), QSize(width, height));
    return renderer;
}

std::string Renderer_test::render_frame(World_renderer& renderer, Level_data& level, QGLFramebufferObject& target,
                                        std::array<float, 4> const& clear, float time)
{
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, target.handle());
    gl()->glViewport(0, 0, width, height);
    gl()->glClearColor(clear[0], clear[1], clear[2], clear[3]);
    gl()->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    _camera.loadProjectionMatrix();
    _camera.loadModelViewMatrix();
    Capture_stdout out;
    renderer.render(&target, level, time, &_camera);
    return out.text();
}

std::unique_ptr<QGLFramebufferObject> Renderer_test::make_target(QGLFramebufferObject::Attachment depth) const
{
    auto target = std::make_unique<QGLFramebufferObject>(width, height, depth);
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return target;
}

std::array<int, 4> Renderer_test::pixel(QGLFramebufferObject const& target, int x, int y) const
{
    gl()->glBindFramebuffer(GL_READ_FRAMEBUFFER, target.handle());
    unsigned char rgba[4] = {0, 0, 0, 0};
    gl()->glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

std::vector<unsigned char> Renderer_test::pixels(QGLFramebufferObject const& target) const
{
    gl()->glBindFramebuffer(GL_READ_FRAMEBUFFER, target.handle());
    std::vector<unsigned char> all(size_t(width) * height * 4);
    gl()->glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, all.data());
    return all;
}

float Renderer_test::depth(QGLFramebufferObject const& target, int x, int y) const
{
    gl()->glBindFramebuffer(GL_READ_FRAMEBUFFER, target.handle());
    float value = -1.f;
    gl()->glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &value);
    return value;
}

std::vector<GLenum> Renderer_test::gl_errors() const
{
    std::vector<GLenum> errors;
    for (GLenum error = gl()->glGetError(); error != GL_NO_ERROR && errors.size() < 16; error = gl()->glGetError())
        errors.push_back(error);
    return errors;
}

int pixels_beyond_one_pixel(std::vector<bool> const& a, std::vector<bool> const& b, int width, int height)
{
    int beyond = 0;
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            if (!a[size_t(y) * width + x]) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                {
                    int const nx = x + dx;
                    int const ny = y + dy;
                    near = nx >= 0 && ny >= 0 && nx < width && ny < height && b[size_t(ny) * width + nx];
                }
            if (!near) ++beyond;
        }
    }
    return beyond;
}

void add_every_kind_of_element(Level_data& level)
{
    using V = Eigen::Vector3f;
    Capture_stdout quiet;

    auto* wall = new Box_barrier(V(-30, -5, -15), V(-20, 5, -5), 100.f, 3.f);
    wall->set_selected(true);
    level.add_element(wall);
    level.add_element(new Moving_box_barrier(V(-18, -5, -15), V(-12, 5, -5), 100.f, 3.f));
    level.add_element(new Blow_barrier(V(-10, -5, -15), V(-4, 5, -5), 100.f, 3.f));
    auto* charged = new Charged_barrier(V(0, -5, -15), V(6, 5, -5), 100.f, 3.f, 8.f);
    charged->set_user_editable(Level_element::Property);
    level.add_element(charged);
    auto* tractor = new Tractor_barrier(V(10, -5, -15), V(20, 5, -5), 4.f);
    tractor->set_user_editable(Level_element::Property | Level_element::Translate);
    tractor->set_selected(true);
    level.add_element(tractor);
    level.add_element(new Plane_barrier(V(0, 0, -19), V(0, 0, 1), 10.f, 2.f, Eigen::Vector2f(30, 20)));
    level.add_element(new Plane_barrier(V(0, 0, 19), V(0, 0, -1), 10.f, 2.f));

    auto* heat = new Brownian_box(V(-35, -10, 5), V(-15, 10, 15), 30.f);
    heat->set_user_editable(Level_element::Property);
    level.add_element(heat);
    auto* cold = new Brownian_box(V(-10, -10, 5), V(0, 10, 15), -40.f);
    cold->set_selected(true);
    level.add_element(cold);

    auto* box_portal = new Box_portal(V(22, -10, -10), V(38, 10, 10));
    box_portal->set_selected(true);
    level.add_element(box_portal);
    auto* sphere_portal = new Sphere_portal(V(5, -5, 5), V(15, 5, 15));
    sphere_portal->set_selected(true);
    level.add_element(sphere_portal);

    auto* releaser = new Molecule_releaser(V(-38, -4, -4), V(-32, 4, 4), 0.f, 1.f);
    releaser->set_molecule_type("H2O");
    releaser->set_selected(true);
    level.add_element(releaser);
    level.add_element(new Atom_cannon(V(-38, -4, 10), V(-32, 4, 16), 0.f, 1.f, 10.f, -1.f));

    for (auto const& element : level._level_elements) element->reset();
    box_portal->get_end_condition().set_num_captured_molecules(3);
    for (Molecule_releaser* each : level._molecule_releasers) each->check_release(0.f, true);
    for (int i = 0; i < 10; ++i)
        for (auto const& element : level._level_elements) element->animate(0.05f);

    for (int i = 0; i < 6; ++i)
        level._molecules.push_back(create_molecule(i % 2 ? "Na" : "H2O", V(-20.f + 8 * i, 0, 0)));
    auto burst = std::make_unique<Particle_system_element>();
    burst->emit_from_molecule(level._molecules.front());
    level._temporary_elements.push_back(std::move(burst));
}
